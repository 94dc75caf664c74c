#pragma once

#include "core/ThreadPool.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Hands steps from worker threads to the main thread. A worker calls Synchronize and
// blocks until the main thread has run the step; the main thread serves the queue from
// its event loop, and also while it waits for a worker to end, so the two never wait
// for each other. A failure thrown by a step is thrown again in the worker.
//
// A front end without an event loop of its own may let the threads of the pool stand in
// for its main thread while that one waits in WaitAndServe: a thread whose body has ended
// then serves the steps and the front end's follow-up itself, under the main thread's role,
// and starts the next body without waiting. Neither thread sleeps for a small file.
class TMainThread : private TThreadPool::IIdleHelper {
public:
    // The constructing thread becomes the main thread.
    TMainThread();
    // Steps posted and not served are dropped.
    ~TMainThread();
    TMainThread(const TMainThread&) = delete;
    TMainThread& operator=(const TMainThread&) = delete;

    // The main thread, or a thread that stands in for it.
    bool IsMainThread() const { return std::this_thread::get_id() == MainId_ || tlStandingInFor == this; }

    // Lets the pool's threads stand in while the main thread waits; afterSteps runs after
    // the steps they served, as the front end's loop would after a wake-up. Main thread only.
    void EnableStandIns(std::function<void()> afterSteps);
    // Waits until no thread stands in any more. Main thread only.
    void DisableStandIns();

    // On the main thread the step runs at once; on another thread it is queued, the main
    // loop is woken and the caller waits until it has run.
    void Synchronize(const std::function<void()>& step);
    // Queues a step for the main thread like Synchronize, without waiting for it: the
    // caller goes on at once. The step must not throw, and whatever it uses must stay
    // until it has run (on the main thread it runs at once).
    void Post(std::function<void()> step);

    // Runs every step queued so far; returns how many ran. Main thread only.
    int ServePending();
    // Waits until a step is queued, Wake is called or timeout passes, then serves the queue.
    int WaitAndServe(std::chrono::milliseconds timeout);
    // Serves steps until done() holds; done is checked after every wake-up.
    void ServeUntil(const std::function<bool()>& done);
    // Wakes a main thread blocked in WaitAndServe or ServeUntil.
    void Wake();

    // Called on the worker thread each time a step is queued; an event loop posts itself a
    // wake-up here. Set it before any worker starts.
    std::function<void()> OnStepQueued;

private:
    void HelpWhenIdle() override;

    static thread_local const TMainThread* tlStandingInFor;

    // Where one worker waits for its step. Kept by the main thread and used again, so that
    // a step can be told done after the lock is let go (its worker then finds the lock free
    // instead of waiting for it): a late wake-up reaches a slot that still exists, at worst
    // as a spurious one for the next worker to wait there.
    struct TWaitSlot {
        std::condition_variable Served;
    };
    struct TPendingStep {
        const std::function<void()>* Step = nullptr;
        bool Done = false;
        std::exception_ptr Failure;
        TWaitSlot* Slot = nullptr;       // nullptr: posted, nobody waits
        std::function<void()> Posted;    // a posted step, owned by its entry
    };

    std::thread::id MainId_;
    std::mutex Mutex_;
    std::condition_variable Queued_;     // main thread waits for steps
    std::deque<TPendingStep*> Queue_;
    bool Woken_ = false;
    std::deque<TWaitSlot> Slots_;        // never shrinks: addresses stay valid
    std::vector<TWaitSlot*> FreeSlots_;

    // Held by the main thread except while it waits with stand-ins allowed, and by a thread
    // standing in for it.
    std::mutex Role_;
    std::atomic<bool> StandInsAllowed_{false};
    std::function<void()> AfterStandInSteps_;
    int StandInsWaiting_ = 0;  // stand-ins in WaitAndServe, under Mutex_
};
