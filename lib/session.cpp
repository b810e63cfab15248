// Login and logout on the calling thread's connection.
#include "connection.h"
#include "last_error.h"
#include "reply_reader.h"
#include "vorn_tsdb.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vorn {
namespace {

constexpr int connect_timeout_ms = 10000;

// Ends a login that another thread cancelled, or one whose TCP connection failed: the socket
// is of no further use.
bool give_up(connection &c, const char *what, bool with_system_text = true)
{
    if (c.cancelled.load(std::memory_order_acquire))
        error_state::connection_lost("cancelled", false);
    else
        error_state::connection_lost(what, with_system_text);
    registry::release(c);
    return false;
}

} // namespace
} // namespace vorn

using namespace vorn;

extern "C" bool connect_to_server(const char *ip, int port, const char *user, const char *passwd)
{
    connection &c = this_thread_connection();
    if (c.busy) {
        // The command under way still uses the connection and its buffer.
        error_state::connection_lost("a command of this thread is under way (called from its fill or take)", false);
        return false;
    }
    // A second connect on the same thread must not leak the first connection.
    registry::release(c);
    registry::begin_login(c);

    c.recv_buf = static_cast<std::uint8_t *>(std::calloc(recv_buf_size, 1));
    if (!c.recv_buf)
        return give_up(c, "out of memory for the receive buffer", false);
    if (!net::startup()) {
        std::printf("WSAStartup error %s!\n", net::error_text());
        return give_up(c, "the socket subsystem could not start");
    }
    const net::socket_t s = net::open_tcp();
    if (s == net::invalid_socket) {
        std::printf("connect error %s!\n", net::error_text());
        return give_up(c, "cannot create a socket");
    }
    registry::attach(c, s);

    if (!net::set_option(s, net::option::reuseaddr, 0))
        std::printf("setsockopt reuseaddr with error info %s!\n", net::error_text());
    if (!net::set_option(s, net::option::rcvbuf, 65536))
        std::printf("setsockopt rcvbuf with error info %s!\n", net::error_text());
    if (!net::set_option(s, net::option::sndbuf, 65536))
        std::printf("setsockopt sndbuf with error info %s!\n", net::error_text());
    if (!net::set_option(s, net::option::keepalive, 0))
        std::printf("setsockopt keepalive with error info %s!\n", net::error_text());

    if (!net::connect_ipv4(s, ip, static_cast<std::uint16_t>(port & 0xFFFF), connect_timeout_ms, &c.cancelled)) {
        std::printf("connect error %s!\n", net::error_text());
        char what[96];
        std::snprintf(what, sizeof what, "cannot connect to %.40s:%d", ip ? ip : "", port);
        return give_up(c, what);
    }

    const std::size_t ulen = user ? std::strlen(user) : 0;
    const std::size_t plen = passwd ? std::strlen(passwd) : 0;
    const std::size_t payload = proto::login_payload_size(ulen, plen);
    std::vector<char> frame(proto::length_bytes + payload);
    proto::put_le32(frame.data(), static_cast<std::uint32_t>(payload));
    proto::put_login(frame.data() + proto::length_bytes, std::string_view(user ? user : "", ulen),
                     std::string_view(passwd ? passwd : "", plen));
    if (!net::send_all(s, frame.data(), frame.size(), nullptr, 0, &c.cancelled)) {
        std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
        return give_up(c, "sending the login failed");
    }

    // The login reply is accumulated like any reply; its body is not kept.
    reply_reader reader(c.recv_buf, recv_buf_size, &c.cancelled);
    const reply_reader::outcome got = reader.read_login(s);
    switch (got) {
    case reply_reader::outcome::ok:
        error_state::succeeded();
        return true;
    case reply_reader::outcome::failed_status:
        // The frame was read whole: the connection stays usable, as the server left it.
        std::printf("login failed.\n");
        error_state::server_refused(reader.failure_body().data(), reader.failure_body().size());
        return false;
    case reply_reader::outcome::closed:
    case reply_reader::outcome::recv_error:
        std::printf(reader.received() == 0 ? "login failed(network).\n" : "login failed(bad length).\n");
        if (got == reply_reader::outcome::closed)
            return give_up(c, "the server closed the connection during login", false);
        return give_up(c, "receiving the login reply failed");
    case reply_reader::outcome::malformed:
        std::printf("login failed(bad length).\n");
        return give_up(c, ("the server's login reply is malformed: " + reader.problem()).c_str(), false);
    case reply_reader::outcome::stopped:  // only a row taker stops a reply; a login has none
        return give_up(c, "cancelled", false);
    }
    return false;
}

extern "C" bool exit_to_server(void)
{
    connection &c = this_thread_connection();
    if (c.busy)
        return false;  // the command under way still uses the connection and its buffer
    std::uint8_t notice[proto::length_bytes];
    proto::put_le32(notice, proto::disconnect_length);
    // A cancelled connection has already ended; there is nothing to tell the server.
    if (!c.cancelled.load(std::memory_order_acquire)) {
        if (c.socket == net::invalid_socket)
            net::set_not_connected();
        if (c.socket == net::invalid_socket ||
            !net::send_all(c.socket, notice, sizeof notice, nullptr, 0, &c.cancelled))
            std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
    }
    registry::release(c);
    return true;
}
