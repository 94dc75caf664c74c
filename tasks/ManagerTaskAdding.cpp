#include "tasks/ManagerTask.h"

#include "config/Options.h"
#include "core/Links.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"

#include <algorithm>

namespace {

// The lines of text, without their line breaks ("\n" or "\r\n"); a final line break
// starts no line.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

void TManagerTask::FillDefaults(TTaskProp& prop) const
{
    prop.TypeStart = DefaultTypeStart;
    prop.Name.clear();
    // One end's login as its host gives it, the global defaults where no host has one; a
    // user and password that no login replaces stay.
    auto fromHost = [this, &prop](const std::string& path, bool& login, std::string& user, std::string& password) {
        THostDefaults host{prop.TrafficPriority, login, user, password};
        Env_.Hosts.GetHostDefaults(path, true, host);
        login = host.LoginToServer;
        user = host.UserLogin;
        password = host.UserPassword;
        return host.Priority;
    };
    const TTrafficPriority destination = fromHost(prop.Destination, prop.LoginToDestination,
                                                  prop.UserLoginToDestination, prop.UserPasswordToDestination);
    const TTrafficPriority source =
        fromHost(prop.Source, prop.LoginToSource, prop.UserLoginToSource, prop.UserPasswordToSource);
    prop.TrafficPriority = std::min(source, destination);
}

void TManagerTask::SaveDefaults(const TTaskProp& prop)
{
    DefaultTypeStart = prop.TypeStart;
    Env_.Hosts.SetDefaultPriority(prop.TrafficPriority);
}

TTaskItem& TManagerTask::AddTaskFromProps(const TTaskProp& prop)
{
    // A new task keeps a login only for an end that logs in.
    TTaskProp kept = prop;
    if (!kept.LoginToSource) {
        kept.UserLoginToSource.clear();
        kept.UserPasswordToSource.clear();
    }
    if (!kept.LoginToDestination) {
        kept.UserLoginToDestination.clear();
        kept.UserPasswordToDestination.clear();
    }
    TTaskItem& task = AddTask();
    ApplyProps(task, kept);
    if (prop.TypeStart == tsManually)
        task.SetState(stateStopped);
    // AddTask gave the task its row at the end.
    const int row = Rows_.Count() - 1;
    Rows_.Row(row).Hidden = !PassesStatusFilter(task.State());
    Rows_.Select(row);
    if (!Rows_.Row(row).Hidden)
        Rows_.Focus(row);
    Env_.Hosts.EnsureTaskHost(task, Options().bTemporaryHostDefault);
    return task;
}

void TManagerTask::AddTaskWithDialog(const std::string& source, const std::string& destination)
{
    Rows_.ClearSelection();
    TTaskProp prop;
    prop.Source = source;
    prop.Destination = destination;
    FillDefaults(prop);
    bool useByDefault = false;
    if (!Env_.Dialogs.ShowTaskDialog(prop, true, useByDefault) || CheckConflicts(prop))
        return;
    AddTaskFromProps(prop);
    if (useByDefault)
        SaveDefaults(prop);
}

void TManagerTask::AddNewTask()
{
    Env_.Shell.PlaySoundTaskAdded();
    AddTaskWithDialog({}, {});
}

void TManagerTask::AddFiles(const std::string& paths, const std::string& folders, bool silent)
{
    AddFileList(SplitLines(paths), SplitLines(folders), silent);
}

void TManagerTask::AddFileList(const std::vector<std::string>& paths, const std::vector<std::string>& folders,
                               bool silent)
{
    Rows_.ClearSelection();
    const bool folderPerPath = folders.size() == paths.size();
    // One folder for all the paths; the folder of each dialog's answer from then on.
    std::string current = !folderPerPath && !folders.empty() ? folders.front() : std::string();
    bool noDialog = silent;
    bool decided = false;
    TTaskProp prop;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // Text of several lines may hold empty ones; they keep the folders' positions.
        if (IsBlank(paths[i]))
            continue;
        std::string folder = folderPerPath ? folders[i] : std::string();
        if (folder.empty())
            folder = current;
        // The dialog proposes the most recent one as well.
        if (folder.empty() && !Options().ListDestination.empty())
            folder = Options().ListDestination.front();
        prop.Source = paths[i];
        prop.Name.clear();
        // Without a folder even a silent request asks, from here on.
        if (folder.empty())
            noDialog = false;
        else
            prop.Destination = folder;
        // After "apply to the others" the properties of the first dialog stay.
        if (!noDialog || silent)
            FillDefaults(prop);
        bool useByDefault = false;
        if (!noDialog) {
            const bool ok = Env_.Dialogs.ShowTaskDialog(prop, true, useByDefault);
            current = prop.Destination;
            if (!ok)
                continue;
        }
        if (CheckConflicts(prop))
            continue;
        AddTaskFromProps(prop);
        if (useByDefault)
            SaveDefaults(prop);
        if (paths.size() >= 2 && i + 1 < paths.size() && !noDialog && !decided && !AskApplyToOthers(noDialog, decided))
            return;
    }
}

bool TManagerTask::AskApplyToOthers(bool& noDialog, bool& decided)
{
    const TModalResult answer =
        MessageBoxWithCheck(Env_.Dialogs, Translate("sAddOtherTask"), TMessageKind::Confirmation,
                            mbYes | mbNo | mbAbort | mbNoToAll, Options().bdsApllyParamFromAnotherTask);
    switch (answer) {
    case TModalResult::Abort: return false;
    // OK: the box was ticked with an earlier yes, which is the answer it keeps.
    case TModalResult::OK:
    case TModalResult::Yes: noDialog = decided = true; break;
    case TModalResult::NoToAll:
        noDialog = false;
        decided = true;
        break;
    default: noDialog = decided = false; break;
    }
    return true;
}

bool TManagerTask::CheckConflicts(TTaskProp& prop)
{
    // Named as the task would name itself, so that its twins are found.
    if (prop.Name.empty())
        prop.Name = ExtractFileName(prop.Source);
    if (HasSource(prop.Source)
        && Env_.Dialogs.MessageBox(FormatMessage(Translate("sSourceAlraedyinList"), {prop.Source}),
                                   TMessageKind::Confirmation, mbYes | mbNo)
               != TModalResult::Yes)
        return true;
    if (!HasDestinationFile(prop.Destination, prop.Name))
        return false;
    switch (Options().DuplicateTaskWhatToDo) {
    case 0: prop.Name = MakeUniqueTaskName(prop.Destination, prop.Name); return false;
    case 1:
        Env_.Dialogs.MessageBox(FormatMessage(Translate("sDestinationAlraedyInList"),
                                              {IncludeTrailingDelimiter(prop.Destination) + prop.Name}),
                                TMessageKind::Warning, mbOK);
        return true;
    case 2: {
        std::string candidate = prop.Name;
        for (;;) {
            candidate = MakeUniqueTaskName(prop.Destination, candidate);
            if (!Env_.Dialogs.AskDuplicate(prop.Destination, candidate))
                return true;
            // An emptied name would be derived from the source again: the duplicate itself.
            if (!candidate.empty() && !HasDestinationFile(prop.Destination, candidate)) {
                prop.Name = candidate;
                return false;
            }
            if (candidate.empty())
                candidate = prop.Name;
        }
    }
    default: return false;
    }
}

std::string TManagerTask::MakeUniqueTaskName(const std::string& destination, const std::string& name) const
{
    const std::string base = ExtractBaseName(name);
    const std::string extension = ExtractExtension(name);
    // Named like the copies the streams make: "README[1]", "a[1].zip".
    const std::string suffix = extension.empty() ? std::string() : "." + extension;
    for (int n = 1;; ++n) {
        std::string candidate = base + "[" + std::to_string(n) + "]" + suffix;
        if (!HasDestinationFile(destination, candidate))
            return candidate;
    }
}

bool TManagerTask::HasSource(const std::string& source) const
{
    for (int i = 0; i < Tasks_.Count(); ++i)
        if (Tasks_[i].Source == source)
            return true;
    return false;
}

bool TManagerTask::HasDestinationFile(const std::string& destination, const std::string& name) const
{
    // "/dst" and "/dst/" are one folder, and two tasks there would write one file.
    const std::string folder = ExcludeTrailingDelimiter(destination);
    for (int i = 0; i < Tasks_.Count(); ++i)
        if (Tasks_[i].Name() == name && ExcludeTrailingDelimiter(Tasks_[i].Destination) == folder)
            return true;
    return false;
}

void TManagerTask::ShowTaskProperties(TTaskItem& task, bool readOnly)
{
    // The task stays while the dialog is open, even when the tick removes completed tasks.
    TCountUp walk(FreeingWalks_);
    TTaskProp prop = TaskPropOf(task);
    bool useByDefault = false;
    if (!Env_.Dialogs.ShowTaskDialog(prop, false, useByDefault) || readOnly || !TaskChanged(task, prop))
        return;
    if (task.State() == stateStarted || task.State() == stateCompleted) {
        Env_.Dialogs.MessageBox(Translate("sNoParrametersChanged"), TMessageKind::Warning, mbOK);
        return;
    }
    if (Env_.Dialogs.MessageBox(Translate("sParrametersChanged"), TMessageKind::Warning, mbYes | mbNo)
        != TModalResult::Yes)
        return;
    ApplyProps(task, prop);
    if (useByDefault)
        SaveDefaults(prop);
    Rows_.Changed();
}
