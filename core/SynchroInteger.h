#pragma once

#include <cstdint>
#include <mutex>

// An integer guarded by its own lock, shared between worker threads and the main thread.
class TSynchroInteger {
public:
    explicit TSynchroInteger(int64_t value = 0) : Value_(value) {}

    int64_t Increment(int64_t n = 1)
    {
        std::lock_guard guard(Mutex_);
        return Value_ += n;
    }
    int64_t Decrement(int64_t n = 1)
    {
        std::lock_guard guard(Mutex_);
        return Value_ -= n;
    }
    int64_t Value() const
    {
        std::lock_guard guard(Mutex_);
        return Value_;
    }
    void Lock() { Mutex_.lock(); }
    void UnLock() { Mutex_.unlock(); }

private:
    mutable std::recursive_mutex Mutex_;
    int64_t Value_;
};
