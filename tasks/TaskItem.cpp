#include "tasks/TaskItem.h"

#include "config/Options.h"
#include "core/Clock.h"
#include "core/Links.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "core/XmlFallbacks.h"
#include "core/XmlValues.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskCollection.h"
#include "tasks/TaskThread.h"
#include "transfer/StreamFactory.h"
#include "transfer/Proxies.h"
#include "transfer/UserAgent.h"
#include "transfer/UserAgents.h"

#include <algorithm>
#include <cmath>

TTaskItem::TTaskItem(TTaskCollection& owner) : Owner_(owner) {}

TTaskItem::~TTaskItem()
{
    StopTransfer();
}

std::string TTaskItem::Name() const
{
    std::lock_guard lock(NameLock_);
    if (!Name_.empty())
        return Name_;
    if (SourceNamedFrom_ != Source) {
        SourceName_ = ExtractFileName(Source);
        SourceNamedFrom_ = Source;
    }
    return SourceName_;
}

std::string TTaskItem::StoredName() const
{
    std::lock_guard lock(NameLock_);
    return Name_;
}

void TTaskItem::SetName(const std::string& name)
{
    std::lock_guard lock(NameLock_);
    Name_ = name;
}

void TTaskItem::SetState(TTaskState state)
{
    if (IsSettled(State_) && !IsSettled(state))
        Owner_.NoteAwakening();
    if (State_ == stateWait && state != stateWait)
        Owner_.NoteDeparture();
    State_ = state;
    if (state == stateCompleted)
        TimeCompleted = Environment().Clock.Now();
}

TManagerTask& TTaskItem::Manager() const
{
    return Owner_.Manager();
}

TTaskEnvironment& TTaskItem::Environment() const
{
    return Owner_.Manager().Environment();
}

int TTaskItem::Index() const
{
    return Owner_.IndexOf(this);
}

void TTaskItem::SetIndex(int index)
{
    const int from = Index();
    if (from >= 0 && from != index)
        Owner_.Move(from, index);
}

int TTaskItem::Percent() const
{
    if (Size <= 0)
        return 0;
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(double(Loaded) / double(Size) * 100.0));
}

uint64_t TTaskItem::Elapsed() const
{
    if (State_ == stateTemporaryPaused)
        return uint64_t(MillisecondsBetween(PauseTemporaryStart, Environment().Clock.Now()));
    if (StartTime == 0 || !IsRunning())
        return 0;
    // The tick count wraps at 32 bits: the difference stays right across the wrap.
    return uint32_t(Environment().Clock.TickCount() - StartTime);
}

uint64_t TTaskItem::Speed() const
{
    if (Size == 0 || Loaded == 0 || StartTime == 0 || !IsRunning())
        return 0;
    const uint64_t elapsed = Elapsed();
    if (elapsed == 0)
        return 0;
    const double speed = std::nearbyint(double((Loaded - StartSize) * 8) / double(elapsed) * 1000.0);
    return speed > 0 ? uint64_t(speed) : 0;
}

uint64_t TTaskItem::Left() const
{
    if (State_ == stateTemporaryPaused)
        // A pause that has run out has nothing left, until the tick queues the task.
        return uint64_t(std::max<int64_t>(PauseLeft(), 0));
    if (Size == 0 || Loaded == 0 || StartTime == 0 || !IsRunning())
        return 0;
    const uint64_t speed = Speed();
    // An unknown size has no time left to tell, nor has a copy that got more than it.
    if (speed == 0 || Size < 0 || Loaded >= Size)
        return 0;
    return uint64_t(std::nearbyint(double((Size - Loaded) * 8) / double(speed) * 1000.0));
}

int64_t TTaskItem::PauseLeft() const
{
    return int64_t(PauseTemporaryTimeout) * 60000 - MillisecondsBetween(PauseTemporaryStart, Environment().Clock.Now());
}

bool TTaskItem::TemporaryPauseExpired() const
{
    return PauseLeft() <= 0;
}

std::string TTaskItem::UserAgent() const
{
    const TUserAgentCollection* agents = Environment().UserAgents;
    return agents ? agents->CurrentUserAgent() : QuorvexUserAgentString();
}

platform::inet::TInetProxy TTaskItem::ProxyRoute(bool ftp) const
{
    const TOptions& options = Options();
    const std::string bypass = options.bProxyBypass ? NoProxyList(options.sProxyBypass) : std::string();
    if (const TProxyCollection* proxies = Environment().Proxies)
        return proxies->Route(ftp, bypass);
    platform::inet::TInetProxy route;
    route.Bypass = bypass;
    return route;
}

TFTPDownloadMode TTaskItem::FTPMode() const
{
    const TOptions& options = Options();
    if (options.iFTPMode == 1)
        return hmAscii;
    if (options.iFTPMode == 2 && MatchesExtensionList(Source, options.sFTPModeASCIIFileExt))
        return hmAscii;
    return hmBinary;
}

bool TTaskItem::FTPPassive() const
{
    return Options().bUsePassiveFTP;
}

bool TTaskItem::UseCookies() const
{
    return Options().bUseCokies;
}

bool TTaskItem::IsRunning() const
{
    std::lock_guard lock(WorkerLock_);
    return Worker_ && !Worker_->IsStopRequested();
}

TTaskThread* TTaskItem::Worker() const
{
    std::lock_guard lock(WorkerLock_);
    return Worker_.get();
}

std::string TTaskItem::DestinationFileName() const
{
    return AppendFileName(Destination, Name());
}

void TTaskItem::StartTransfer()
{
    {
        std::lock_guard lock(WorkerLock_);
        if (Worker_) {
            Worker_->Cancel();
            Worker_.reset();
        }
        Worker_ = std::make_unique<TTaskThread>(*this);
        TManagerTask& manager = Manager();
        Worker_->OnTerminate = [&manager](TTaskThread& worker) { manager.WorkerEnded(worker); };
        Worker_->Launch();
    }
    Manager().RunningWorkers().Increment();
    Environment().Hosts.ConnectionOpened(Source);
}

void TTaskItem::StopTransfer()
{
    std::unique_ptr<TTaskThread> worker;
    {
        std::lock_guard lock(WorkerLock_);
        if (!Worker_)
            return;
        Worker_->Cancel();
        // Freeing waits for the worker while serving its last steps, which read this task.
        Worker_->WaitFor();
        worker = std::move(Worker_);
    }
}

void TTaskItem::FreeEndedWorker()
{
    std::unique_ptr<TTaskThread> worker;
    {
        std::lock_guard lock(WorkerLock_);
        if (!Worker_ || !Worker_->Finished())
            return;
        worker = std::move(Worker_);
    }
}

void TTaskItem::Start()
{
    SetState(stateStarted);
    StartTransfer();
}

void TTaskItem::Stop()
{
    StopTransfer();
    SetState(stateStopped);
    StartTime = 0;
}

void TTaskItem::Enqueue()
{
    if (State_ == stateStarted)
        return;
    SetState(stateWait);
    Retry = 0;
    PauseTemporaryRetries = 0;
}

void TTaskItem::Restart()
{
    StopTransfer();
    Retry = 0;
    Loaded = 0;
    PauseTemporaryRetries = 0;
    if (State_ == stateStarted)
        StartTransfer();
    else
        SetState(stateWait);
}

void TTaskItem::PauseTemporarily(int minutes)
{
    StopTransfer();
    SetState(stateTemporaryPaused);
    PauseTemporaryStart = Environment().Clock.Now();
    PauseTemporaryTimeout = minutes;
    StartTime = 0;
}

void TTaskItem::DeleteDestinationFile()
{
    // A running task is stopped for good: left started without its worker, it would hold a
    // place of the queue for ever (when the user ends the deletion, the task stays).
    if (State_ == stateStarted)
        Stop();
    else
        StopTransfer();
    if (GetLinkType(Destination) == ltNone)
        return;
    const std::string fileName = DestinationFileName();
    const bool deleted = DeleteLinkedFile(fileName, UserLoginToDestination, UserPasswordToDestination);
    if (!deleted)
        Environment().Dialogs.MessageBox(FormatMessage(Translate("sErrorDeleteDestination"), {fileName}),
                                         TMessageKind::Error, mbOK);
}

void TTaskItem::ReadFromNode(pugi::xml_node element)
{
    std::string name = Name_;
    ReadChild(element, "Name", name);
    SetName(name);
    ReadChild(element, "Source", Source);
    ReadChild(element, "Destination", Destination);
    ReadChild(element, "LoginToSource", LoginToSource);
    ReadChild(element, "UserLoginToSource", UserLoginToSource);
    ReadChild(element, "UserPasswordToSource", UserPasswordToSource);
    ReadChild(element, "LoginToDestination", LoginToDestination);
    ReadChild(element, "UserLoginToDestination", UserLoginToDestination);
    ReadChild(element, "UserPasswordToDestination", UserPasswordToDestination);
    // A size that is there but no number reads 0, a missing one stays unknown.
    if (element.child("Size") && !ReadChild(element, "Size", Size))
        Size = 0;
    ReadChild(element, "Loaded", Loaded);
    ReadChild(element, "Retry", Retry);
    // No unknown state, start mode or priority ever reaches the queue.
    ReadOrdinalChild(element, "TypeStart", kTaskStartCount, tsManually, TypeStart);
    ReadOrdinalChild(element, "State", kTaskStateCount, stateWait, State_);
    ReadOrdinalChild(element, "TrafficPriority", kTrafficPriorityCount, tpMiddlePriority, TrafficPriority);
    if (pugi::xml_node log = element.child("LogList"))
        Log.ReadFromNode(log);
    ReadChild(element, "TimeCreated", TimeCreated);
    ReadChild(element, "TimeCompleted", TimeCompleted);
    ReadChild(element, "DestinationCreated", DestinationCreated);
    ReadChild(element, "TimeDownloaded", TimeDownloaded);
    ReadChild(element, "PauseTemporaryTimeout", PauseTemporaryTimeout);
    ReadChild(element, "PauseTemporaryStart", PauseTemporaryStart);
    ReadChild(element, "PauseTemporaryRetries", PauseTemporaryRetries);
    ReadSourceVersion(element);

    if (TypeStart == tsShedule)
        State_ = stateScheduled;
    if (!IsSettled(State_))
        Owner_.NoteAwakening();
    if (State_ == stateStarted)
        Start();
}

void TTaskItem::ReadSourceVersion(pugi::xml_node element)
{
    // Lists written before versions were kept have none of these: the version stays unknown.
    ReadChild(element, "SourceETag", SourceVersion.ETag);
    int64_t modified = 0;
    if (ReadChild(element, "SourceModified", modified))
        SourceVersion.Modified = TFileTime(modified);
    ReadChild(element, "SourceSize", SourceVersion.Size);
}

void TTaskItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("Task");
    WriteChild(element, "Name", StoredName());
    WriteChild(element, "Source", Source);
    WriteChild(element, "Destination", Destination);
    WriteChild(element, "LoginToSource", LoginToSource);
    WriteChild(element, "UserLoginToSource", UserLoginToSource);
    WriteChild(element, "UserPasswordToSource", UserPasswordToSource);
    WriteChild(element, "LoginToDestination", LoginToDestination);
    WriteChild(element, "UserLoginToDestination", UserLoginToDestination);
    WriteChild(element, "UserPasswordToDestination", UserPasswordToDestination);
    WriteChild(element, "Size", Size);
    WriteChild(element, "Loaded", Loaded);
    WriteChild(element, "Retry", Retry);
    WriteChild(element, "TypeStart", int(TypeStart));
    WriteChild(element, "State", int(State_));
    WriteChild(element, "TrafficPriority", int(TrafficPriority));
    WriteChild(element, "TimeCreated", TimeCreated);
    WriteChild(element, "TimeCompleted", TimeCompleted);
    WriteChild(element, "DestinationCreated", DestinationCreated);
    WriteChild(element, "TimeDownloaded", TimeDownloaded);
    WriteChild(element, "PauseTemporaryTimeout", PauseTemporaryTimeout);
    WriteChild(element, "PauseTemporaryStart", PauseTemporaryStart);
    WriteChild(element, "PauseTemporaryRetries", PauseTemporaryRetries);
    WriteChild(element, "SourceETag", SourceVersion.ETag);
    WriteChild(element, "SourceModified", int64_t(SourceVersion.Modified));
    WriteChild(element, "SourceSize", SourceVersion.Size);
    if (Options().TaskLogSaveToFile)
        Log.WriteToNode(element.append_child("LogList"));
}
