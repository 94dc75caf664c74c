#include "config/qt/DlgTuneColumn.h"
#include "config/qt/ListColumns.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A list of four columns "c0".."c3", shown in their order.
class ColumnDialogTest : public ::testing::Test {
protected:
    QStandardItemModel Items{0, 4};
    QTreeView List;
    QHeaderView& Header = *List.header();

    ColumnDialogTest()
    {
        Items.setHorizontalHeaderLabels({"c0", "c1", "c2", "c3"});
        List.setModel(&Items);
        Header.setStretchLastSection(false);
        ApplyColumns(Header, DefaultListColumns(4));
    }

    // Runs the dialog on the list, with steps done on the open dialog.
    bool Run(const std::function<void(TdlgTuneColumn&)>& steps)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TdlgTuneColumn*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            steps(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return ShowColumnDialog(nullptr, Header, 0);
    }
    static void Press(TdlgTuneColumn& dialog, const char* name)
    {
        auto* action = dialog.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    static bool Enabled(TdlgTuneColumn& dialog, const char* name)
    {
        return dialog.findChild<QAction*>(name)->isEnabled();
    }
    static QTreeWidget& Rows(TdlgTuneColumn& dialog) { return *dialog.findChild<QTreeWidget*>("TreeColumns"); }
    static void Ok(TdlgTuneColumn& dialog) { dialog.findChild<QPushButton*>("btnOK")->click(); }
};

}  // namespace

TEST_F(ColumnDialogTest, TheMainColumnStaysAndMovedRowsChangeTheDisplayOrderOnOk)
{
    EXPECT_TRUE(Run([](TdlgTuneColumn& dialog) {
        QTreeWidget& rows = Rows(dialog);
        EXPECT_EQ(rows.currentItem(), rows.topLevelItem(0));
        EXPECT_FALSE(Enabled(dialog, "actMoveUP")) << "the first row";
        rows.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        EXPECT_EQ(rows.topLevelItem(0)->checkState(0), Qt::Checked) << "the main column's box is refused";
        Press(dialog, "actHide");
        EXPECT_EQ(rows.topLevelItem(0)->checkState(0), Qt::Checked);
        Press(dialog, "actMoveDown");
        EXPECT_EQ(rows.currentItem()->text(0), "c0") << "the focus stays on the moved row";
        EXPECT_EQ(rows.topLevelItem(0)->text(0), "c1");
        Ok(dialog);
    }));
    EXPECT_EQ(Header.visualIndex(0), 1);
    EXPECT_EQ(Header.visualIndex(1), 0);
    EXPECT_FALSE(Header.isSectionHidden(0));
}

TEST_F(ColumnDialogTest, CancelLeavesTheListAsItWas)
{
    EXPECT_FALSE(Run([](TdlgTuneColumn& dialog) {
        Rows(dialog).topLevelItem(2)->setCheckState(0, Qt::Unchecked);
        Rows(dialog).setCurrentItem(Rows(dialog).topLevelItem(3));
        Press(dialog, "actMoveUP");
        dialog.reject();
    }));
    EXPECT_FALSE(Header.isSectionHidden(2));
    EXPECT_EQ(Header.visualIndex(3), 3);
}

TEST_F(ColumnDialogTest, HeaderMenuNeverHidesTheMainColumnNorTheLastShownOne)
{
    std::vector<TListColumnStore> columns = DefaultListColumns(4);
    columns[1].Visible = columns[3].Visible = false;
    ApplyColumns(Header, columns);
    QAction grid("grid");
    QMenu* menu = CreateColumnHeaderMenu(Header, 0, {&grid}, &List);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 6);  // four columns, a separator, the command
    EXPECT_FALSE(items[0]->isEnabled()) << "the main column";
    EXPECT_TRUE(items[2]->isEnabled());
    EXPECT_FALSE(items[1]->isChecked());
    EXPECT_TRUE(items[4]->isSeparator());
    items[2]->trigger();  // hides c2: c0 is the only column shown
    EXPECT_TRUE(Header.isSectionHidden(2));
    delete menu;

    columns[0].Visible = false;  // a stored setting that hid the main column
    columns[1].Visible = true;
    columns[2].Visible = false;
    ApplyColumns(Header, columns);
    menu = CreateColumnHeaderMenu(Header, 0, {}, &List);
    EXPECT_FALSE(menu->actions()[1]->isEnabled()) << "the only column shown";
    delete menu;

    // Stored settings come back as they went in, widths of hidden columns included.
    columns[2].Width = 77;
    columns[3].Sorted = true;
    columns[3].SortDirection = 1;
    columns[1].Alignment = 2;
    columns[0].Position = 3;
    columns[3].Position = 0;
    ApplyColumns(Header, columns);
    std::vector<TListColumnStore> read;
    ReadColumns(Header, read);
    for (TListColumnStore& column : read)
        column.Caption.clear();
    EXPECT_EQ(read, columns);
}
