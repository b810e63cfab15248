// Captures what the process writes to standard output while it lives (or until text()).
#pragma once

#include <string>

class stdout_capture {
public:
    stdout_capture();
    ~stdout_capture();
    stdout_capture(const stdout_capture &) = delete;
    stdout_capture &operator=(const stdout_capture &) = delete;
    std::string text();  // stops capturing and returns the bytes

private:
    int saved_ = -1;
    int file_ = -1;
    bool done_ = false;
    std::string text_;
};
