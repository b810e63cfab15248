// The recording stand-in server: a login, then one reply per command frame.
#include "recording_peer_helper.h"

#include "vorn_tsdb.h"

recording_peer::recording_peer()
    : peer_(scripted_peer::every_connection, [this](peer_conn &c) { serve_connection(c); })
{
}

bool recording_peer::login() { return connect_to_server("127.0.0.1", port(), "tester", "secret"); }

void recording_peer::push_reply(uint8_t status, const QByteArray &body)
{
    std::lock_guard<std::mutex> lock(mutex_);
    replies_.emplace_back(status, body);
}

QList<QByteArray> recording_peer::commands() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_;
}

QByteArray recording_peer::last_command() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_.isEmpty() ? QByteArray() : commands_.last();
}

int recording_peer::command_count() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return commands_.size();
}

void recording_peer::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    commands_.clear();
    replies_.clear();
}

void recording_peer::serve_connection(peer_conn &c)
{
    bytes frame_bytes;
    // Login: answered with success whatever it carries.
    if (!c.read_frame(frame_bytes))
        return;
    c.send(login_ok());
    while (c.wait_request()) {
        std::uint32_t len = 0;
        if (!c.read_frame(frame_bytes, &len) || len == 0xFFFFFFFFu) // disconnect notice
            return;
        std::pair<uint8_t, QByteArray> answer{ 0, QByteArray() };
        {
            std::lock_guard<std::mutex> lock(mutex_);
            commands_.append(QByteArray(wire::data_of(frame_bytes), int(frame_bytes.size())));
            if (!replies_.empty()) {
                answer = replies_.front();
                replies_.pop_front();
            }
        }
        c.send(reply(answer.first, bytes(answer.second.begin(), answer.second.end())));
    }
}
