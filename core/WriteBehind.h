#pragma once

#include "core/ThreadPool.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// Writes one block at a time on a thread of the pool while its owner goes on: a copy reads
// its next block while the last one goes to the disk. The owner hands over a block, reads
// the next, collects the outcome of the first and hands over the second; only the thread of
// the pool calls write between a Start and its Collect.
class TWriteBehind {
public:
    // write(data, count) returns the count written, or throws.
    using TWrite = std::function<int64_t(const char* data, int64_t count)>;

    explicit TWriteBehind(TWrite write);
    // Waits for the block in flight and lets the thread go; the block's outcome is dropped.
    ~TWriteBehind();
    TWriteBehind(const TWriteBehind&) = delete;
    TWriteBehind& operator=(const TWriteBehind&) = delete;

    // Starts writing the block, which stays untouched until it is collected. The block
    // handed over before must have been collected.
    void Start(const char* data, int64_t count);
    // Waits for the block in flight: what its write returned, or nothing when no block was
    // in flight. A write that threw throws here.
    std::optional<int64_t> Collect();

private:
    void Serve();

    TWrite Write_;
    std::mutex Mutex_;
    std::condition_variable Changed_;
    const char* Data_ = nullptr;
    int64_t Count_ = 0;
    bool Started_ = false;   // a block waits for the thread or is being written
    bool Finished_ = false;  // its outcome waits to be collected
    bool Closing_ = false;
    int64_t Written_ = 0;
    std::exception_ptr Failure_;
    std::shared_ptr<TThreadPool::TRun> Run_;
};
