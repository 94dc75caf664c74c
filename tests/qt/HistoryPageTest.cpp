#include "records/qt/HistoryPage.h"
#include "ModalScript.h"
#include "WindowTestBed.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/Options.h"
#include "core/DateTime.h"
#include "core/MessageCatalogue.h"
#include "records/HistoryManager.h"
#include "records/qt/RecordListModel.h"
#include "records/qt/RecordListView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The main window over data files of its own, with a history of three records: "fresh"
// completed an hour ago, "older" 25 hours ago and "old" ten days ago.
class HistoryPageTest : public TWindowTestBed {
protected:
    HistoryPageTest()
    {
        Form = OpenWindow();
        THistoryManager& history = Form->Session().History();
        history.Clear();
        for (const auto& [name, hoursAgo] : {std::pair{"old", 240.0}, {"older", 25.0}, {"fresh", 1.0}}) {
            const TDateTime completed{Now_.Value - hoursAgo / 24};
            history.AddToHistory({name, "/src/" + std::string(name), "/dst", 10, 1000, completed, completed});
        }
    }
    // Clicks the page tree's node captioned by the message.
    void ClickNode(const char* caption)
    {
        auto* tree = Form->findChild<QTreeWidget*>("TreePages");
        const auto found =
            tree->findItems(QString::fromStdString(Translate(caption)), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << caption;
        tree->scrollToItem(found[0]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found[0]).center());
    }
    // The names the history list shows, top to bottom.
    std::string Shown() const
    {
        const TRecordListModel& model = Form->HistoryPage().HistoryList().Model();
        std::string names;
        for (int row = 0; row < model.rowCount(); ++row)
            names += (names.empty() ? "" : " ") + model.index(row, 0).data().toString().toStdString();
        return names;
    }
    static QDate DaysAgo(int days) { return QDate::currentDate().addDays(-days); }

    std::unique_ptr<TQuorvexForm> Form;

private:
    TDateTime Now_ = NowDateTime();
};

}  // namespace

TEST_F(HistoryPageTest, APageTreeFilterShowsOnlyTheMatchingRecords)
{
    const struct {
        const char* Node;
        const char* Shown;
    } nodes[] = {{"sPageHistoryToday", "fresh"},
                 {"sPageHistoryYesterday", "older"},
                 {"sPageHistoryWeek", "fresh older"},
                 {"sPageHistoryMonth", "fresh older old"},
                 {"sPageTask", nullptr},
                 {"sPageHistory", "fresh older old"}};
    for (const auto& node : nodes) {
        ClickNode(node.Node);
        if (node.Shown) {
            EXPECT_EQ(Shown(), node.Shown) << node.Node;
        }
    }
    EXPECT_TRUE(Form->HistoryPage().isVisible());
}

TEST_F(HistoryPageTest, AReversedCustomRangeIsTakenInDateOrder)
{
    // From eleven days ago back to nine: the record of ten days ago only.
    TModalScript script({[](QWidget& dialog) {
        dialog.findChild<QDateEdit*>("dtpStart")->setDate(DaysAgo(9));
        dialog.findChild<QDateEdit*>("dtpStop")->setDate(DaysAgo(11));
        dialog.findChild<QPushButton*>("btnOK")->click();
    }});
    ClickNode("sPageHistoryCustom");
    EXPECT_EQ(script.Seen(), std::vector<std::string>{"DlgHistoryCustomTimeFilter"});
    EXPECT_EQ(Shown(), "old");
    const THistoryManager& history = Form->Session().History();
    EXPECT_EQ(history.DateFilter(), hdfCustom);
    EXPECT_LT(history.CustomFrom(), history.CustomTo());
}

TEST_F(HistoryPageTest, FindSelectsTheMatchingRowsOfTheHistoryList)
{
    ClickNode("sPageHistory");
    QAction* find = Form->Action("actFind");
    Form->Tick();
    ASSERT_TRUE(find->isEnabled());
    find->trigger();
    auto* dialog = Form->findChild<QDialog*>("dlgFind");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    auto* selectAll = dialog->findChild<QPushButton*>("btnSelectAll");
    EXPECT_FALSE(selectAll->isEnabled());  // no text yet
    dialog->findChild<QComboBox*>("cmbFind")->setEditText("OLD");
    dialog->findChild<QCheckBox*>("cbSource")->setChecked(false);
    selectAll->click();
    QItemSelectionModel& selection = *Form->HistoryPage().HistoryList().selectionModel();
    EXPECT_EQ(selection.selectedRows().size(), 2);  // "older" and "old", case ignored
    EXPECT_EQ(Form->Session().History().CountSelected(), 2);
    EXPECT_EQ(Options().ListFinded.front(), "OLD");
}
