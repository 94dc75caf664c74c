#include "ModalScript.h"
#include "WindowTestBed.h"
#include "app/DataFiles.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "records/RecycleBinManager.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class RecordPagesTest : public TWindowTestBed {
protected:
    RecordPagesTest() { Options().DefaultTaskStart = tsManually; }
};

TModalScript::TStep Press(const char* button)
{
    return [button](QWidget& window) {
        auto* push = window.findChild<QPushButton*>(button);
        ASSERT_NE(push, nullptr) << button;
        push->click();
    };
}

TEST_F(RecordPagesTest, ARecordRestoredWithItsKeyBecomesATaskThroughTheTaskDialogAndStaysInTheBin)
{
    const std::string link = "http://127.0.0.1:9/a.bin";
    const std::string folder = Temp.Path().string() + "/out";
    TQuorvexForm form(MainThread, Language, LocateDataFiles(), false);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    TManagerTask& tasks = form.Tasks();
    TRecycleBinManager& bin = form.Session().RecycleBin();
    tasks.AddFiles(link + "\nhttp://127.0.0.1:9/kept.bin\n", folder, true);
    Options().bdsAllSelectedTaskDelete = true;
    tasks.Rows().ClearSelection();
    tasks.Rows().Select(0);
    form.Action("actTaskDelete")->trigger();
    ASSERT_EQ(tasks.Tasks().Count(), 1);
    // The task left stays selected: the window's restart of downloads could take Ctrl+R.
    tasks.SelectAll();
    form.Tick();
    ASSERT_TRUE(form.Action("actTaskReload")->isEnabled());

    form.Action("actRecycleBin")->trigger();
    auto* list = form.findChild<QTreeView*>("TreeRecycleBin");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 4).data().toString().toStdString(), link);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_TRUE(bin.HasSelection());

    // Ctrl+R is the list's restore, not the restart of the downloads page behind it.
    {
        TModalScript script({Press("btnOK"), Press("btnOK")});
        QTest::keyClick(list, Qt::Key_R, Qt::ControlModifier);
        EXPECT_EQ(script.Seen(), (std::vector<std::string>{"MessageDlg", "DlgTaskProperties"}));
    }
    ASSERT_EQ(tasks.Tasks().Count(), 2);
    EXPECT_EQ(tasks.Tasks()[1].Source, link);
    EXPECT_EQ(tasks.Tasks()[1].Destination, folder);
    EXPECT_EQ(form.PageInFront(), pgTask);
    EXPECT_EQ(bin.Items().Count(), 1);

    // Delete on the list deletes the record for good, after its question.
    form.Action("actRecycleBin")->trigger();
    {
        TModalScript script({Press("btnOK")});
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(script.Seen(), std::vector<std::string>{"MessageDlg"});
    }
    EXPECT_EQ(bin.Items().Count(), 0);
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(tasks.Tasks().Count(), 2);
}

}  // namespace
