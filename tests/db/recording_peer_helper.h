// A stand-in server for the command layer's tests: accepts logins on 127.0.0.1 (port 0),
// records every command frame and answers each with a prepared reply (status 0, empty body,
// unless told otherwise), plus a builder for result-set bodies.
#pragma once

#include <QByteArray>
#include <QList>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

class recording_peer {
public:
    recording_peer();
    ~recording_peer();
    recording_peer(const recording_peer &) = delete;
    recording_peer &operator=(const recording_peer &) = delete;

    int port() const { return port_; }
    // Logs the calling thread in to this peer.
    bool login();

    // The reply to the next command that arrives (first queued, first used).
    void push_reply(uint8_t status, const QByteArray &body = QByteArray());
    void push_body(const QByteArray &body) { push_reply(0, body); }
    void push_failure() { push_reply(1); }

    // Every command text received so far, in order.
    QList<QByteArray> commands() const;
    QByteArray last_command() const;
    int command_count() const;
    void clear();

private:
    void serve();
    bool serve_connection(int fd);

    int listen_fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{ false };
    mutable std::mutex mutex_;
    QList<QByteArray> commands_;
    std::deque<std::pair<uint8_t, QByteArray>> replies_;
    std::thread thread_;
};

// Builds the body of a successful command reply, as the server encodes result sets.
class body_builder {
public:
    // Kinds as (type_code, sign, size_code).
    body_builder &col(const QByteArray &name, uint8_t type_code, uint8_t sign, uint8_t size_code);
    body_builder &str_col(const QByteArray &name) { return col(name, 2, 2, 4); }
    body_builder &datetime_col(const QByteArray &name) { return col(name, 5, 2, 5); }
    body_builder &u64_col(const QByteArray &name) { return col(name, 0, 1, 3); }
    // Starts a row; its values follow in column order.
    body_builder &row(uint64_t sid);
    body_builder &integer(uint64_t bits, int width);
    body_builder &f32(float v);
    body_builder &f64(double v);
    body_builder &str(const QByteArray &s);
    body_builder &date(int y, int m, int d);
    body_builder &time(int h, int mi, int s, uint32_t ns);
    body_builder &datetime(int y, int m, int d, int h, int mi, int s, uint32_t ns);
    QByteArray build() const;

private:
    struct column {
        QByteArray name;
        uint8_t type_code, sign, size_code;
    };
    QList<column> cols_;
    QByteArray rows_;
    uint64_t nrow_ = 0;
};

QByteArray le_bytes(uint64_t v, int width);
