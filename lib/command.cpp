// The steps every exec function shares; see command.h.
#include "command.h"

#include "last_error.h"

#include <cstdio>

namespace vorn::command {

connection *ready()
{
    connection &c = this_thread_connection();
    if (c.busy) {
        // A second frame inside the first would put the connection out of step for good.
        error_state::connection_lost("a command of this thread is under way (called from its fill or take); "
                                     "nothing was sent", false);
        return nullptr;
    }
    if (c.cancelled.load(std::memory_order_acquire)) {
        end_cancelled(c);
        return nullptr;
    }
    return &c;
}

bool send_text(connection &c, const char *text, std::uint32_t len)
{
    const std::uint8_t header[4] = { static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
                                     static_cast<std::uint8_t>(len >> 16), static_cast<std::uint8_t>(len >> 24) };
    if (c.socket == net::invalid_socket || !net::send_all(c.socket, header, 4, text, len, &c.cancelled)) {
        send_failed(c);
        return false;
    }
    return true;
}

void send_failed(connection &c)
{
    if (c.cancelled.load(std::memory_order_acquire)) {
        end_cancelled(c);
        return;
    }
    if (c.socket == net::invalid_socket) {
        net::set_not_connected();
        error_state::connection_lost("not connected to a server", false);
    } else {
        error_state::connection_lost("sending the command failed");
    }
    std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
    std::printf("send(sid = %d) failed, will closesocket\n", static_cast<int>(c.socket));
    registry::release(c);
}

void end_cancelled(connection &c)
{
    registry::release(c);
    error_state::connection_lost("cancelled", false);
}

bool settle(connection &c, const reply_reader &reader, reply_reader::outcome got)
{
    using outcome = reply_reader::outcome;
    if (got != outcome::ok && got != outcome::failed_status && c.cancelled.load(std::memory_order_acquire)) {
        end_cancelled(c);
        return false;
    }
    switch (got) {
    case outcome::ok:
        error_state::succeeded();
        return true;
    case outcome::failed_status:
        error_state::server_refused(reader.failure_body().data(), reader.failure_body().size());
        return false;
    case outcome::closed:
        std::printf("rsz == 0 and error(%d) is: %s\n", net::last_error(), net::error_text());
        error_state::connection_lost("the server closed the connection", false);
        break;
    case outcome::recv_error:
        error_state::connection_lost("receiving the reply failed");
        break;
    case outcome::malformed:
        error_state::connection_lost(("the server's reply is malformed: " + reader.problem()).c_str(), false);
        break;
    case outcome::stopped:
        error_state::connection_lost("cancelled", false);
        break;
    }
    // The rest of the frame, or of a broken one, must not become the answer to a later command.
    registry::release(c);
    return false;
}

} // namespace vorn::command
