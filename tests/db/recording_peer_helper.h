// A stand-in server for the command layer's tests: accepts logins on 127.0.0.1 (port 0),
// records every command frame and answers each with a prepared reply (status 0, empty body,
// unless told otherwise). Result-set bodies come from the shared builder.
#pragma once

#include "scripted_peer.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

using body_builder = result_body<QByteArray>;

class recording_peer {
public:
    recording_peer();

    int port() const { return peer_.port(); }
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
    void serve_connection(peer_conn &c);

    mutable std::mutex mutex_;
    QList<QByteArray> commands_;
    std::deque<std::pair<uint8_t, QByteArray>> replies_;
    scripted_peer peer_; // last: its thread stops before the state above goes
};
