#include "core/MainThread.h"

TMainThread::TMainThread() : MainId_(std::this_thread::get_id()) {}

TMainThread::~TMainThread()
{
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
    {
        std::lock_guard lock(Mutex_);
        Queue_.push_back(pending);
    }
    Queued_.notify_all();
    if (OnStepQueued)
        OnStepQueued();
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
    {
        std::unique_lock lock(Mutex_);
        Queued_.wait_for(lock, timeout, [&] { return !Queue_.empty() || Woken_; });
        Woken_ = false;
    }
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
