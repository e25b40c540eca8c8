// The one exception the driver throws: what went wrong, then what was on the screen at that moment.
#pragma once

#include <stdexcept>
#include <string>

class CDriverError : public std::runtime_error
{
public:
    explicit CDriverError(const std::string& message);
};

// Adds a description of every visible window and a screenshot's path to the message; for waits that ran out.
[[noreturn]] void ThrowWithScreen(const std::string& message);
