// Node probes on threads of their own, so a node that accepts and never answers holds up no
// client of the master: the loop hands out jobs and is woken when a result is in.
#pragma once

#include "node_probe.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace devmaster {

class prober {
public:
    struct result {
        std::string name;
        bool running = false;
        std::uint64_t used = 0;
    };

    explicit prober(probe_login login, std::size_t threads = 4);
    ~prober();
    prober(const prober&) = delete;
    prober& operator=(const prober&) = delete;

    // Readable while results wait to be taken.
    int wake_fd() const { return pipe_[0]; }
    // Probes the node unless a probe of it is under way already.
    void request(const std::string& name, const std::string& ip, std::uint16_t port);
    std::vector<result> take();

private:
    struct job {
        std::string name, ip;
        std::uint16_t port = 0;
    };
    void run();

    probe_login login_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<job> jobs_;
    std::set<std::string> busy_;
    std::vector<result> done_;
    bool stopping_ = false;
    int pipe_[2] = {-1, -1};
    std::vector<std::thread> threads_;
};

} // namespace devmaster
