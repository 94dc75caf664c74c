#pragma once

#include "config/ExistingFileDecision.h"
#include "core/DisplayFormats.h"
#include "core/MessageFormat.h"
#include "core/ThreadPool.h"
#include "tasks/TaskTypes.h"
#include "platform/inet/InetSession.h"
#include "transfer/TransferStream.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TTaskItem;
class TMainThread;
class IClock;
struct TOptions;

// The option values that a run reads on its worker thread, named as the options. The run
// copies them on the main thread when it starts, because the main thread changes options
// while workers run (the existing-file question stores the user's choice); its main-thread
// steps read the options themselves.
struct TTaskThreadSettings {
    int TaskBufferSize = 0;           // KiB
    int iSizeType = suAuto;           // the unit of size texts
    bool bDetailedInfo = false;
    bool TaskReserveSpace = false;
    bool TaskStopIfNotReserve = false;
    bool TaskGetDateFromServer = false;
    bool bSetAtributes = false;
    TExistingFileDecision AlraedyInDiskWhatToDo = efAsk;
    int TaskLogLineMax = 0;
    // Where HTTP (and HTTPS) and FTP connections go: the chosen proxies, with the hosts
    // that bProxyBypass and sProxyBypass send past them. From the task, not the options.
    platform::inet::TInetProxy HttpProxy;
    platform::inet::TInetProxy FtpProxy;

    static TTaskThreadSettings FromOptions(const TOptions& options);
};

// One attempt to copy one task's source to its destination, in its own thread. It reads
// the task's settings at its start, opens both streams, deals with an existing
// destination, reserves space, resumes where the copy stands, copies block by block,
// reports progress, copies the file time and attributes, and sets the task's outcome.
// Every change to the task goes through a step run on the main thread.
class TTaskThread {
public:
    // Created suspended: nothing runs before Launch.
    explicit TTaskThread(TTaskItem& item);
    // Waits until the body has returned, serving its main-thread steps meanwhile.
    virtual ~TTaskThread();
    TTaskThread(const TTaskThread&) = delete;
    TTaskThread& operator=(const TTaskThread&) = delete;

    // Reads the task (main thread only) and starts the run on a thread of the pool.
    void Launch();
    // Asks the attempt to end and tells the shell that the task stops.
    void Cancel();
    virtual void RequestStop();
    bool IsStopRequested() const;
    void SetStopRequested(bool value);
    // The body has returned and the end handler has run.
    bool Finished() const { return Finished_; }
    // Blocks until Finished, serving the steps the worker hands to the main thread.
    void WaitFor();

    TTaskItem* Item() const { return Item_; }
    // Runs on the main thread after the body, before Finished turns true.
    std::function<void(TTaskThread&)> OnTerminate;

    // The log sink of the attempt and its streams.
    void Log(int code, const std::string& format, const TFormatArgs& args = {});

private:
    // The block buffer, taken at its first use and never zeroed: between local files the
    // kernel copies without it, and a small file fills only its start. A block of up to
    // a mebibyte stays with the thread for its next run: a queue of small files would
    // otherwise take and give back one for every file, and the allocator tidies its heap
    // each time one of that size comes back.
    class TBlockBuffer {
    public:
        explicit TBlockBuffer(std::size_t size) : Size_(size) {}
        ~TBlockBuffer() { Release(); }
        TBlockBuffer(const TBlockBuffer&) = delete;
        TBlockBuffer& operator=(const TBlockBuffer&) = delete;
        std::size_t Size() const { return Size_; }
        // At least size bytes from now on; a smaller block held is dropped.
        void GrowTo(std::size_t size)
        {
            if (size > Size_) {
                Data_.reset();
                Size_ = size;
            }
        }
        char* Data();
        void Release();

    private:
        std::size_t Size_;
        std::unique_ptr<char[]> Data_;
    };

    void Run();
    void Execute();
    // Opens, positions and copies; the closes it arms run in Execute whatever happens.
    void Copy(TBlockBuffer& buffer);
    // Sessions, connections, the destination check, then the files.
    void OpenStreams(TBlockBuffer& buffer);
    // Moves both streams to where this attempt starts and cuts the destination there;
    // false when the destination is whole already.
    bool PositionForResume();
    // The bytes of the destination (of that length) that the attempt keeps: those the task
    // counted, or the whole file it is to add to; none when they are not of this source.
    int64_t ResumeStart(int64_t length);
    void ReserveSpace(int64_t block);
    // Copies until the source ends (true) or a stop is asked for (false).
    bool CopyBlocks(TBlockBuffer& buffer);
    // Counts the bytes of a block written; a count short of those read fails the attempt.
    void CountWritten(int64_t written, int64_t read);
    // Checks the count and copies the file time and attributes.
    void FinishCopy();
    std::unique_ptr<TTransferStream> CreateStream(const std::string& link, const std::string& user,
                                                  const std::string& password);
    void CheckDestination();
    void ApplyDestinationDecision();
    [[noreturn]] void Fail(const std::string& text);
    std::string DestinationPath() const;
    std::string SizeText(int64_t bytes) const;
    void Synchronize(void (TTaskThread::*step)());

    // Main-thread steps.
    void LoadTask();
    void AskDestinationDecision();
    void PushProgress();
    void PushDestinationCreated();
    void FinishTask();
    void HandleError();
    // The end of a run, in one step: the last progress, the outcome, the error handling when
    // the run failed, OnTerminate. closed: the run got as far as closing its streams.
    void EndRun(bool closed);

    TTaskItem* Item_;
    TMainThread& MainThread_;
    IClock& Clock_;
    mutable std::mutex Lock;
    std::atomic<bool> StopRequested{false};
    bool Launched_ = false;
    std::atomic<bool> Finished_{false};
    // The run on a thread of the pool; waiting for it stands for joining a thread.
    std::shared_ptr<TThreadPool::TRun> Thread_;
    TTaskThreadSettings Settings_;

    std::unique_ptr<TTransferStream> SourceStream;
    std::unique_ptr<TTransferStream> DestStream;
    int64_t Loaded = 0;
    int64_t Size = 0;
    std::string Name;
    std::string Source;
    std::string Destination;
    int64_t StartSize = 0;
    std::string UserLoginToSource;
    std::string UserPasswordToSource;
    std::string UserLoginToDestination;
    std::string UserPasswordToDestination;
    std::string UserAgent;
    bool FTPPassive = false;
    TFTPDownloadMode FTPMode = hmBinary;
    bool UseCookies = true;
    bool DestinationCreated = false;
    bool StoppedByDestination = false;
    TExistingFileDecision Decision = efRename;
    std::string NewName;
    bool ResumeRequested = false;
    bool DestinationExists = false;
    // The source's version that the task's loaded bytes came from, and the one read now.
    TSourceVersion SourceVersion_;
    TSourceVersion CurrentVersion_;
    // Space for the whole source is reserved at the destination.
    bool Reserved_ = false;
    // The link cannot be taken apart: the attempt fails without retries.
    bool LinkUnusable_ = false;
    int64_t BytesSinceReport = 0;
    // Progress the task has not been told yet; the end step tells it.
    bool ProgressPending_ = false;
    std::vector<std::function<void()>> Closes_;
    // The run reached the end of the source without a stop: the task is complete even
    // when nothing was copied (an empty source, a destination that was already whole).
    bool RanToEnd_ = false;
    // The destination's close failed: what was written may not have reached the server.
    bool DestinationCloseFailed_ = false;
    // The run ended in a failure: the task is never completed by it.
    bool RunFailed_ = false;
};
