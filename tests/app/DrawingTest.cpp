#include <gtest/gtest.h>

#include <QApplication>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextLayout>

#include "ElementPens.h"
#include "FigureDocument.h"
#include "FigurePainter.h"
#include "api/HostRuntime.h"
#include "model/Bytes.h"
#include "model/ElementDatabase.h"
#include "model/Figure.h"

namespace el = mobrhost::element;
using mobrhost::Figure;

namespace {

// A live element record of the drawing space.
void addElement(Figure& f, el::Kind kind, std::initializer_list<double> geometry, int pen, int colour = 0)
{
    mobrhost::ElementDatabase::Record r{};
    mobrhost::bytes::setU16(r.data(), el::kKind, kind);
    mobrhost::bytes::setI32(r.data(), el::kOwner, -1);
    r[el::kPen] = static_cast<unsigned char>(pen);
    r[el::kColour] = static_cast<unsigned char>(colour);
    int i = 0;
    for (double v : geometry) mobrhost::bytes::put<double>(r.data(), el::kGeometry + std::size_t(i++) * 8, v);
    f.elements.append(0, r);

}

QImage render(Figure& f, QSize size = QSize(320, 240))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    FigurePainter(f, QRectF(QPointF(0, 0), size)).paint(painter);
    return image;
}

}  // namespace

TEST(ElementPens, ColourWidthAndDashesComeFromTheElementAndItsPen)
{
    auto f = Figure::makeDefault();
    // Pen 2 "DASHED": colour 2 (red), width 2 (0.25 mm), pitch 3 and 1 mm.
    const ElementPens pens(*f);
    ElementPen dashed = pens.penFor(2, 0);
    EXPECT_EQ(dashed.colour, QColor(255, 0, 0));
    EXPECT_EQ(dashed.widthDots, 1);
    ASSERT_EQ(dashed.dashDots.size(), 2);
    EXPECT_NEAR(dashed.dashDots[0], 3.0 * ElementPens::kDotsPerMm, 1e-9);
    EXPECT_NEAR(dashed.dashDots[1], 1.0 * ElementPens::kDotsPerMm, 1e-9);

    // The element's own colour number wins over its pen's colour.
    EXPECT_EQ(pens.penFor(2, 4).colour, QColor(0, 0, 255));
    // A pen of a thick width: 1.0 mm at 96 dots per inch is 4 dots.
    f->pens->at(1)->width = 4;
    EXPECT_EQ(ElementPens(*f).penFor(1, 0).widthDots, 4);
    EXPECT_TRUE(ElementPens(*f).penFor(1, 0).dashDots.isEmpty()) << "a solid pen has no dashes";
    // A pen that does not exist draws black, one dot, solid.
    const ElementPen missing = pens.penFor(200, 0);
    EXPECT_EQ(missing.colour, QColor(Qt::black));
    EXPECT_EQ(missing.widthDots, 1);
    EXPECT_TRUE(missing.dashDots.isEmpty());
    // An odd pitch count draws only whole dash and gap pairs.
    f->pens->at(2)->pitch = {2.0, 1.0, 5.0};
    EXPECT_EQ(ElementPens(*f).penFor(2, 0).dashDots.size(), 2);

    // Qt counts dashes in widths: a 4-dot pen with 8-dot dashes gets 2.
    ElementPen wide;
    wide.widthDots = 4;
    wide.dashDots = {8.0, 4.0};
    const QPen q = ElementPens::qpen(wide);
    EXPECT_EQ(q.width(), 4);
    EXPECT_EQ(q.dashPattern(), (QVector<qreal>{2.0, 1.0}));
}

TEST(FigurePainter, PaperFitsTheViewWithYUpAndElementsDrawInTheirPenColours)
{
    auto f = Figure::makeDefault();
    f->paperWidth = 200;
    f->paperHeight = 100;
    const FigurePainter geometry(*f, QRectF(0, 0, 424, 324));
    EXPECT_NEAR(geometry.scale(), 2.0, 1e-9) << "400 pixels inside the margins for 200 mm";
    EXPECT_EQ(geometry.map(0, 0), QPointF(12, 262));
    EXPECT_EQ(geometry.map(200, 100), QPointF(412, 62)) << "y grows upwards on paper";

    // A red line (pen 2's own colour is red) across the middle, and a blue
    // circle by colour number on a solid pen.
    // Four dots wide, so that antialiasing leaves the middle of the stroke pure.
    f->pens->at(2)->pitch.clear();
    f->pens->at(2)->width = 4;
    f->pens->at(1)->width = 4;
    addElement(*f, el::Line, {20, 50, 180, 50}, 2);
    addElement(*f, el::Circle, {100, 50, 30}, 1, 4);
    const QImage image = render(*f, QSize(424, 324));
    const QPoint onLine = geometry.map(40, 50).toPoint();
    EXPECT_EQ(QColor(image.pixel(onLine)).red(), 255);
    EXPECT_LT(QColor(image.pixel(onLine)).green(), 80);
    const QPoint onCircle = geometry.map(100, 80).toPoint();
    EXPECT_GT(QColor(image.pixel(onCircle)).blue(), 200);
    EXPECT_LT(QColor(image.pixel(onCircle)).red(), 80);
    // Inside the paper and away from elements: white; outside: untouched.
    EXPECT_EQ(QColor(image.pixel(geometry.map(150, 80).toPoint())), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::gray));
}

TEST(FigurePainter, DimensionsShowTheFiguresDimensionSettings)
{
    auto f = Figure::makeDefault();
    EXPECT_EQ(FigurePainter::dimensionText(*f, 160.0), "160.00") << "two digits by default";
    EXPECT_EQ(FigurePainter::dimensionFont(*f, 2.0).pixelSize(), 6) << "2.5 mm at 2 px/mm, at least 6 px";
    mobrhost::bytes::setI16(f->dim.data(), 96, 3);
    mobrhost::bytes::setText(f->dim.data(), 98, "R", 22);
    mobrhost::bytes::setText(f->dim.data(), 120, " mm", 22);
    mobrhost::bytes::setF32(f->dim.data(), 0, 5.0f);
    const uint32_t word = mobrhost::bytes::u32(f->dim.data(), mobr::dimblock::kTextWord);
    mobrhost::bytes::setU32(f->dim.data(), mobr::dimblock::kTextWord, mobr::attrword::put(word, mobr::attrword::kFont, 2));
    EXPECT_EQ(FigurePainter::dimensionText(*f, 160.0), "R160.000 mm");
    const QFont font = FigurePainter::dimensionFont(*f, 4.0);
    EXPECT_EQ(font.pixelSize(), 20);
    EXPECT_EQ(font.family(), "DejaVu Sans Mono");
    mobrhost::bytes::setI16(f->dim.data(), 96, -4);
    EXPECT_EQ(FigurePainter::dimensionText(*f, 1.5), "R2 mm") << "digits kept within 0 to 9";
}

TEST(FigurePainter, DashedPensLeaveGapsAndDeletedElementsAreNotDrawn)
{
    auto f = Figure::makeDefault();
    f->paperWidth = 100;
    f->paperHeight = 100;
    addElement(*f, el::Line, {10, 30, 90, 30}, 2);   // dashed 3 / 1 mm
    addElement(*f, el::Line, {10, 70, 90, 70}, 1);   // solid, then deleted
    f->elements.erase(2);
    const QSize size(1224, 1224);                    // 12 pixels per mm
    const FigurePainter geometry(*f, QRectF(QPointF(0, 0), size));
    const QImage image = render(*f, size);
    int inked = 0, blank = 0;
    for (double x = 20; x < 80; x += 0.1) {
        const QColor c(image.pixel(geometry.map(x, 30).toPoint()));
        (c == QColor(Qt::white) ? blank : inked)++;
    }
    EXPECT_GT(inked, 0);
    EXPECT_GT(blank, 0) << "a dashed line has gaps";
    for (double x = 20; x < 80; x += 1)
        EXPECT_EQ(QColor(image.pixel(geometry.map(x, 70).toPoint())), QColor(Qt::white));
}

TEST(FigureDocument, TheDrawingSizeSurvivesSavingAndReopeningAndJsonRoundTrips)
{
    mobrhost::HostStart start;
    ASSERT_TRUE(mobrhost::startHost(start));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FigureDocument::newFigure();
    Figure* f = FigureDocument::current();
    ASSERT_NE(f, nullptr);
    f->paperIndex = 6;
    f->paperWidth = 840.0;
    f->paperHeight = 594.5;
    addElement(*f, el::Line, {1, 2, 3, 4}, 1);
    const std::string fig = dir.filePath("a.fig").toStdString();
    std::string error;
    ASSERT_TRUE(FigureDocument::save(fig, &error)) << error;
    EXPECT_FALSE(f->changed);

    FigureDocument::newFigure();
    EXPECT_EQ(FigureDocument::current()->paperIndex, 4);
    ASSERT_TRUE(FigureDocument::open(fig, &error)) << error;
    EXPECT_EQ(FigureDocument::current()->paperIndex, 6);
    EXPECT_EQ(FigureDocument::current()->paperWidth, 840.0);
    EXPECT_EQ(FigureDocument::current()->paperHeight, 594.5);
    EXPECT_EQ(FigureDocument::current()->elements.liveCount(0), 1);

    // export FIG JSON, import JSON FIG: the same figure again.
    const std::string json = dir.filePath("a.json").toStdString();
    const std::string back = dir.filePath("b.fig").toStdString();
    ASSERT_TRUE(FigureDocument::exportJson(fig, json, &error)) << error;
    ASSERT_TRUE(FigureDocument::importJson(json, back, &error)) << error;
    ASSERT_TRUE(FigureDocument::open(back, &error)) << error;
    EXPECT_EQ(FigureDocument::current()->paperWidth, 840.0);
    EXPECT_EQ(FigureDocument::current()->elements.liveCount(0), 1);

    // Neither kind of file is taken when it is not a figure; the figure shown stays.
    ASSERT_TRUE(FigureDocument::writeText(dir.filePath("bad.json").toStdString(), "{\"paper\": {\"index\": 9}}", &error));
    EXPECT_FALSE(FigureDocument::open(dir.filePath("bad.json").toStdString(), &error));
    EXPECT_NE(error.find("paper"), std::string::npos) << error;
    ASSERT_TRUE(FigureDocument::writeText(dir.filePath("bad.fig").toStdString(), "not a figure", &error));
    EXPECT_FALSE(FigureDocument::open(dir.filePath("bad.fig").toStdString(), &error));
    EXPECT_FALSE(FigureDocument::open(dir.filePath("missing.fig").toStdString(), &error));
    EXPECT_EQ(FigureDocument::current()->paperWidth, 840.0);
}

namespace {

// True when every character of text gets a real glyph (glyph 0 is the
// "missing" box) from the font or from the fonts the system falls back to.
bool drawsEveryGlyph(const QFont& font, const QString& text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            if (index == 0) return false;
            ++glyphs;
        }
    }
    return glyphs > 0;
}

}  // namespace

// Pen, font and layer names are Japanese in the host code page: the dialogs'
// default font and the drawing's fonts must find glyphs for them.
TEST(JapaneseText, DialogAndDrawingFontsFallBackToAFontWithJapaneseGlyphs)
{
    const QString name = QStringLiteral("実線 一点鎖線 ｶﾀｶﾅ");
    EXPECT_TRUE(drawsEveryGlyph(QApplication::font(), name));
    for (const char* face : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"}) {
        QFont font;
        font.setFamilies({QString::fromLatin1(face)});
        EXPECT_TRUE(drawsEveryGlyph(font, name)) << face;
    }
}
