#pragma once

#include <algorithm>

// The numbers that the small number dialogs accept; a proposal outside is brought inside.
struct TNumberRange {
    int Min;
    int Max;
    constexpr int Clamp(int value) const { return std::clamp(value, Min, Max); }
};

// The minutes of a temporary pause.
inline constexpr TNumberRange kPauseMinutesRange{1, 30000};
// The downloads that may run at once, as the dialog sets them: none would stop the list for good.
inline constexpr TNumberRange kMaxActiveTasksRange{1, 999};
