#include "core/WriteBehind.h"

#include <utility>

TWriteBehind::TWriteBehind(TWrite write) : Write_(std::move(write))
{
    Run_ = TThreadPool::Shared().Start([this] { Serve(); });
}

TWriteBehind::~TWriteBehind()
{
    {
        std::lock_guard lock(Mutex_);
        Closing_ = true;
    }
    Changed_.notify_all();
    Run_->Wait();
}

void TWriteBehind::Start(const char* data, int64_t count)
{
    {
        std::lock_guard lock(Mutex_);
        Data_ = data;
        Count_ = count;
        Started_ = true;
    }
    Changed_.notify_all();
}

std::optional<int64_t> TWriteBehind::Collect()
{
    std::unique_lock lock(Mutex_);
    Changed_.wait(lock, [this] { return !Started_; });
    if (!Finished_)
        return std::nullopt;
    Finished_ = false;
    if (Failure_)
        std::rethrow_exception(std::exchange(Failure_, nullptr));
    return Written_;
}

void TWriteBehind::Serve()
{
    std::unique_lock lock(Mutex_);
    for (;;) {
        Changed_.wait(lock, [this] { return Started_ || Closing_; });
        if (!Started_)
            return;
        const char* data = Data_;
        const int64_t count = Count_;
        lock.unlock();
        int64_t written = 0;
        std::exception_ptr failure;
        try {
            written = Write_(data, count);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        Written_ = written;
        Failure_ = failure;
        Started_ = false;
        Finished_ = true;
        Changed_.notify_all();
    }
}
