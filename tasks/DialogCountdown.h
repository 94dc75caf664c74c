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
    // One second passed while the user could not answer: another window is in front of the
    // dialog or the program is busy (saving the task list, say). The time stands still, so
    // the dialog never answers for a user who cannot see it. Tick(false) is Tick().
    bool Tick(bool held);
    int Counter() const { return Counter_; }
    // The OK button's caption once the countdown has begun (sButtonTimedOk with the seconds
    // left); empty before the first tick, when the button keeps its own caption.
    std::string OkCaption() const { return OkCaption_; }

private:
    int Counter_;
    std::string OkCaption_;
};
