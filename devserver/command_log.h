// One line per command on standard error, written by a background thread so that a slow or
// stalled reader of standard error never holds up a command.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace devserver {

class command_log {
public:
    command_log();
    ~command_log();
    command_log(const command_log&) = delete;
    command_log& operator=(const command_log&) = delete;
    // peer, verb, "ok" or the error text, microseconds.
    void add(const std::string& peer, const std::string& verb, const std::string& result, long long micros);
    void line(std::string text);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> pending_;
    std::size_t dropped_ = 0;
    bool stopping_ = false;
    std::thread writer_;
};

} // namespace devserver
