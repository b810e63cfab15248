// Failed logins per address: each failure makes the next answer wait longer, so passwords
// cannot be tried at network speed.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace devserver {

class login_throttle {
public:
    // Counts a failure of this address and returns how long its answer waits:
    // 100 ms, doubling with every further failure, at most 5 s.
    std::chrono::milliseconds failed(const std::string& address);
    void succeeded(const std::string& address);

private:
    struct failures {
        int count = 0;
        std::chrono::steady_clock::time_point last;
    };
    std::mutex mutex_;
    std::unordered_map<std::string, failures> by_address_;
};

} // namespace devserver
