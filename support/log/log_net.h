// The network side of the log: each TCP or UDP destination gets a thread of its own with a
// bounded queue, so a slow or absent peer costs the writing thread nothing but a copy of the
// line. The sockets are spdlog's tcp and udp sinks, driven only from that thread.
#pragma once

#include "support/log/log_control.h"

#include <spdlog/sinks/base_sink.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vorn_log {

class net_forwarder {
public:
    enum class kind { tcp, udp };
    // Called on the forwarder's thread when the peer stops or starts taking lines again.
    using notice_fn = void (*)(int level, const std::string &text);

    net_forwarder(kind k, std::string host, int port, notice_fn notice);
    // Stops as stop() with a short wait.
    ~net_forwarder();
    net_forwarder(const net_forwarder &) = delete;
    net_forwarder &operator=(const net_forwarder &) = delete;

    // Queues a whole formatted line; never waits for the peer. Past the queue's limits the
    // oldest lines are dropped.
    void push(const char *data, std::size_t size);
    sink_counts counts() const;
    const std::string &target() const { return target_; }

    // Drops what waits and ends the thread. A send or connect under way is waited for at most
    // wait_ms; past that the thread is left to end by itself (its state stays alive with it).
    void stop(int wait_ms);

    // How long a send may stall before the line is given up and the connection renewed, and
    // how long after a failure lines are dropped without trying.
    static constexpr int send_timeout_ms = 1000;
    static constexpr int retry_after_ms = 1000;
    // A UDP datagram carries at most this many bytes of a line.
    static constexpr std::size_t datagram_limit = 8192;

private:
    struct shared;
    static void run(std::shared_ptr<shared> s);
    std::shared_ptr<shared> s_;
    std::thread worker_;
    std::string target_;
};

// A sink of the program's logger: formats the line on the writing thread (so the thread's name
// is the writer's) and hands the text to the forwarder.
class forward_sink final : public spdlog::sinks::base_sink<std::mutex> {
public:
    explicit forward_sink(std::shared_ptr<net_forwarder> to) : to_(std::move(to)) {}
    const std::shared_ptr<net_forwarder> &forwarder() const { return to_; }

protected:
    void sink_it_(const spdlog::details::log_msg &msg) override;
    void flush_() override {}

private:
    std::shared_ptr<net_forwarder> to_;
};

} // namespace vorn_log
