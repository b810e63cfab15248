// What the exec functions share: the checks before a command goes out, the failure of a send,
// and what a reply's outcome means for last_error and the connection.
#pragma once

#include "connection.h"
#include "reply_reader.h"

#include <cstdint>

namespace vorn::command {

// The longest command text a frame carries: its length field is 32 bits, and 0xFFFFFFFF is the
// notice that ends a session.
constexpr std::uint64_t max_text = 0xFFFFFFFEu;

// The calling thread's connection when a command may go out on it; null when the command ends
// here (last_error says why): a cancel is pending (the connection is closed), or the caller is
// the fill or take of a command still under way.
connection *ready();

// Marks the connection busy while one command is under way.
class busy_scope {
public:
    explicit busy_scope(connection &c) : c_(c) { c_.busy = true; }
    ~busy_scope() { c_.busy = false; }
    busy_scope(const busy_scope &) = delete;
    busy_scope &operator=(const busy_scope &) = delete;

private:
    connection &c_;
};

// Sends a frame whose text is at hand: the length field and the text in one call. False when it
// failed (see send_failed).
bool send_text(connection &c, const char *text, std::uint32_t len);
// The end of a failed send: cancelled, never connected, or a send error; the connection is
// closed, last_error says which.
void send_failed(connection &c);
// The connection ends as cancelled: closed, last_error code 2 "cancelled".
void end_cancelled(connection &c);

// Sets last_error from a reply's outcome and closes the connection when it is out of step with
// the server; true for a reply that succeeded.
bool settle(connection &c, const reply_reader &reader, reply_reader::outcome got);

} // namespace vorn::command
