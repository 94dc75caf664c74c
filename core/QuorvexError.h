#pragma once

#include <stdexcept>
#include <string>

// The system's own failure: raised with a text that ends up in a task log or a message box.
class QuorvexError : public std::runtime_error {
public:
    explicit QuorvexError(const std::string& message) : std::runtime_error(message) {}
};
