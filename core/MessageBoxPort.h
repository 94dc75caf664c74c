#pragma once

#include <string>

// The model's way to put a plain error box in front of the user (an OK button, no owner
// window). The GUI shows a real box; tests record the calls; the command line prints them.
class IMessageBoxPort {
public:
    virtual ~IMessageBoxPort() = default;
    virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;
};

