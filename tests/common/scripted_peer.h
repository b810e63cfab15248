// A scripted stand-in server: listens on 127.0.0.1 (port 0), accepts connections and runs a
// script on each, with a connection that reads frames and writes exact bytes within time limits.
#pragma once

#include "wire_bytes.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

class peer_conn {
public:
    peer_conn(int fd, const std::atomic<bool> *stopping) : fd_(fd), stopping_(stopping) {}
    // Reads exactly n bytes; false when the client closed first, 5 s passed or the peer stops.
    bool read_exact(std::size_t n, bytes &out);
    // Reads one length-prefixed frame; the 4 length bytes are returned in len.
    bool read_frame(bytes &payload, std::uint32_t *len = nullptr);
    // Waits without a time limit until the client sends something; false when it closed or the
    // peer stops.
    bool wait_request();
    void send(const bytes &b);
    void send_bytewise(const bytes &b);
    // True when the client closed its side (read returns 0) within the time limit.
    bool wait_closed();
    void close();
    int fd() const { return fd_; }

private:
    bool wait_readable(int timeout_ms);

    int fd_;
    const std::atomic<bool> *stopping_;
};

class scripted_peer {
public:
    using script = std::function<void(peer_conn &)>;
    // Each accepted connection runs the next script; connections beyond the list are closed.
    explicit scripted_peer(std::vector<script> scripts);
    explicit scripted_peer(script one) : scripted_peer(std::vector<script>{ std::move(one) }) {}
    // Every connection runs the same script until the peer is destroyed.
    struct every_connection_t {};
    static constexpr every_connection_t every_connection{};
    scripted_peer(every_connection_t, script each);
    ~scripted_peer();
    scripted_peer(const scripted_peer &) = delete;
    scripted_peer &operator=(const scripted_peer &) = delete;

    int port() const { return port_; }
    // Waits until every script ran (with a list of scripts).
    void join();

private:
    void listen_on_loopback();
    void run(peer_conn &c, const script &s);

    int listen_fd_ = -1;
    int port_ = 0;
    bool every_ = false;
    std::atomic<bool> stopping_{ false };
    std::thread thread_;
};
