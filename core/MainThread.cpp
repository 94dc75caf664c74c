#include "core/MainThread.h"

thread_local const TMainThread* TMainThread::tlStandingInFor = nullptr;

TMainThread::TMainThread() : MainId_(std::this_thread::get_id())
{
    Role_.lock();
}

TMainThread::~TMainThread()
{
    DisableStandIns();
    Role_.unlock();
    for (TPendingStep* pending : Queue_) {
        if (!pending->Slot)
            delete pending;
    }
}

void TMainThread::Post(std::function<void()> step)
{
    if (IsMainThread()) {
        step();
        return;
    }
    auto* pending = new TPendingStep;
    pending->Posted = std::move(step);
    pending->Step = &pending->Posted;
    bool wake = true;
    {
        std::lock_guard lock(Mutex_);
        Queue_.push_back(pending);
        // A thread of the pool serves it itself once its body has returned, without waking
        // the main thread, unless a stand-in already waits for steps.
        wake = StandInsWaiting_ > 0 || !StandInsAllowed_ || !TThreadPool::Shared().WillHelpAfterBody(this);
    }
    if (!wake)
        return;
    Queued_.notify_all();
    if (OnStepQueued)
        OnStepQueued();
}

void TMainThread::EnableStandIns(std::function<void()> afterSteps)
{
    AfterStandInSteps_ = std::move(afterSteps);
    StandInsAllowed_ = true;
    TThreadPool::Shared().SetIdleHelper(this);
}

void TMainThread::DisableStandIns()
{
    if (!StandInsAllowed_)
        return;
    StandInsAllowed_ = false;
    // The main thread holds the role here: no thread takes it any more.
    TThreadPool::Shared().SetIdleHelper(nullptr);
    AfterStandInSteps_ = nullptr;
}

void TMainThread::HelpWhenIdle()
{
    while (StandInsAllowed_ && Role_.try_lock()) {
        {
            std::unique_lock role(Role_, std::adopt_lock);
            tlStandingInFor = this;
            try {
                ServePending();
                if (AfterStandInSteps_)
                    AfterStandInSteps_();
            } catch (...) {
                // What the front end does after its steps must not end the pool's thread.
            }
            tlStandingInFor = nullptr;
        }
        // A step posted while the role was held here found it taken: it is served now.
        std::lock_guard lock(Mutex_);
        if (Queue_.empty())
            return;
    }
}

void TMainThread::Synchronize(const std::function<void()>& step)
{
    if (IsMainThread()) {
        step();
        return;
    }
    TPendingStep pending;
    pending.Step = &step;
    {
        std::lock_guard lock(Mutex_);
        if (FreeSlots_.empty())
            FreeSlots_.push_back(&Slots_.emplace_back());
        pending.Slot = FreeSlots_.back();
        FreeSlots_.pop_back();
        Queue_.push_back(&pending);
    }
    Queued_.notify_all();
    if (OnStepQueued)
        OnStepQueued();
    std::unique_lock lock(Mutex_);
    pending.Slot->Served.wait(lock, [&] { return pending.Done; });
    FreeSlots_.push_back(pending.Slot);
    lock.unlock();
    if (pending.Failure)
        std::rethrow_exception(pending.Failure);
}

int TMainThread::ServePending()
{
    int served = 0;
    for (;;) {
        TPendingStep* pending = nullptr;
        {
            std::lock_guard lock(Mutex_);
            if (Queue_.empty())
                return served;
            pending = Queue_.front();
            Queue_.pop_front();
        }
        std::exception_ptr failure;
        try {
            (*pending->Step)();
        } catch (...) {
            failure = std::current_exception();
        }
        if (!pending->Slot) {
            delete pending;
            ++served;
            continue;
        }
        TWaitSlot* slot = nullptr;
        {
            // Once Done, the worker may return and take its step with it.
            std::lock_guard lock(Mutex_);
            pending->Failure = failure;
            pending->Done = true;
            slot = pending->Slot;
        }
        // Only this step's worker wakes, not all that wait.
        slot->Served.notify_one();
        ++served;
    }
}

int TMainThread::WaitAndServe(std::chrono::milliseconds timeout)
{
    // The main thread lets a stand-in take its role while it waits.
    const bool standIn = tlStandingInFor == this;
    const bool parks = StandInsAllowed_ && std::this_thread::get_id() == MainId_;
    if (parks)
        Role_.unlock();
    {
        std::unique_lock lock(Mutex_);
        StandInsWaiting_ += standIn;
        Queued_.wait_for(lock, timeout, [&] { return !Queue_.empty() || Woken_; });
        StandInsWaiting_ -= standIn;
        Woken_ = false;
    }
    if (parks)
        Role_.lock();
    return ServePending();
}

void TMainThread::ServeUntil(const std::function<bool()>& done)
{
    ServePending();
    while (!done())
        WaitAndServe(std::chrono::milliseconds(50));
    ServePending();
}

void TMainThread::Wake()
{
    {
        std::lock_guard lock(Mutex_);
        Woken_ = true;
    }
    Queued_.notify_all();
}
