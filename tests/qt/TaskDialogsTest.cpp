#include "ModalScript.h"
#include "app/qt/MessageDlgTimeout.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "support/TaskFakes.h"
#include "tasks/TaskItem.h"
#include "tasks/TaskProp.h"
#include "tasks/qt/DLGAskDestinationAlreadyInList.h"
#include "tasks/qt/DLGAskPerformDeleteIncompleteTask.h"
#include "tasks/qt/DlgTaskProperties.h"
#include "tasks/qt/MessageDlg.h"
#include "tasks/qt/QtDialogCountdown.h"
#include "tasks/qt/QtTaskDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class TaskDialogsTest : public ::testing::Test {
protected:
    TaskDialogsTest()
    {
        Options() = TOptions{};
        SetMessageText("sButtonTimedOk", "OK (%d)");
        SetMessageText("SMsgDlgOK", "OK");
        SetMessageText("SMsgDlgCancel", "Cancel");
        SetMessageText("SMsgDlgConfirm", "Confirm");
    }
    ~TaskDialogsTest() override
    {
        Options() = TOptions{};
        ClearMessageTexts();
    }

    TLangChanger Language;  // no file: the forms keep their own texts
    QWidget Owner;
    TQtTaskDialogs Dialogs{&Owner, Language};
};

// Acts on the modal dialog of type T once it shows; another window in front fails the
// test and is closed, so that nothing waits for ever.
template <class T>
void WhenShown(std::function<void(T&)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* front = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(front)) {
            act(*dialog);
            return;
        }
        ADD_FAILURE() << "another window is in front";
        if (front)
            front->close();
    });
}

}  // namespace

TEST_F(TaskDialogsTest, TypingASourceAndAFolderEnablesOkWhichReturnsAndRemembersThem)
{
    Options().ListSource = {"/old/a.zip"};
    TTaskProp prop;
    bool enabledEmpty = true, enabledSourceOnly = true, sourceLogin = false, destinationLogin = true;
    WhenShown<TDlgTaskProperties>([&](TDlgTaskProperties& dialog) {
        auto& ok = Child<QPushButton>(dialog, "btnOK");
        enabledEmpty = ok.isEnabled();
        QTest::keyClicks(Child<QComboBox>(dialog, "cmbSource").lineEdit(), "ftp://host/b.zip");
        enabledSourceOnly = ok.isEnabled();
        QTest::keyClicks(Child<QComboBox>(dialog, "cmbDestination").lineEdit(), "/srv/in");
        Child<QTabWidget>(dialog, "pcProperties").setCurrentIndex(1);
        sourceLogin = Child<QCheckBox>(dialog, "cbLoginToSource").isEnabled();
        destinationLogin = Child<QCheckBox>(dialog, "cbLoginToDestination").isEnabled();
        Child<QCheckBox>(dialog, "cbLoginToSource").click();
        QTest::keyClicks(&Child<QLineEdit>(dialog, "edSourceUser"), "me");
        Child<QComboBox>(dialog, "cmbTraffik").setCurrentIndex(tpHigherPriority);
        QTest::mouseClick(&ok, Qt::LeftButton);
    });
    bool useByDefault = true;
    ASSERT_TRUE(Dialogs.ShowTaskDialog(prop, true, useByDefault));
    EXPECT_FALSE(enabledEmpty);
    EXPECT_FALSE(enabledSourceOnly);
    // A login is offered for the FTP source only.
    EXPECT_TRUE(sourceLogin);
    EXPECT_FALSE(destinationLogin);
    EXPECT_EQ(prop.Source, "ftp://host/b.zip");
    EXPECT_EQ(prop.Destination, "/srv/in");
    EXPECT_TRUE(prop.LoginToSource);
    EXPECT_EQ(prop.UserLoginToSource, "me");
    EXPECT_EQ(prop.TrafficPriority, tpHigherPriority);
    EXPECT_FALSE(useByDefault);
    EXPECT_EQ(Options().ListSource, (std::vector<std::string>{"ftp://host/b.zip", "/old/a.zip"}));
    EXPECT_EQ(Options().ListDestination, std::vector<std::string>{"/srv/in"});
}

TEST_F(TaskDialogsTest, ATimedQuestionAnswersByItselfButNeverBehindAnotherWindow)
{
    Options().DialogTimeout = 2;
    QString caption;
    bool openBehind = false;
    WhenShown<TDLGAskDestinationAlreadyInList>([&](TDLGAskDestinationAlreadyInList& dialog) {
        EXPECT_EQ(dialog.Countdown().Timer().interval(), 1000);
        dialog.Countdown().Tick();
        caption = Child<QPushButton>(dialog, "btnOK").text();
        QDialog front(&dialog);
        front.setModal(true);
        front.show();
        for (int i = 0; i < 5; ++i)
            dialog.Countdown().Tick();
        openBehind = dialog.isVisible();
        front.hide();
        dialog.Countdown().Tick();
    });
    std::string destination = "/srv/in";
    std::string name = "a[1].zip";
    EXPECT_TRUE(Dialogs.AskDuplicate(destination, name));
    EXPECT_EQ(caption, "OK (1)");
    EXPECT_TRUE(openBehind);
    EXPECT_EQ(destination, "/srv/in");
    EXPECT_EQ(name, "a[1].zip");
    EXPECT_EQ(Options().DuplicateTaskWhatToDo, 2);
}

TEST_F(TaskDialogsTest, TheUnfinishedTaskQuestionWaitsWhileTheTaskIsShown)
{
    TTaskBed bed;
    bed.OpenManager();
    TTaskItem& task = bed.AddTask("/s/a.zip", "/d");
    Options().DialogTimeout = 1;
    TDLGAskPerformDeleteIncompleteTask* asking = nullptr;
    const TTaskItem* shown = nullptr;
    bool openWhileShown = false;
    Dialogs.ShowPropertiesReadOnly = [&](TTaskItem& item) {
        shown = &item;
        QDialog properties(asking);
        properties.setModal(true);
        properties.show();
        asking->Countdown().Tick();
        openWhileShown = asking->isVisible();
    };
    WhenShown<TDLGAskPerformDeleteIncompleteTask>([&](TDLGAskPerformDeleteIncompleteTask& dialog) {
        asking = &dialog;
        Child<QRadioButton>(dialog, "rbLeave").setChecked(true);
        Child<QPushButton>(dialog, "btnProperties").click();
        dialog.Countdown().Tick();
    });
    const TIncompleteTaskAnswer answer = Dialogs.AskIncompleteTask(task);
    EXPECT_EQ(shown, &task);
    EXPECT_TRUE(openWhileShown);
    EXPECT_TRUE(answer.Confirmed);
    EXPECT_FALSE(answer.DeleteFile);
    EXPECT_FALSE(answer.Remember);
}

TEST_F(TaskDialogsTest, TheExitQuestionWaitsWhileTheProgramIsBusy)
{
    bool busy = true;
    bool openWhileBusy = false;
    WhenShown<TMessageDlgTimeout>([&](TMessageDlgTimeout& dialog) {
        Child<QCheckBox>(dialog, "cbDoNotShowInFuture").setChecked(true);
        for (int i = 0; i < 5; ++i)
            dialog.Countdown().Tick();
        openWhileBusy = dialog.isVisible();
        busy = false;
        dialog.Countdown().Tick();
        dialog.Countdown().Tick();
    });
    bool dontAsk = false;
    EXPECT_TRUE(ConfirmWithTimeout(&Owner, Language, "", "Quit?", 2, dontAsk, 3, [&] { return busy; }));
    EXPECT_TRUE(openWhileBusy);
    EXPECT_TRUE(dontAsk);

    // Cancel leaves the flag alone.
    WhenShown<TMessageDlgTimeout>([](TMessageDlgTimeout& dialog) {
        Child<QCheckBox>(dialog, "cbDoNotShowInFuture").setChecked(true);
        Child<QPushButton>(dialog, "btnCancel").click();
    });
    dontAsk = false;
    EXPECT_FALSE(ConfirmWithTimeout(&Owner, Language, "", "Quit?", 2, dontAsk, 3));
    EXPECT_FALSE(dontAsk);
}

TEST_F(TaskDialogsTest, TheBoxWithACheckStoresItOnlyWithOkAndCopiesItself)
{
    bool dontAsk = false;
    WhenShown<TMessageDlg>([](TMessageDlg& dialog) {
        Child<QCheckBox>(dialog, "cbDontShowAgain").setChecked(true);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(MessageBoxWithCheck(Dialogs, "Delete?", TMessageKind::Confirmation, mbOK | mbCancel, dontAsk),
              TModalResult::Cancel);
    EXPECT_FALSE(dontAsk);

    QString copied;
    WhenShown<TMessageDlg>([&](TMessageDlg& dialog) {
        Child<QCheckBox>(dialog, "cbDontShowAgain").setChecked(true);
        dialog.CopyToClipboard();
        copied = QApplication::clipboard()->text();
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_EQ(MessageBoxWithCheck(Dialogs, "Delete?", TMessageKind::Confirmation, mbOK | mbCancel, dontAsk),
              TModalResult::OK);
    EXPECT_TRUE(dontAsk);
    const QString rule = "---------------------------\r\n";
    EXPECT_EQ(copied, rule + "Confirm\r\n" + rule + "Delete?\r\n" + rule + "OK   Cancel   \r\n" + rule);
    // From now on the box is not shown.
    EXPECT_EQ(MessageBoxWithCheck(Dialogs, "Delete?", TMessageKind::Confirmation, mbOK | mbCancel, dontAsk),
              TModalResult::OK);
}
