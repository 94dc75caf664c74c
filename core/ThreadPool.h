#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

// Runs bodies on threads that are kept once their body has returned, so that a list of small
// files does not create and tear down a thread for every task. A thread left without work
// for a while ends. A new thread is made by the thread that starts a body, whose signal mask
// it takes over.
class TThreadPool {
public:
    // One body's run: waiting for it is what joining its own thread would be.
    class TRun {
    public:
        // Blocks until the body has returned.
        void Wait();

    private:
        friend class TThreadPool;
        std::mutex Mutex_;
        std::condition_variable Returned_;
        bool Done_ = false;
    };

    // Runs on a thread of the pool each time a body has returned, before the thread waits
    // for the next one. A body it starts runs next on that same thread, which then does not
    // wait at all.
    class IIdleHelper {
    public:
        virtual void HelpWhenIdle() = 0;

    protected:
        ~IIdleHelper() = default;
    };

    // The pool of the process; it lives until the process ends.
    static TThreadPool& Shared();

    // Runs body on an idle thread, or on a new one when none is idle. body must not throw.
    std::shared_ptr<TRun> Start(std::function<void()> body);

    // The helper called between bodies (nullptr: none); clearing it waits until no thread
    // runs the old one any more.
    void SetIdleHelper(IIdleHelper* helper);
    // Whether the calling thread runs a body of this pool and will call helper once it
    // has returned.
    bool WillHelpAfterBody(const IIdleHelper* helper) const;

private:
    using TJob = std::pair<std::function<void()>, std::shared_ptr<TRun>>;

    TThreadPool() = default;
    // A thread's life: its first job, then every job it takes from the queue.
    void Serve(TJob job);
    // Calls the idle helper; a body it starts is left in next.
    void Help(TJob& next);

    std::mutex Mutex_;
    std::condition_variable Queued_;
    std::deque<TJob> Queue_;
    std::size_t Idle_ = 0;

    std::mutex HelperMutex_;
    std::condition_variable HelperDone_;
    std::atomic<IIdleHelper*> Helper_{nullptr};
    int Helping_ = 0;
};
