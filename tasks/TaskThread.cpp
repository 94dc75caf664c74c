#include "tasks/TaskThread.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/Links.h"
#include "core/LogCodes.h"
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "core/ThreadPool.h"
#include "core/WriteBehind.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"
#include "transfer/StreamFactory.h"
#include "transfer/TrafficCounter.h"
#include "transfer/TransferFileStream.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kMostKeptBlock = 1024 * 1024;
// The block a thread's last run gave back, and its size.
thread_local std::unique_ptr<char[]> KeptBlock;
thread_local std::size_t KeptBlockSize = 0;

}  // namespace

TTaskThreadSettings TTaskThreadSettings::FromOptions(const TOptions& options)
{
    return {
        .TaskBufferSize = options.TaskBufferSize,
        .iSizeType = options.iSizeType,
        .bDetailedInfo = options.bDetailedInfo,
        .TaskReserveSpace = options.TaskReserveSpace,
        .TaskStopIfNotReserve = options.TaskStopIfNotReserve,
        .TaskGetDateFromServer = options.TaskGetDateFromServer,
        .bSetAtributes = options.bSetAtributes,
        .AlraedyInDiskWhatToDo = options.AlraedyInDiskWhatToDo,
        .TaskLogLineMax = options.TaskLogLineMax,
        // The proxies come from the task (LoadTask).
        .HttpProxy = {},
        .FtpProxy = {},
    };
}

TTaskThread::TTaskThread(TTaskItem& item)
    : Item_(&item), MainThread_(item.Environment().MainThread), Clock_(item.Environment().Clock)
{
}

TTaskThread::~TTaskThread()
{
    if (Launched_)
        WaitFor();
    if (Thread_)
        Thread_->Wait();
}

void TTaskThread::Launch()
{
    std::lock_guard lock(Lock);
    if (Launched_)
        return;
    Launched_ = true;
    StopRequested = false;
    // The task is read here, on the main thread that owns it, rather than handed over from
    // the worker: a list of small files pays for every wake-up.
    LoadTask();
    Thread_ = TThreadPool::Shared().Start([this] { Run(); });
}

void TTaskThread::Cancel()
{
    bool running = false;
    {
        // A thread that never ran has nothing to end: it stays unlaunched.
        std::lock_guard lock(Lock);
        // A run that has ended, or is ending by itself, is freed rather than stopped: on
        // a retry, a new start, the removal of a completed task. Only a stop is told.
        running = Launched_ && !Finished_ && !StopRequested;
        RequestStop();
    }
    if (running)
        Item_->Environment().Shell.NotifyTaskStopped();
}

void TTaskThread::RequestStop()
{
    StopRequested = true;
}

bool TTaskThread::IsStopRequested() const
{
    return StopRequested;
}

void TTaskThread::SetStopRequested(bool value)
{
    std::lock_guard lock(Lock);
    StopRequested = value;
}

void TTaskThread::WaitFor()
{
    if (!Launched_)
        return;
    // A run that has ended hands nothing over any more: the steps of other workers are left
    // to the loop rather than run from inside whatever frees this one.
    if (!Finished())
        MainThread_.ServeUntil([this] { return Finished(); });
    if (Thread_)
        Thread_->Wait();
}

void TTaskThread::Log(int code, const std::string& format, const TFormatArgs& args)
{
    if (!format.empty())
        Item_->Log.Add(code, FormatLogText(format, args));
}

void TTaskThread::Synchronize(void (TTaskThread::*step)())
{
    MainThread_.Synchronize([this, step] { (this->*step)(); });
}

void TTaskThread::Run()
{
    bool closed = false;
    try {
        Execute();
        closed = true;
    } catch (...) {
        // The failure was logged where it happened; only the outcome is left to set.
    }
    // One hand-over for all the end steps, which the worker does not wait for: a list of
    // small files pays for every wake-up. The run counts as finished once they have run,
    // so that nothing frees this object before.
    MainThread_.Post([this, closed] {
        try {
            EndRun(closed);
        } catch (...) {
            // An end step that fails must not take the program down with the worker.
        }
        Finished_ = true;
    });
}

void TTaskThread::EndRun(bool closed)
{
    bool failed = !closed || RunFailed_;
    if (closed) {
        try {
            if (ProgressPending_)
                PushProgress();
            PushDestinationCreated();
            FinishTask();
        } catch (...) {
            failed = true;
        }
    }
    if (failed)
        HandleError();
    if (OnTerminate)
        OnTerminate(*this);
}

void TTaskThread::Fail(const std::string& text)
{
    throw QuorvexError(text);
}

std::string TTaskThread::DestinationPath() const
{
    return AppendFileName(Destination, Name);
}

std::string TTaskThread::SizeText(int64_t bytes) const
{
    return FormatSize(Settings_.iSizeType, bytes);
}

char* TTaskThread::TBlockBuffer::Data()
{
    if (!Data_) {
        if (KeptBlock && KeptBlockSize == Size_)
            Data_ = std::move(KeptBlock);
        else
            Data_ = std::make_unique_for_overwrite<char[]>(Size_);
    }
    return Data_.get();
}

void TTaskThread::TBlockBuffer::Release()
{
    if (Data_ && Size_ <= kMostKeptBlock) {
        KeptBlock = std::move(Data_);
        KeptBlockSize = Size_;
    }
    Data_.reset();
}

void TTaskThread::Execute()
{
    ResumeRequested = false;
    RanToEnd_ = false;
    RunFailed_ = false;
    ProgressPending_ = false;
    const int64_t bufferSize = int64_t(std::clamp(Settings_.TaskBufferSize, 1, 10000)) * 1024;
    TBlockBuffer buffer(static_cast<std::size_t>(bufferSize));
    if (Name.empty())
        Name = ExtractFileName(Source);
    Log(lcInformation, Translate("sStartDownload"), {Source});

    std::exception_ptr failure;
    try {
        Copy(buffer);
    } catch (...) {
        RanToEnd_ = false;
        // A wait on a server that the user's stop gave up is a stop, not a failure to retry.
        if (IsStopRequested())
            Log(lcInformation, Translate("sUserCancelDownload"));
        else
            failure = std::current_exception();
    }
    // The end steps run whatever happened: every step that opened something is closed
    // again, in reverse order.
    DestinationCloseFailed_ = false;
    for (auto close = Closes_.rbegin(); close != Closes_.rend(); ++close)
        (*close)();
    Closes_.clear();
    // An upload the server did not confirm when it was closed is no complete copy.
    if (DestinationCloseFailed_ && !failure && RanToEnd_) {
        RanToEnd_ = false;
        Log(lcFailure, Translate("sDownloadStopped"));
        failure = std::make_exception_ptr(QuorvexError(Translate("sDownloadStopped")));
    }
    RunFailed_ = bool(failure);
    DestStream.reset();
    SourceStream.reset();
    SetStopRequested(true);
    buffer.Release();
}

void TTaskThread::Copy(TBlockBuffer& buffer)
{
    OpenStreams(buffer);
    Size = SourceStream->GetSize();
    if (!PositionForResume())
        return;
    ReserveSpace(int64_t(buffer.Size()));
    Log(lcInformation, Translate("sStartPosition"), {SizeText(Size), SizeText(StartSize)});
    // The task learns the size and start with the first progress report, or at the end of
    // a copy too short for one: a small file costs no hand-over of its own for them.
    ProgressPending_ = true;
    if (CopyBlocks(buffer))
        FinishCopy();
}

void TTaskThread::OpenStreams(TBlockBuffer& buffer)
{
    SourceStream = CreateStream(Source, UserLoginToSource, UserPasswordToSource);
    DestStream = CreateStream(DestinationPath(), UserLoginToDestination, UserPasswordToDestination);
    TTransferStream& source = *SourceStream;
    TTransferStream& dest = *DestStream;

    source.OpenSession();
    Closes_.push_back([&source] { source.CloseSession(); });
    dest.OpenSession();
    Closes_.push_back([&dest] { dest.CloseSession(); });
    source.OpenConnection();
    Closes_.push_back([&source] { source.CloseConnection(); });
    dest.OpenConnection();
    Closes_.push_back([&dest] { dest.CloseConnection(); });
    CheckDestination();
    // A share gets and gives whole blocks of its own size, which it passes on without a copy.
    buffer.GrowTo(std::size_t(std::max(source.DirectBlock(), dest.DirectBlock())));
    // A source that can start anywhere is asked for the part this attempt needs at once.
    const bool resuming = DestinationExists && dest.CanResume() && Loaded > 0;
    source.PlanRead(resuming ? Loaded : 0, SourceVersion_, {buffer.Data(), buffer.Size()});
    source.OpenRead();
    Closes_.push_back([&source] { source.Close(); });
    dest.OpenWrite();
    Closes_.push_back([&dest, this] { DestinationCloseFailed_ = !dest.Close(); });
}

bool TTaskThread::PositionForResume()
{
    TTransferStream& source = *SourceStream;
    TTransferStream& dest = *DestStream;
    StartSize = 0;
    if (dest.CanResume() && source.CanResume()) {
        const int64_t length = dest.GetSize();
        const int64_t start = ResumeStart(length);
        if (start > 0 && start == Size) {
            Log(lcDestinationNotice, Translate("sNotAddedToDownload"));
            // The copy at the destination is already whole: the task learns so.
            RanToEnd_ = true;
            Loaded = StartSize = Size;
            CurrentVersion_ = source.Version();
            ProgressPending_ = true;
            return false;
        }
        source.SetPosition(start);
        // A server that ignored the range starts over; a destination is never written
        // past the data it holds.
        dest.SetPosition(std::min(source.GetPosition(), length));
        StartSize = dest.GetPosition();
        if (StartSize != source.GetPosition())
            source.SetPosition(StartSize);
    } else {
        Log(lcFailure, Translate("sResumeNotSupported"));
        // Opened at a planned start that it cannot keep to: back to the beginning.
        if (source.GetPosition() != 0)
            source.SetPosition(0);
    }
    Loaded = StartSize;
    // What lies past the start must not stay behind the new bytes: the tail of an
    // overwritten longer file, or bytes a run wrote after it last counted.
    if (dest.CanResume() && dest.GetSize() > StartSize)
        dest.SetSize(StartSize);
    CurrentVersion_ = source.Version();
    return true;
}

int64_t TTaskThread::ResumeStart(int64_t length)
{
    // Never past the data the file really holds: a crash can leave less than was counted.
    const int64_t start = ResumeRequested ? length : std::min(Loaded, length);
    if (start <= 0)
        return 0;
    if (!SourceVersion_.SameAs(SourceStream->Version()) || (start > Size && !ResumeRequested)) {
        Log(lcFailure, Translate("sSourceChanged"));
        return 0;
    }
    if (start > Size) {
        Log(lcDestinationNotice, Translate("sDestinationLongerThanSource"), {Name});
        return 0;
    }
    return start;
}

void TTaskThread::ReserveSpace(int64_t block)
{
    TTransferStream& dest = *DestStream;
    Reserved_ = false;
    // What one block puts down is written in one go: reserving it first would only cost
    // another call for each small file.
    if (!dest.CanReserveSpace() || !Settings_.TaskReserveSpace || Size - StartSize <= block)
        return;
    Log(lcInformation, Translate("sReserveSpace"), {SizeText(Size), DestinationPath()});
    DestinationCreated = true;
    // The file keeps its length, which goes on telling where its data ends.
    Reserved_ = dest.ReserveSpace(Size);
    if (Reserved_)
        return;
    if (Settings_.TaskStopIfNotReserve) {
        Log(lcFailure, Translate("sDownloadStopped"));
        Fail(Translate("sDownloadStopped"));
    }
    Log(lcInformation, Translate("sDownloadContinue"));
}

bool TTaskThread::CopyBlocks(TBlockBuffer& buffer)
{
    TTransferStream& source = *SourceStream;
    TTransferStream& dest = *DestStream;
    const auto size = int64_t(buffer.Size());
    uint32_t t0 = Clock_.TickCount();
    BytesSinceReport = 0;
    DestinationCreated = true;
    // A large file from or to a share is written one block behind its reads, from a second
    // block: the server and the local disk then work at the same time.
    std::unique_ptr<char[]> second;
    std::optional<TWriteBehind> behind;
    int64_t behindCount = 0;  // the bytes of the block being written behind
    if (CanWriteBehind(source, dest) && Size - StartSize > 2 * size) {
        second = std::make_unique_for_overwrite<char[]>(buffer.Size());
        behind.emplace([&dest](const char* data, int64_t count) { return dest.Write(data, count); });
    }
    const auto collect = [&] {
        if (const std::optional<int64_t> written = behind->Collect())
            CountWritten(*written, std::exchange(behindCount, 0));
    };
    char* block = buffer.Data();
    try {
        for (;;) {
            // Between two local files the kernel copies, without the buffer.
            const std::optional<int64_t> copied = behind ? std::nullopt : TryKernelCopy(source, dest, size);
            const int64_t n = copied ? *copied : source.Read(block, size);
            if (behind) {
                collect();
                if (n > 0) {
                    behind->Start(block, n);
                    behindCount = n;
                    block = block == buffer.Data() ? second.get() : buffer.Data();
                }
            } else if (n > 0) {
                CountWritten(copied ? n : dest.Write(block, n), n);
            }
            if (n == 0)
                break;
            const uint32_t t = Clock_.TickCount();
            if (uint32_t(t - t0) > 1) {
                Synchronize(&TTaskThread::PushProgress);
                t0 = t;
                if (IsStopRequested()) {
                    if (behind)
                        collect();
                    Log(lcInformation, Translate("sUserCancelDownload"));
                    return false;
                }
            }
        }
    } catch (...) {
        // Every byte written counts, so that the retry goes on from there: also those of a
        // block written behind when the read after it failed.
        if (behind) {
            try {
                collect();
            } catch (...) {
                // Its failure is in the log; the first one is passed on.
            }
        }
        ProgressPending_ = true;
        throw;
    }
    ProgressPending_ = true;
    return true;
}

void TTaskThread::CountWritten(int64_t written, int64_t read)
{
    Loaded += written;
    BytesSinceReport += written;
    if (written != read) {
        Log(lcFailure, Translate("sSizeReadNotEQSizeWrite"));
        Log(lcFailure, Translate("sDownloadStopped"));
        Fail(Translate("sDownloadStopped"));
    }
}

void TTaskThread::FinishCopy()
{
    TTransferStream& source = *SourceStream;
    TTransferStream& dest = *DestStream;
    if (Loaded < Size && !source.TranslatesLineEnds()) {
        // The source ended before its announced size: the attempt fails, so that it is
        // retried and resumed, rather than passing for complete.
        Log(lcFailure, Translate("sSourceEndedEarly"), {SizeText(Loaded), SizeText(Size)});
        Log(lcFailure, Translate("sDownloadStopped"));
        Fail(Translate("sDownloadStopped"));
    }
    if (Settings_.TaskGetDateFromServer && dest.CanSetFileInfo()) {
        Log(lcInformation, Translate("sSetData"));
        dest.SetFileTime(source.GetFileTime());
    }
    if (Settings_.bSetAtributes && dest.CanSetFileInfo()) {
        Log(lcInformation, Translate("sSetAttributes"));
        dest.SetAttributes(source.GetAttributes());
    }
    // More than announced, or fewer after text-mode line ends were converted: the size is
    // what arrived.
    if (Loaded != Size) {
        // Space reserved past the end of what arrived is given back.
        if (Loaded < Size && Reserved_)
            dest.SetSize(Loaded);
        Size = Loaded;
    }
    // Everything the source had was copied, an empty source included.
    RanToEnd_ = true;
}

std::unique_ptr<TTransferStream> TTaskThread::CreateStream(const std::string& link, const std::string& user,
                                                           const std::string& password)
{
    const TLinkType type = GetLinkType(link);
    const TStreamSettings settings{.Ascii = FTPMode == hmAscii,
                                   .Passive = FTPPassive,
                                   .UserAgent = UserAgent,
                                   .UseCookies = UseCookies,
                                   .Proxy = type == ltFTP ? Settings_.FtpProxy : Settings_.HttpProxy};
    std::unique_ptr<TTransferStream> stream;
    try {
        stream = MakeStream(type, link, user, password, settings);
    } catch (const std::exception& error) {
        // A link that cannot be taken apart fails alike on every attempt: no retries.
        Log(lcFailure, Translate("sStreamCreateFailed"), {link});
        Log(lcFailure, error.what());
        LinkUnusable_ = true;
        Fail(Translate("sDownloadStopped"));
    }
    if (!stream) {
        // A link of a known kind whose protocol this build cannot speak gets its own words.
        Log(lcFailure, Translate(type == ltNone ? "sInvalidLinkType" : "sLinkTypeNotSupported"), {link});
        Fail(Translate("sDownloadStopped"));
    }
    stream->OnLog = [this](int code, const std::string& format, const TFormatArgs& args) { Log(code, format, args); };
    stream->DetailedInfo = Settings_.bDetailedInfo;
    stream->SizeUnit = TSizeUnit(Settings_.iSizeType);
    stream->Interrupted = [this] { return IsStopRequested(); };
    return stream;
}

void TTaskThread::CheckDestination()
{
    Decision = Settings_.AlraedyInDiskWhatToDo;
    try {
        DestinationExists = DestStream->Exists();
    } catch (const std::exception& error) {
        // No logged step stands around this question: its failure is told here.
        Log(lcFailure, error.what());
        throw;
    }
    if (!DestinationCreated && Loaded <= 0) {
        if (DestinationExists) {
            Log(lcDestinationNotice, Translate("sDestinationAlreadyExists"), {Name});
            NewName = DestStream->MakeUniqueName();
            if (Decision == efAsk)
                Synchronize(&TTaskThread::AskDestinationDecision);
            ApplyDestinationDecision();
        }
    } else if (DestinationCreated && Loaded > 0 && !DestinationExists) {
        Log(lcFailure, Translate("sDestinationNotExists"), {DestinationPath()});
        Loaded = 0;
    }
}

void TTaskThread::ApplyDestinationDecision()
{
    ResumeRequested = Decision == efAddTo;
    switch (Decision) {
    case efRename:
        Name = ExtractFileName(NewName);
        Item_->SetName(Name);
        DestStream->SetName(NewName);
        Log(lcInformation, Translate("sDestinationRenamed"), {Name});
        break;
    case efOverwrite:
        Log(lcInformation, Translate("sDestinationOverWrited"), {Name});
        break;
    case efAddTo:
        Log(lcInformation, Translate("sDestinationAdded"), {Name});
        break;
    case efStop:
        StoppedByDestination = true;
        Log(lcFailure, Translate("sDownloadStoppedDestinationExist"), {Name});
        Fail(FormatMessage(Translate("sDownloadStoppedDestinationExist"), {Name}));
    default:
        break;
    }
}

void TTaskThread::LoadTask()
{
    TTaskItem& item = *Item_;
    Settings_ = TTaskThreadSettings::FromOptions(Options());
    Settings_.HttpProxy = item.ProxyRoute(false);
    Settings_.FtpProxy = item.ProxyRoute(true);
    item.Log.SetLineMax(Settings_.TaskLogLineMax);
    item.SetState(stateStarted);
    item.StartTime = Clock_.TickCount();
    item.Retry += 1;
    Loaded = item.Loaded;
    Source = item.Source;
    Destination = item.Destination;
    UserLoginToSource = item.UserLoginToSource;
    UserPasswordToSource = item.UserPasswordToSource;
    UserLoginToDestination = item.UserLoginToDestination;
    UserPasswordToDestination = item.UserPasswordToDestination;
    FTPPassive = item.FTPPassive();
    UserAgent = item.UserAgent();
    FTPMode = item.FTPMode();
    Name = item.StoredName();
    UseCookies = item.UseCookies();
    DestinationCreated = item.DestinationCreated;
    SourceVersion_ = item.SourceVersion;
}

void TTaskThread::AskDestinationDecision()
{
    std::string name = ExtractFileName(NewName);
    TExistingFileDecision decision = efRename;
    bool remember = false;
    if (!Item_->Environment().Dialogs.AskExistingFile(decision, name, remember)) {
        Decision = efStop;
        return;
    }
    Decision = decision;
    if (remember)
        Options().AlraedyInDiskWhatToDo = decision;
    if (decision == efRename)
        NewName = AppendFileName(ExtractDir(NewName), name);
}

void TTaskThread::PushProgress()
{
    TrafficCounter().Increment(BytesSinceReport);
    BytesSinceReport = 0;
    ProgressPending_ = false;
    Item_->Loaded = Loaded;
    Item_->Size = Size;
    Item_->StartSize = StartSize;
    Item_->DestinationCreated = DestinationCreated;
    // The version that the bytes counted as loaded belong to.
    Item_->SourceVersion = CurrentVersion_;
}

void TTaskThread::PushDestinationCreated()
{
    Item_->DestinationCreated = DestinationCreated;
}

void TTaskThread::FinishTask()
{
    TTaskItem& item = *Item_;
    item.TimeDownloaded += Clock_.TickCount() - item.StartTime;
    // Only a run that reached the end of the source completes: a stopped one never does,
    // whatever its counts say (a source of unknown size counts 0).
    if (!RunFailed_ && RanToEnd_) {
        item.SetState(stateCompleted);
        item.Environment().Shell.NotifyTaskCompleted(item.Name());
    }
    item.Environment().Hosts.ConnectionClosed(Source);
}

void TTaskThread::HandleError()
{
    TTaskItem& item = *Item_;
    const TOptions& options = Options();
    TTaskEnvironment& env = item.Environment();
    item.ErrorTime = Clock_.TickCount();
    Log(lcFailure, Translate("sDownloadStopped"));
    if (StoppedByDestination || LinkUnusable_) {
        item.SetState(stateErrorStopped);
        env.Shell.NotifyTaskError(item.Name());
        return;
    }
    if (item.Retry < uint32_t(options.TaskMaxRetries)) {
        item.SetState(stateError);
        Log(lcInformation, Translate("sWaitBeforeRetry"),
            {int64_t(item.Retry), int64_t(options.TaskMaxRetries), int64_t(options.TaskRetriesPause)});
        return;
    }
    const bool pausesLeft = item.PauseTemporaryRetries < options.iTaskErrorPauseTempRetries;
    auto moveToEnd = [&] { item.SetIndex(item.Manager().Tasks().Count() - 1); };
    if (options.bTaskErrorPauseTempTimeout && pausesLeft) {
        item.SetState(stateTemporaryPaused);
        item.Retry = 0;
        item.PauseTemporaryStart = env.Clock.Now();
        item.PauseTemporaryTimeout = options.iTaskErrorPauseTempTimeout;
        item.PauseTemporaryRetries += 1;
        if (options.bTaskErrorMoveDown)
            moveToEnd();
        env.Shell.NotifyTaskPausedAfterError(item.Name());
        Log(lcInformation, Translate("sPauseTempBeforeRetry"),
            {int64_t(item.PauseTemporaryRetries), int64_t(options.iTaskErrorPauseTempRetries),
             int64_t(options.iTaskErrorPauseTempTimeout)});
    } else if (options.bTaskErrorMoveDown && pausesLeft) {
        item.SetState(stateWait);
        item.Retry = 0;
        item.PauseTemporaryRetries += 1;
        moveToEnd();
    } else {
        item.SetState(stateErrorStopped);
        env.Shell.NotifyTaskError(item.Name());
    }
}
