#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>

#include "CctlTestMain.h"
#include "mobrcctl/AdvancedListCtrl.h"
#include "mobrcctl/PVControl.h"
#include "mobrcctl/SpinEdit.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrcctl/ZqSamplePainter.h"
#include "mobrcctl/ZqSpinButtons.h"

namespace {

int countColour(const QImage& img, const QColor& colour, int row = -1) {
    int n = 0;
    for (int y = (row < 0 ? 0 : row); y < (row < 0 ? img.height() : row + 1); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == colour) ++n;
    return n;
}

TEST(Preview, LinesAppearWhereTheWorldWindowPutsThem) {
    QFrame frame;
    frame.resize(200, 100);
    CPVControl pv;
    ASSERT_EQ(pv.SetWnd(&frame), 1);
    pv.SetDrawRect(-10, -50, 110, 50);
    PVEntity line;
    line.x1 = 0;
    line.y1 = 25;  // upper half: y grows upwards
    line.x2 = 100;
    line.y2 = 25;
    line.colour = Qt::red;
    line.widthDots = 3;
    EXPECT_EQ(pv.SetPVEntity(line), 1);
    pv.DrawEntity();

    QImage img = frame.grab().toImage();
    int topRed = 0, bottomRed = 0;
    for (int y = 0; y < img.height(); ++y) (y < 50 ? topRed : bottomRed) += countColour(img, Qt::red, y);
    EXPECT_GT(topRed, 100);
    EXPECT_EQ(bottomRed, 0);
    // The line spans the world from 0 to 100 of -10..110: not the margins.
    const int lineRow = [&] {
        for (int y = 0; y < img.height(); ++y)
            if (countColour(img, Qt::red, y) > 0) return y;
        return -1;
    }();
    ASSERT_GE(lineRow, 0);
    EXPECT_NE(img.pixelColor(5, lineRow), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(195, lineRow), QColor(Qt::red));

    pv.DeleteEntityAll();
    EXPECT_EQ(pv.GetEntityCount(), 0);
    img = frame.grab().toImage();
    EXPECT_EQ(countColour(img, Qt::red), 0);
}

TEST(Preview, TextsRectanglesAndDimensionsDraw) {
    QFrame frame;
    frame.resize(200, 120);
    CPVControl pv;
    ASSERT_EQ(pv.SetWnd(&frame), 1);
    PVEntity rect;
    rect.kind = PVEntity::Rectangle;
    rect.x2 = 100;
    rect.y2 = 60;
    rect.colour = Qt::blue;
    rect.filled = true;
    pv.SetPVEntity(rect);
    PVEntity dim;
    dim.kind = PVEntity::Dimension;
    dim.x1 = 0;
    dim.y1 = 60;
    dim.x2 = 100;
    dim.y2 = 60;
    dim.offset = 10;
    dim.colour = Qt::green;
    dim.text = "100";
    pv.SetPVEntity(dim);
    pv.DrawEntity();
    const QImage img = frame.grab().toImage();
    EXPECT_GT(countColour(img, Qt::blue), 2000);
    int greenish = 0;  // antialiased lines blend into the background
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.green() > 120 && c.red() < 120 && c.blue() < 120) ++greenish;
        }
    EXPECT_GT(greenish, 100) << "dimension line, extension lines and arrows";
    EXPECT_EQ(pv.SetWnd(nullptr), 0);
}

TEST(Samples, LineSampleHonoursWidthAndPitch) {
    QImage img(100, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        ZqSamplePainter::drawLineSample(p, QRect(0, 0, 100, 10), 3, {}, Qt::black);
        ZqSamplePainter::drawLineSample(p, QRect(0, 10, 100, 10), 1, {4.0, 4.0}, Qt::black);
    }
    int thickRows = 0;
    for (int y = 0; y < 10; ++y) thickRows += countColour(img, Qt::black, y) > 50 ? 1 : 0;
    EXPECT_EQ(thickRows, 3);
    int dashedRow = -1;
    for (int y = 10; y < 20; ++y)
        if (countColour(img, Qt::black, y) > 0) dashedRow = y;
    ASSERT_GE(dashedRow, 0);
    // Four on, four off from x = 2.
    for (int x = 2; x < 90; ++x)
        EXPECT_EQ(img.pixelColor(x, dashedRow) == QColor(Qt::black), ((x - 2) / 4) % 2 == 0) << x;

    EXPECT_EQ(ZqSamplePainter::fromColourWord(0x00FF8000u), QColor(0, 0x80, 0xFF));
}

TEST(Samples, SwatchHasAnOutlineAndAFill) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        ZqSamplePainter::drawColourSwatch(p, QRect(2, 2, 16, 16), QColor(255, 128, 0));
    }
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(17, 17), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(10, 10), QColor(255, 128, 0));
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
}

// Puts the controls in one window and saves a picture of it, so that their
// look can be checked by eye (cctl_gallery.png in the test's build folder).
TEST(Gallery, ControlsRenderTogether) {
    QWidget window;
    window.resize(460, 300);
    auto* grid = new QGridLayout(&window);
    auto* spinEdit = new QLineEdit(&window);
    grid->addWidget(new QLabel(QStringLiteral("Spin edit"), &window), 0, 0);
    grid->addWidget(spinEdit, 0, 1);
    auto* list = new QListWidget(&window);
    auto* delegate = new ZqSampleDelegate(list);
    delegate->setSampleLeft(90);
    list->setItemDelegate(delegate);
    const struct {
        const char* name;
        int kind, width;
        QVariantList pitch;
        QColor colour;
    } rows[] = {
        {"Solid", ZqSampleDelegate::LineSample, 1, {}, Qt::black},
        {"Thick dashed", ZqSampleDelegate::LineSample, 3, {8.0, 4.0}, Qt::blue},
        {"Dash-dot", ZqSampleDelegate::LineSample, 2, {10.0, 3.0, 2.0, 3.0}, Qt::darkGreen},
        {"Orange", ZqSampleDelegate::ColourSwatch, 0, {}, QColor(255, 128, 0)},
    };
    for (const auto& r : rows) {
        auto* item = new QListWidgetItem(QString::fromLatin1(r.name), list);
        item->setData(ZqSampleDelegate::SampleKindRole, r.kind);
        item->setData(ZqSampleDelegate::LineWidthRole, r.width);
        item->setData(ZqSampleDelegate::PitchRole, r.pitch);
        item->setData(ZqSampleDelegate::ColourRole, r.colour);
    }
    list->setCurrentRow(1);
    grid->addWidget(list, 1, 0, 1, 2);
    auto* tree = new QTreeWidget(&window);
    grid->addWidget(tree, 2, 0, 1, 2);
    auto* frame = new QFrame(&window);
    frame->setMinimumSize(140, 100);
    grid->addWidget(frame, 0, 2, 3, 1);
    window.show();

    CSpinEdit spin(0.1, 1.0, 0.1, 0.5);
    spin.SetValidDecimalPoint(1);
    ASSERT_EQ(spin.attach(spinEdit), 1);
    CAdvancedListCtrl adv;
    ASSERT_EQ(adv.attach(tree), 1);
    adv.InsertColumn(0, "Name", CAdvancedListCtrl::AlignLeft, 120);
    adv.InsertColumn(1, "->", CAdvancedListCtrl::AlignCenter, 30);
    adv.InsertColumn(2, "Target", CAdvancedListCtrl::AlignLeft, 60);
    adv.InsertItem(0, "A pen name far too long for its cell");
    adv.SetItemText(0, 1, "->");
    adv.SetItemText(0, 2, "Target pen");
    adv.SetCurSel(0);
    CPVControl pv;
    pv.SetWnd(frame);
    PVEntity dim;
    dim.kind = PVEntity::Dimension;
    dim.x2 = 100;
    dim.offset = 20;
    dim.text = "100.00";
    pv.SetPVEntity(dim);
    PVEntity text;
    text.kind = PVEntity::Text;
    text.x1 = 10;
    text.y1 = -30;
    text.text = "Abc";
    text.textHeight = 20;
    text.colour = Qt::darkBlue;
    pv.SetPVEntity(text);
    pv.DrawEntity();
    QApplication::processEvents();

    // The arrows sit inside the edit, at its right edge, one above the other.
    const QRect up = spin.spin()->upButton()->geometry();
    const QRect down = spin.spin()->downButton()->geometry();
    EXPECT_TRUE(spinEdit->rect().contains(up));
    EXPECT_TRUE(spinEdit->rect().contains(down));
    EXPECT_LE(up.bottom(), down.top());
    EXPECT_GE(up.left(), spinEdit->width() - 20);

    const QString path = QDir(QStringLiteral(MOBR_CCTL_SHOT_DIR)).filePath(QStringLiteral("cctl_gallery.png"));
    EXPECT_TRUE(window.grab().save(path));
}

}  // namespace
