#include "support/TaskFakes.h"

#include "config/Options.h"
#include "tasks/TaskThread.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

template <class T>
T Next(std::deque<T>& answers, const char* question)
{
    if (answers.empty()) {
        ADD_FAILURE() << "no scripted answer left for " << question;
        return T{};
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

const char* KindName(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Warning: return "Warning";
    case TMessageKind::Error: return "Error";
    case TMessageKind::Information: return "Information";
    case TMessageKind::Confirmation: return "Confirmation";
    }
    return "?";
}

} // namespace

int TRecordingShell::Count(const std::string& call) const
{
    return int(std::count(Calls.begin(), Calls.end(), call));
}

void TRecordingShell::Record(const std::string& call)
{
    Calls.push_back(call);
    if (OnCall)
        OnCall(call);
}

void TScriptedDialogs::Ask(const std::string& question)
{
    Asked.push_back(question);
    if (WhileAsking)
        WhileAsking(question);
}

TModalResult TScriptedDialogs::MessageBox(const std::string& text, TMessageKind kind, unsigned)
{
    Ask(std::string(KindName(kind)) + ":" + text);
    if (kind == TMessageKind::Error && MessageBoxAnswers.empty())
        return TModalResult::OK;  // an error box has nothing to answer
    return Next(MessageBoxAnswers, text.c_str());
}

TModalResult TScriptedDialogs::ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned,
                                                       bool& checked)
{
    Ask(std::string("Check") + KindName(kind) + ":" + text);
    const TCheckAnswer answer = Next(CheckBoxAnswers, text.c_str());
    checked = answer.Checked;
    return answer.Result;
}

bool TScriptedDialogs::AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember)
{
    Ask("ExistingFile:" + name);
    ProposedNames.push_back(name);
    const TExistingFileAnswer answer = Next(ExistingFileAnswers, "AskExistingFile");
    if (!answer.Confirmed)
        return false;
    decision = answer.Decision;
    if (!answer.Name.empty())
        name = answer.Name;
    remember = answer.Remember;
    return true;
}

TIncompleteTaskAnswer TScriptedDialogs::AskIncompleteTask(const TTaskItem& task)
{
    Ask("IncompleteTask:" + task.Name());
    return Next(IncompleteTaskAnswers, "AskIncompleteTask");
}

bool TScriptedDialogs::AskPauseMinutes(int& minutes)
{
    Ask("PauseMinutes");
    ProposedMinutes.push_back(minutes);
    const auto answer = Next(PauseAnswers, "AskPauseMinutes");
    if (answer.first)
        minutes = answer.second;
    return answer.first;
}

bool TScriptedDialogs::AskMaxActiveTasks(int& limit)
{
    Ask("MaxActiveTasks");
    ProposedMaxActive.push_back(limit);
    const auto answer = Next(MaxActiveAnswers, "AskMaxActiveTasks");
    if (answer.first)
        limit = answer.second;
    return answer.first;
}

bool TScriptedDialogs::ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault)
{
    TTaskDialogModel model(prop, newTask);
    Ask("TaskDialog:" + model.SourceText() + ">" + model.DestinationText());
    const TTaskDialogAnswer answer = Next(TaskDialogAnswers, "ShowTaskDialog");
    if (answer.Edit)
        answer.Edit(model);
    return answer.Confirmed && model.Accept(prop, useByDefault);
}

bool TScriptedDialogs::AskDuplicate(std::string& destination, std::string& name)
{
    TDuplicateDialogModel model(destination, name);
    Ask("Duplicate:" + model.Path);
    const TDuplicateAnswer answer = Next(DuplicateAnswers, "AskDuplicate");
    if (answer.Edit)
        answer.Edit(model);
    if (answer.Kind == TDuplicateAnswer::Timeout)
        do
            ++CountdownTicks;
        while (!model.Countdown.Tick());
    return answer.Kind != TDuplicateAnswer::Cancel && model.Accept(destination, name);
}

bool TScriptedDialogs::InputBox(const std::string& caption, const std::string&, std::string& text)
{
    Ask("Input:" + caption);
    const auto answer = Next(InputAnswers, "InputBox");
    if (answer.first)
        text = answer.second;
    return answer.first;
}

std::vector<TRecordingDesktop::TLaunch> TRecordingDesktop::Launches() const
{
    std::lock_guard lock(LaunchLock_);
    return Launches_;
}

void TRecordingDesktop::Launch(const TLaunch& launch)
{
    std::lock_guard lock(LaunchLock_);
    Launches_.push_back(launch);
}

void TCountingHosts::GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const
{
    for (const auto& [prefix, host] : HostDefaults)
        if (!path.empty() && path.starts_with(prefix)) {
            defaults.Priority = host.Priority;
            defaults.LoginToServer = host.LoginToServer;
            if (host.LoginToServer) {
                defaults.UserLogin = host.UserLogin;
                defaults.UserPassword = host.UserPassword;
            }
            return;
        }
    if (allowGlobal) {
        defaults.Priority = Default;
        defaults.LoginToServer = false;
    }
}

bool TCountingHosts::CanConnect(const std::string& link)
{
    return Limit <= 0 || Open[link] < Limit;
}

TTaskBed::TTaskBed(TBedClock clock)
    : Environment{MainThread,
                  clock == TBedClock::Real ? static_cast<IClock&>(SystemClock) : static_cast<IClock&>(Clock),
                  Shell, Dialogs, Desktop, Boxes, RoutedHosts, Records, Records}
{
    Options() = TOptions{};
}

TTaskBed::~TTaskBed()
{
    Manager_.reset();
    Options() = TOptions{};
}

TManagerTask& TTaskBed::OpenManager(const std::string& fileName)
{
    Manager_.reset();
    Manager_ = std::make_unique<TManagerTask>(Environment, fileName);
    return *Manager_;
}

TTaskItem& TTaskBed::AddTask(const std::string& source, const std::string& destination, TTaskState state)
{
    if (!Manager_)
        OpenManager();
    TTaskItem& task = Manager_->AddTask();
    task.Source = source;
    task.Destination = destination;
    task.SetState(state);
    return task;
}

bool TTaskBed::ServeUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MainThread.WaitAndServe(std::chrono::milliseconds(5));
    }
    return true;
}

bool TTaskBed::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return ServeUntil(
        [&] {
            if (Manager_ && Manager_->TickRequested())
                Manager_->Tick();
            return done();
        },
        timeout);
}

bool TTaskBed::WaitForWorker(TTaskItem& task, std::chrono::milliseconds timeout)
{
    return ServeUntil([&] { return !task.Worker() || task.Worker()->Finished(); }, timeout);
}

std::vector<std::string> TTaskBed::LogLines(const TTaskItem& task)
{
    std::vector<std::string> lines;
    for (const TLogListItem& entry : task.Log.Entries())
        lines.push_back(std::to_string(entry.Code) + " " + entry.Text);
    return lines;
}

bool TTaskBed::LogHas(const TTaskItem& task, const std::string& text)
{
    for (const TLogListItem& entry : task.Log.Entries())
        if (entry.Text.find(text) != std::string::npos)
            return true;
    return false;
}

bool TTaskBed::LogHasEntry(const TTaskItem& task, int code, const std::string& text)
{
    for (const TLogListItem& entry : task.Log.Entries())
        if (entry.Code == code && entry.Text.find(text) != std::string::npos)
            return true;
    return false;
}

bool TTaskBed::RunOnce(TTaskItem& task)
{
    task.Start();
    return WaitForWorker(task);
}
