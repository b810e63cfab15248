// A scripted server for the library's tests: listens on 127.0.0.1 (port 0), accepts
// connections and runs a script on each, with helpers to read frames and write exact bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using bytes = std::vector<std::uint8_t>;

class peer_conn {
public:
    explicit peer_conn(int fd) : fd_(fd) {}
    // Reads exactly n bytes; false when the client closed first (or 5 s passed).
    bool read_exact(std::size_t n, bytes &out);
    // Reads one length-prefixed frame; the 4 length bytes are returned in len.
    bool read_frame(bytes &payload, std::uint32_t *len = nullptr);
    void send(const bytes &b);
    void send_bytewise(const bytes &b);
    // True when the client closed its side (read returns 0) within the time limit.
    bool wait_closed();
    void close();
    int fd() const { return fd_; }

private:
    int fd_;
};

class fake_peer {
public:
    using script = std::function<void(peer_conn &)>;
    // Each accepted connection runs the next script; connections beyond the list are closed.
    explicit fake_peer(std::vector<script> scripts);
    explicit fake_peer(script one) : fake_peer(std::vector<script>{ std::move(one) }) {}
    ~fake_peer();
    int port() const { return port_; }
    // Waits until every script ran.
    void join();

private:
    int listen_fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

// Reply frames and result-set bodies.
bytes le(std::uint64_t v, int width);
bytes frame(const bytes &payload);
bytes reply(std::uint8_t status, const bytes &body = {});
bytes login_ok();

struct body_builder {
    struct column { std::string name; std::uint8_t size_code, sign, type_code; };
    std::vector<column> cols;
    std::vector<bytes> rows;   // encoded rows (sid + values)

    body_builder &col(const std::string &name, std::uint8_t type_code, std::uint8_t sign, std::uint8_t size_code);
    // Starts a row with the given identifier; values are appended with the functions below.
    body_builder &row(std::uint64_t sid);
    body_builder &i(std::uint64_t v, int width);
    body_builder &f32(float v);
    body_builder &f64(double v);
    body_builder &str(const std::string &s);
    body_builder &date(int y, int m, int d);
    body_builder &time(int h, int mi, int s, std::uint32_t ns);
    body_builder &datetime(int y, int m, int d, int h, int mi, int s, std::uint32_t ns);
    bytes build() const;
};

// Captures what the process writes to standard output while it lives.
class stdout_capture {
public:
    stdout_capture();
    ~stdout_capture();
    std::string text();  // stops capturing and returns the bytes

private:
    int saved_ = -1;
    int file_ = -1;
    bool done_ = false;
    std::string text_;
};
