#include "tasks/qt/QtTaskDialogs.h"

#include "config/qt/QtLangWindow.h"
#include "tasks/DuplicateDialogModel.h"
#include "tasks/ExistingFileDialogModel.h"
#include "tasks/IncompleteTaskDialogModel.h"
#include "tasks/TaskDialogModel.h"
#include "tasks/TaskItem.h"
#include "tasks/TaskProp.h"
#include "tasks/qt/DLGAskDestinationAlreadyInList.h"
#include "tasks/qt/DLGAskPerformDeleteIncompleteTask.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/DlgAskAlraedyInDisk.h"
#include "tasks/qt/DlgSetNumMaxActiveTask.h"
#include "tasks/qt/DlgTaskProperties.h"
#include "tasks/qt/InputBoxDlg.h"
#include "tasks/qt/MessageDlg.h"
#include "tasks/qt/dlgPauseTemp.h"

TQtTaskDialogs::TQtTaskDialogs(QWidget* owner, const TLangChanger& language) : Owner_(owner), Language_(language) {}

bool TQtTaskDialogs::Run(QDialog& dialog) const
{
    TranslateQtForm(Language_, dialog);
    return ExecCentred(dialog, Owner_) == QDialog::Accepted;
}

TModalResult TQtTaskDialogs::MessageBox(const std::string& text, TMessageKind kind, unsigned buttons)
{
    TMessageDlg dialog(text, kind, buttons, false, Owner_);
    Run(dialog);
    return dialog.Result();
}

TModalResult TQtTaskDialogs::ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned buttons,
                                                     bool& checked)
{
    TMessageDlg dialog(text, kind, buttons, true, Owner_);
    Run(dialog);
    checked = dialog.Checked();
    return dialog.Result();
}

bool TQtTaskDialogs::AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember)
{
    TExistingFileDialogModel model(name);
    TDlgAskAlraedyInDisk dialog(model, Owner_);
    return Run(dialog) && model.Accept(decision, name, remember);
}

TIncompleteTaskAnswer TQtTaskDialogs::AskIncompleteTask(const TTaskItem& task)
{
    TIncompleteTaskDialogModel model(task);
    TDLGAskPerformDeleteIncompleteTask dialog(model, [this, &task] { ShowReadOnly(task); }, Owner_);
    return Run(dialog) ? model.Accept() : TIncompleteTaskAnswer{};
}

void TQtTaskDialogs::ShowReadOnly(const TTaskItem& task)
{
    if (ShowPropertiesReadOnly) {
        // Only shown: nothing of the task changes.
        ShowPropertiesReadOnly(const_cast<TTaskItem&>(task));
        return;
    }
    TTaskDialogModel model(TaskPropOf(task), false);
    TDlgTaskProperties dialog(model, PriorityCaptions ? PriorityCaptions() : std::vector<std::string>(),
                              Owner_);
    Run(dialog);
}

bool TQtTaskDialogs::AskPauseMinutes(int& minutes)
{
    TdlgPauseTemp dialog(minutes, Owner_);
    if (!Run(dialog))
        return false;
    minutes = dialog.Minutes();
    return true;
}

bool TQtTaskDialogs::AskMaxActiveTasks(int& limit)
{
    TDlgSetNumMaxActiveTask dialog(limit, Owner_);
    if (!Run(dialog))
        return false;
    limit = dialog.Limit();
    return true;
}

bool TQtTaskDialogs::ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault)
{
    TTaskDialogModel model(prop, newTask);
    TDlgTaskProperties dialog(model, PriorityCaptions ? PriorityCaptions() : std::vector<std::string>(), Owner_);
    return Run(dialog) && model.Accept(prop, useByDefault);
}

bool TQtTaskDialogs::AskDuplicate(std::string& destination, std::string& name)
{
    TDuplicateDialogModel model(destination, name);
    TDLGAskDestinationAlreadyInList dialog(model, Owner_);
    return Run(dialog) && model.Accept(destination, name);
}

bool TQtTaskDialogs::InputBox(const std::string& caption, const std::string& prompt, std::string& text)
{
    TInputBoxDlg dialog(caption, prompt, text, Owner_);
    if (!Run(dialog))
        return false;
    text = dialog.Text();
    return true;
}
