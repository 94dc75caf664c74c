#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"
#include "tasks/LogList.h"
#include "platform/inet/InetSession.h"
#include "tasks/TaskTypes.h"
#include "transfer/SourceVersion.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class TTaskCollection;
class TManagerTask;
class TTaskThread;
struct TTaskEnvironment;

// One copy job: a source, a destination folder, an optional file name, credentials, a
// start mode, a priority, progress counters, timing, a log and, while it runs, one worker.
//
// Everything here runs on the main thread. The worker changes the task only through
// steps it hands to the main thread, except for log entries (the log has its own lock)
// and the rename of Name (guarded here), so no other field needs a lock.
class TTaskItem : public TXmlItem {
public:
    explicit TTaskItem(TTaskCollection& owner);
    // Stops the worker first, waiting for it.
    ~TTaskItem() override;
    TTaskItem(const TTaskItem&) = delete;
    TTaskItem& operator=(const TTaskItem&) = delete;

    // The stored file name, or, when that is empty, the one Source gives (ExtractFileName).
    std::string Name() const;
    // The value stored in the list file: empty while the name is derived from Source.
    std::string StoredName() const;
    // Safe from the worker thread: the main thread may be reading the name meanwhile.
    void SetName(const std::string& name);

    TTaskState State() const { return State_; }
    // stateCompleted also stamps TimeCompleted.
    void SetState(TTaskState state);
    bool Completed() const { return State_ == stateCompleted; }

    std::string Source;
    std::string Destination;
    bool LoginToSource = false;
    std::string UserLoginToSource;
    std::string UserPasswordToSource;   // plain text, as stored
    bool LoginToDestination = false;
    std::string UserLoginToDestination;
    std::string UserPasswordToDestination;
    TTaskStart TypeStart = tsAutomatic;
    TTrafficPriority TrafficPriority = tpMiddlePriority;
    int64_t Size = -1;                  // -1 while unknown
    int64_t Loaded = 0;
    int64_t StartSize = 0;              // bytes present when the current run began
    uint32_t Retry = 0;                 // runs in the current series
    uint32_t StartTime = 0;             // tick count at the start of the run; 0 when not running
    TDateTime TimeCreated;
    TDateTime TimeCompleted;
    uint32_t ErrorTime = 0;             // tick count of the last failed run
    bool DestinationCreated = false;    // the destination file holds data of this task
    uint32_t TimeDownloaded = 0;        // milliseconds spent transferring, all runs
    int PauseTemporaryTimeout = 0;      // minutes
    TDateTime PauseTemporaryStart;
    int PauseTemporaryRetries = 0;
    // The version of the source that the loaded bytes came from: a resume checks it.
    TSourceVersion SourceVersion;
    TLogList Log;

    // Derived values, computed at each read.
    int Percent() const;
    // 64 bits: local copies run faster than 2^32 bits per second, and pauses and slow
    // downloads last longer than 2^32 milliseconds.
    uint64_t Elapsed() const;           // milliseconds
    uint64_t Left() const;              // milliseconds
    uint64_t Speed() const;             // bits per second
    // Settings that come from the program options at each read.
    std::string UserAgent() const;
    // Where the task's FTP (ftp true) or HTTP connections go.
    platform::inet::TInetProxy ProxyRoute(bool ftp) const;
    TFTPDownloadMode FTPMode() const;
    bool FTPPassive() const;
    bool UseCookies() const;

    // True while a worker exists that was neither asked to stop nor has finished.
    bool IsRunning() const;
    // Destination + delimiter + Name (escaped in a link, as the worker writes it).
    std::string DestinationFileName() const;

    void StartTransfer();
    // Asks the worker to stop and waits for it, serving the steps it hands over meanwhile.
    void StopTransfer();
    // Frees a worker whose run has ended, so that its thread does not linger until the
    // task's next start; a running worker is left alone.
    void FreeEndedWorker();
    void Start();
    void Stop();
    void Enqueue();
    void Restart();
    void PauseTemporarily(int minutes);
    bool TemporaryPauseExpired() const;
    // Deletes the copy at the destination; failures are shown in the error box.
    void DeleteDestinationFile();

    // Place in the task list; setting it moves the task.
    int Index() const;
    void SetIndex(int index);

    TManagerTask& Manager() const;
    TTaskEnvironment& Environment() const;

    // A "Task" element of the task-list file.
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;

    // The worker, for its end handler; null while the task does not run.
    TTaskThread* Worker() const;

private:
    // "SourceETag", "SourceModified" (a file time) and "SourceSize".
    void ReadSourceVersion(pugi::xml_node element);
    // Milliseconds the temporary pause still lasts; 0 or less once it has run out.
    int64_t PauseLeft() const;

    TTaskCollection& Owner_;
    mutable std::mutex NameLock_;
    std::string Name_;
    // The name Source gives, and the Source it was taken from: each run asks for it often.
    mutable std::string SourceName_;
    mutable std::string SourceNamedFrom_;
    TTaskState State_ = stateWait;
    mutable std::recursive_mutex WorkerLock_;
    std::unique_ptr<TTaskThread> Worker_;
};
