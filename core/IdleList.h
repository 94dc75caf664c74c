#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

// Takes out of a list of kept idle entries, oldest first, each one kept longer than limit
// (its member Since tells when it was kept) or beyond the most the list may hold, and
// returns their handles for the caller to free once the list's lock is given back.
template <class TEntry, class THandle>
std::vector<THandle> TakeStale(std::vector<TEntry>& idle, THandle TEntry::*handle,
                               std::chrono::steady_clock::time_point now, std::chrono::steady_clock::duration limit,
                               std::size_t most)
{
    std::vector<THandle> stale;
    for (auto it = idle.begin(); it != idle.end();) {
        if (now - it->Since > limit || idle.size() > most) {
            stale.push_back((*it).*handle);
            it = idle.erase(it);
        } else {
            ++it;
        }
    }
    return stale;
}
