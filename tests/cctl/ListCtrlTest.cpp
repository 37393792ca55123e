#include <set>
#include <utility>

#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTreeWidget>

#include "CctlTestMain.h"
#include "mobrcctl/AdvancedListCtrl.h"
#include "mobrcctl/ZqListCtrl.h"

namespace {

class ListTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree = new QTreeWidget(win.root.get());
        tree->setObjectName(QStringLiteral("c1601"));
        tree->resize(400, 200);
        win.wire();
    }
    TestWindow win;
    QTreeWidget* tree = nullptr;
};

TEST_F(ListTest, RowsAndSelection) {
    CZqListCtrl list;
    EXPECT_EQ(list.GetCurSel(), -1) << "not attached";
    EXPECT_EQ(list.AddString("a"), -1);
    ASSERT_EQ(list.SubclassListCtrl(1601, &win), 1);
    list.SetColumnString({"Name", "Value"});
    EXPECT_EQ(tree->columnCount(), 2);

    EXPECT_EQ(list.AddString({"b", "2"}), 0);
    EXPECT_EQ(list.AddString("c\t3"), 1);
    EXPECT_EQ(list.InsertString(0, {"a", "1"}), 0);
    EXPECT_EQ(list.InsertString(99, "d\t4\t\tx"), 3) << "out of range appends";
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetText(1, 0), "b");
    EXPECT_EQ(list.GetText(2, 1), "3");
    EXPECT_EQ(list.GetText(3, 3), "x") << "tabs split columns, empty ones kept";
    EXPECT_EQ(tree->columnCount(), 4);

    EXPECT_EQ(list.GetCurSel(), -1) << "nothing selected yet";
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.SetCurSel(7), -1);
    EXPECT_EQ(list.GetCurSel(), -1) << "a bad index clears the selection";

    list.SetCurSel(1);
    EXPECT_EQ(list.DeleteString(9), -1);
    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.GetText(0, 0), "b");
    EXPECT_EQ(list.GetCurSel(), 0) << "the selected row moved up with its neighbours";

    list.SetExtendedStyle(list.GetExtendedStyle() | CZqListCtrl::LVS_EX_HEADERDRAGDROP);
    EXPECT_TRUE(tree->header()->sectionsMovable());
    EXPECT_EQ(tree->selectionBehavior(), QAbstractItemView::SelectRows);
    list.SetExtendedStyle(0);
    EXPECT_FALSE(tree->header()->sectionsMovable());
    EXPECT_EQ(tree->selectionBehavior(), QAbstractItemView::SelectItems);

    list.SetItemData(1, 7001);
    EXPECT_EQ(list.GetItemData(1), 7001);
    EXPECT_EQ(list.GetItemData(9), 0);

    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurSel(), -1);
}

TEST_F(ListTest, HostCodePageTextsRoundTrip) {
    CZqListCtrl list;
    ASSERT_EQ(list.SubclassListCtrl(1601, &win), 1);
    const std::string name = "\x90\xfc\x8e\xed";  // two double-byte characters
    list.AddString({name, "\x83\x5c"});             // a 0x5C trail byte
    EXPECT_EQ(list.GetText(0, 0), name);
    EXPECT_EQ(list.GetText(0, 1), "\x83\x5c");
    EXPECT_EQ(tree->topLevelItem(0)->text(0).size(), 2) << "shown as two characters";
}

class CountingList : public CAdvancedListCtrl {
public:
    bool DrawSubItem(QPainter& painter, const QRect& rect, int row, int column, bool) override {
        cells.insert({row, column});
        if (column != 1) return false;
        painter.fillRect(rect, Qt::red);
        return true;
    }
    std::set<std::pair<int, int>> cells;
};

TEST_F(ListTest, AdvancedColumnsItemsAndImages) {
    CAdvancedListCtrl list;
    ASSERT_EQ(list.SubclassListCtrl(1601, &win), 1);
    EXPECT_EQ(list.InsertColumn(0, "Name"), 0);
    EXPECT_EQ(list.InsertColumn(1, "Colour", CAdvancedListCtrl::AlignCenter), 1);
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(list.InsertItem(0, "pen1"), 0);
    EXPECT_EQ(list.InsertItem(-1, "pen2"), 1);
    EXPECT_TRUE(list.SetItemText(1, 1, "red"));
    EXPECT_FALSE(list.SetItemText(1, 5, "x")) << "no such column";
    EXPECT_FALSE(list.SetItemText(4, 0, "x")) << "no such row";

    // A column inserted in front moves the titles and the cells right.
    EXPECT_EQ(list.InsertColumn(1, "Sample"), 1);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("Colour"));
    EXPECT_EQ(list.GetItemText(1, 2), "red");
    EXPECT_EQ(list.GetItemText(1, 1), "");

    QPixmap strip(32, 16);
    strip.fill(Qt::green);
    EXPECT_EQ(list.SetSubImageList(strip, 16, qRgb(0, 255, 0)), 2);
    EXPECT_TRUE(list.SetSubItemImage(0, 2, 1));
    EXPECT_EQ(list.GetSubItemImage(0, 2), 1);
    EXPECT_EQ(list.GetSubItemImage(1, 2), -1);
    EXPECT_TRUE(list.SetSubItemImage(0, 2, -1));
    EXPECT_EQ(list.GetSubItemImage(0, 2), -1);
    const QImage transparentCheck = list.images()[0].toImage();
    EXPECT_EQ(qAlpha(transparentCheck.pixel(3, 3)), 0) << "the transparent colour is see-through";

    list.SetCurSel(1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_FALSE(list.DeleteItem(5));
    EXPECT_EQ(list.GetItemText(0, 0), "pen2");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnCount(), 3) << "columns stay";

    list.SetAdvancedStyle(0x80000030u);
    EXPECT_EQ(list.GetAdvancedStyle(), 0x80000030u);
}

TEST_F(ListTest, OwnerDrawHookPaintsEveryCell) {
    CountingList list;
    ASSERT_EQ(list.SubclassListCtrl(1601, &win), 1);
    list.InsertColumn(0, "Name", CAdvancedListCtrl::AlignLeft, 100);
    list.InsertColumn(1, "Sample", CAdvancedListCtrl::AlignLeft, 100);
    list.InsertItem(0, "a");
    list.InsertItem(1, "b");
    const QImage shot = tree->grab().toImage();
    const std::set<std::pair<int, int>> expected{{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    EXPECT_EQ(list.cells, expected);
    // The hook's own painting shows in the second column.
    const QRect cell = tree->visualItemRect(tree->topLevelItem(0));
    const QPoint inSample = tree->viewport()->mapTo(tree, QPoint(150, cell.center().y()));
    EXPECT_EQ(shot.pixelColor(inSample), QColor(Qt::red));
}

TEST_F(ListTest, InPlaceLabelEditAsksTheHandler) {
    CAdvancedListCtrl list;
    ASSERT_EQ(list.SubclassListCtrl(1601, &win), 1);
    list.InsertColumn(0, "Name");
    list.InsertItem(0, "tip10");
    win.root->show();
    std::string seen;
    bool accept = false;
    list.setLabelEditHandler([&](int row, const std::string& text) {
        seen = std::to_string(row) + ":" + text;
        return accept;
    });

    const struct {
        bool accept;
        const char* typed;
        const char* shown;
    } rounds[] = {{false, "Arrow", "tip10"}, {true, "Arrow", "Arrow"}, {false, "Other", "Arrow"}};
    for (const auto& r : rounds) {
        accept = r.accept;
        seen.clear();
        ASSERT_TRUE(list.EditLabel(0));
        auto* editor = qobject_cast<QLineEdit*>(tree->indexWidget(tree->model()->index(0, 0)));
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromLatin1(r.typed));
        pressKey(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor
        EXPECT_EQ(seen, std::string("0:") + r.typed);
        EXPECT_EQ(list.GetItemText(0, 0), r.shown);
    }
    EXPECT_FALSE(list.EditLabel(3));
}

TEST(OmitString, ShortensToTheCellWidth) {
    const QFont font;
    const QFontMetrics fm(font);
    const QString text = QStringLiteral("A rather long pen name");
    EXPECT_EQ(CAdvancedListCtrl::OmitString(text, fm, 10000), text);
    const int width = fm.horizontalAdvance(text) / 2;
    const QString cut = CAdvancedListCtrl::OmitString(text, fm, width);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("...")));
    EXPECT_LE(fm.horizontalAdvance(cut), width);
    EXPECT_TRUE(text.startsWith(cut.left(cut.size() - 3)));
    EXPECT_EQ(CAdvancedListCtrl::OmitString(text, fm, 1), QString()) << "not even the dots fit";

    // Host code page: never half a double-byte character.
    const std::string wide = "\x90\xfc\x8e\xed\x90\xfc\x8e\xed\x90\xfc\x8e\xed\x90\xfc\x8e\xed";
    const std::string shortened = CAdvancedListCtrl::OmitString(
        wide, fm, fm.horizontalAdvance(QString::fromUtf8("\xe7\xb7\x9a\xe7\xa8\xae...")) + 1);
    ASSERT_GE(shortened.size(), 3u);
    EXPECT_EQ(shortened.substr(shortened.size() - 3), "...");
    EXPECT_EQ((shortened.size() - 3) % 2, 0u);
    EXPECT_EQ(wide.compare(0, shortened.size() - 3, shortened, 0, shortened.size() - 3), 0);
}

}  // namespace
