#include "core/ThreadPool.h"

#include <chrono>
#include <thread>

namespace {

// How long a thread waits for another body before it ends.
constexpr auto kIdleLife = std::chrono::seconds(10);

// The pool whose body the thread runs or whose idle helper it calls, and where a body
// started by that helper waits.
thread_local const TThreadPool* tlBodyOf = nullptr;
thread_local const TThreadPool* tlHelpingIn = nullptr;
thread_local std::pair<std::function<void()>, std::shared_ptr<TThreadPool::TRun>>* tlNext = nullptr;

} // namespace

void TThreadPool::TRun::Wait()
{
    std::unique_lock lock(Mutex_);
    Returned_.wait(lock, [this] { return Done_; });
}

TThreadPool& TThreadPool::Shared()
{
    // Never destroyed: idle threads may still wait on it while the process ends.
    static TThreadPool* pool = new TThreadPool;
    return *pool;
}

std::shared_ptr<TThreadPool::TRun> TThreadPool::Start(std::function<void()> body)
{
    auto run = std::make_shared<TRun>();
    // Started by the idle helper of a thread of this pool: that thread runs it next.
    if (tlHelpingIn == this && !tlNext->first) {
        *tlNext = {std::move(body), run};
        std::lock_guard lock(Mutex_);
        --Idle_;
        return run;
    }
    bool queued = false;
    {
        std::lock_guard lock(Mutex_);
        if (Idle_ > Queue_.size()) {
            Queue_.emplace_back(std::move(body), run);
            queued = true;
        }
    }
    if (queued) {
        // Told after the lock is let go: the thread woken finds it free.
        Queued_.notify_one();
        return run;
    }
    std::thread([this, job = TJob(std::move(body), run)]() mutable { Serve(std::move(job)); }).detach();
    return run;
}

void TThreadPool::SetIdleHelper(IIdleHelper* helper)
{
    std::unique_lock lock(HelperMutex_);
    Helper_.store(helper);
    HelperDone_.wait(lock, [this] { return Helping_ == 0; });
}

bool TThreadPool::WillHelpAfterBody(const IIdleHelper* helper) const
{
    return tlBodyOf == this && Helper_.load() == helper;
}

void TThreadPool::Help(TJob& next)
{
    if (!Helper_.load())
        return;
    IIdleHelper* helper = nullptr;
    {
        std::lock_guard lock(HelperMutex_);
        helper = Helper_.load();
        if (!helper)
            return;
        ++Helping_;
    }
    tlHelpingIn = this;
    tlNext = &next;
    helper->HelpWhenIdle();
    tlHelpingIn = nullptr;
    tlNext = nullptr;
    {
        std::lock_guard lock(HelperMutex_);
        --Helping_;
    }
    HelperDone_.notify_all();
}

void TThreadPool::Serve(TJob job)
{
    for (;;) {
        tlBodyOf = this;
        job.first();
        tlBodyOf = nullptr;
        // What the body held goes before its run counts as returned.
        job.first = nullptr;
        // Idle before its run counts as returned: whoever waited for the run and starts the
        // next body at once (a list of small files) finds this thread rather than making one.
        {
            std::lock_guard lock(Mutex_);
            ++Idle_;
        }
        {
            std::lock_guard lock(job.second->Mutex_);
            job.second->Done_ = true;
        }
        job.second->Returned_.notify_all();
        job.second.reset();

        // A body that the helper started runs here at once; it took this thread from the
        // idle ones when it was started.
        Help(job);
        if (job.first)
            continue;
        std::unique_lock lock(Mutex_);
        const bool queued = Queued_.wait_for(lock, kIdleLife, [this] { return !Queue_.empty(); });
        --Idle_;
        if (!queued)
            return;
        job = std::move(Queue_.front());
        Queue_.pop_front();
    }
}
