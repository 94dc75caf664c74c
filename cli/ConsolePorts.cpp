#include "cli/ConsolePorts.h"

#include "core/Links.h"
#include "tasks/DuplicateDialogModel.h"
#include "tasks/TaskDialogModel.h"

#include <iostream>

void PrintMessage(const std::string& text)
{
    std::cerr << "quorvex-cli: " << MaskLinkPasswords(text) << std::endl;
}

TModalResult TConsoleDialogs::MessageBox(const std::string& text, TMessageKind, unsigned buttons)
{
    PrintMessage(text);
    if (!(buttons & mbOK) && (buttons & mbYes))
        return TModalResult::Yes;
    return TModalResult::OK;
}

TModalResult TConsoleDialogs::ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind,
                                                      unsigned buttons, bool& checked)
{
    checked = false;
    return MessageBox(text, kind, buttons);
}

bool TConsoleDialogs::AskExistingFile(TExistingFileDecision& decision, std::string&, bool& remember)
{
    decision = ExistingFileDecision_;
    remember = false;
    return true;
}

TIncompleteTaskAnswer TConsoleDialogs::AskIncompleteTask(const TTaskItem&)
{
    return {.Confirmed = true, .DeleteFile = false, .Remember = false};
}

bool TConsoleDialogs::ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault)
{
    TTaskDialogModel model(prop, newTask);
    return model.Accept(prop, useByDefault);
}

bool TConsoleDialogs::AskDuplicate(std::string& destination, std::string& name)
{
    return TDuplicateDialogModel(destination, name).Accept(destination, name);
}

void TConsoleBoxes::ShowErrorBox(const std::string& caption, const std::string& text)
{
    PrintMessage(caption.empty() ? text : caption + ": " + text);
}
