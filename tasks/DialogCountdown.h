#pragma once

#include <string>

// The countdown of a timed dialog: the dialog answers OK by itself when nobody has
// answered within DialogTimeout seconds. The front end owns the one-second timer and calls
// Tick on each of its beats, so the rules run without any time passing.
class TDialogCountdown {
public:
    // Counts down from the option DialogTimeout.
    TDialogCountdown();
    explicit TDialogCountdown(int seconds) : Counter_(seconds) {}

    // One second passed. True when the time is up: the dialog closes as if OK was pressed.
    bool Tick();
    int Counter() const { return Counter_; }
    // The OK button's caption once the countdown has begun (sButtonTimedOk with the seconds
    // left); empty before the first tick, when the button keeps its own caption.
    std::string OkCaption() const { return OkCaption_; }

private:
    int Counter_;
    std::string OkCaption_;
};
