#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Handles kept idle under a key (a server with its login, a session's settings) for the next
// user of the same key, the most recently kept first. What waits longer than the limit, or is
// one too many, is freed by the next Take or Give, once the pool's lock is given back: freeing
// may wait on a server. Safe to use from any thread.
template <class THandle>
class TIdlePool {
public:
    using TClock = std::chrono::steady_clock;

    TIdlePool(TClock::duration limit, std::size_t most, void (*free)(THandle)) : Limit_(limit), Most_(most), Free_(free)
    {
    }

    std::optional<THandle> Take(const std::string& key)
    {
        std::optional<THandle> found;
        std::vector<THandle> stale;
        {
            const std::lock_guard lock(Mutex_);
            stale = TakeStale();
            for (auto it = Idle_.rbegin(); it != Idle_.rend(); ++it) {
                if (it->Key == key) {
                    found = std::move(it->Handle);
                    Idle_.erase(std::next(it).base());
                    break;
                }
            }
        }
        FreeAll(stale);
        return found;
    }

    void Give(std::string key, THandle handle)
    {
        std::vector<THandle> stale;
        {
            const std::lock_guard lock(Mutex_);
            Idle_.push_back({std::move(key), std::move(handle), TClock::now()});
            stale = TakeStale();
        }
        FreeAll(stale);
    }

private:
    struct TEntry {
        std::string Key;
        THandle Handle;
        TClock::time_point Since;
    };

    // Oldest first. Under the lock.
    std::vector<THandle> TakeStale()
    {
        std::vector<THandle> stale;
        const TClock::time_point now = TClock::now();
        for (auto it = Idle_.begin(); it != Idle_.end();) {
            if (now - it->Since > Limit_ || Idle_.size() > Most_) {
                stale.push_back(std::move(it->Handle));
                it = Idle_.erase(it);
            } else {
                ++it;
            }
        }
        return stale;
    }

    void FreeAll(std::vector<THandle>& handles)
    {
        for (THandle& handle : handles)
            Free_(std::move(handle));
    }

    const TClock::duration Limit_;
    const std::size_t Most_;
    void (*const Free_)(THandle);
    std::mutex Mutex_;
    std::vector<TEntry> Idle_;
};
