#pragma once

#include "config/LangChanger.h"
#include "tasks/TaskPorts.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QDialog;

// The questions of the task subsystem as real dialogs: each one is made for its call,
// translated by the language file, centred on the owner window and shown modally.
class TQtTaskDialogs : public ITaskDialogs {
public:
    TQtTaskDialogs(QWidget* owner, const TLangChanger& language);

    // Shows a task's properties without changing them: the "properties" button of the
    // question about an unfinished task. The owner passes the task manager's
    // ShowTaskProperties(task, true); unset, the task dialog shows them and forgets the answer.
    std::function<void(TTaskItem&)> ShowPropertiesReadOnly;
    // The texts of the task dialog's priority list, lowest priority first: the owner passes
    // the captions of the priorities with the speeds of the current connection type; unset,
    // the list shows the priorities' numbers.
    std::function<std::vector<std::string>()> PriorityCaptions;

    TModalResult MessageBox(const std::string& text, TMessageKind kind, unsigned buttons) override;
    TModalResult ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned buttons,
                                         bool& checked) override;
    bool AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember) override;
    TIncompleteTaskAnswer AskIncompleteTask(const TTaskItem& task) override;
    bool AskPauseMinutes(int& minutes) override;
    bool AskMaxActiveTasks(int& limit) override;
    bool ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault) override;
    bool AskDuplicate(std::string& destination, std::string& name) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override;

private:
    // Translates, centres and runs dialog; true for OK.
    bool Run(QDialog& dialog) const;
    void ShowReadOnly(const TTaskItem& task);

    QPointer<QWidget> Owner_;
    const TLangChanger& Language_;
};
