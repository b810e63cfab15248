// Login and logout on the calling thread's connection.
#include "connection.h"
#include "last_error.h"
#include "reply_reader.h"
#include "vorn_tsdb.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vorn {

connection &this_thread_connection()
{
    static thread_local connection conn;
    return conn;
}

namespace {

constexpr int connect_timeout_ms = 10000;

void release(connection &c)
{
    if (c.socket != net::invalid_socket)
        net::close(c.socket);
    c.socket = net::invalid_socket;
    std::free(c.recv_buf);
    c.recv_buf = nullptr;
    if (c.net_started)
        net::cleanup();
    c.net_started = false;
}

void put_u32(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace
} // namespace vorn

using namespace vorn;

extern "C" bool connect_to_server(const char *ip, int port, const char *user, const char *passwd)
{
    connection &c = this_thread_connection();
    // A second connect on the same thread must not leak the first connection.
    release(c);

    c.recv_buf = static_cast<std::uint8_t *>(std::calloc(recv_buf_size, 1));
    if (!c.recv_buf) {
        error_state::connection_lost("out of memory for the receive buffer", false);
        return false;
    }
    if (!net::startup()) {
        std::printf("WSAStartup error %s!\n", net::error_text());
        error_state::connection_lost("the socket subsystem could not start");
        return false;
    }
    c.net_started = true;
    c.socket = net::open_tcp();

    if (!net::set_option(c.socket, net::option::reuseaddr, 0))
        std::printf("setsockopt reuseaddr with error info %s!\n", net::error_text());
    if (!net::set_option(c.socket, net::option::rcvbuf, 65536))
        std::printf("setsockopt rcvbuf with error info %s!\n", net::error_text());
    if (!net::set_option(c.socket, net::option::sndbuf, 65536))
        std::printf("setsockopt sndbuf with error info %s!\n", net::error_text());
    if (!net::set_option(c.socket, net::option::keepalive, 0))
        std::printf("setsockopt keepalive with error info %s!\n", net::error_text());

    if (!net::connect_ipv4(c.socket, ip, static_cast<std::uint16_t>(port & 0xFFFF), connect_timeout_ms)) {
        std::printf("connect error %s!\n", net::error_text());
        char what[96];
        std::snprintf(what, sizeof what, "cannot connect to %.40s:%d", ip ? ip : "", port);
        error_state::connection_lost(what);
        return false;
    }

    const std::size_t ulen = user ? std::strlen(user) : 0;
    const std::size_t plen = passwd ? std::strlen(passwd) : 0;
    std::vector<std::uint8_t> frame;
    frame.reserve(12 + ulen + plen);
    put_u32(frame, static_cast<std::uint32_t>(8 + ulen + plen));
    put_u32(frame, static_cast<std::uint32_t>(ulen));
    frame.insert(frame.end(), user, user + ulen);
    put_u32(frame, static_cast<std::uint32_t>(plen));
    frame.insert(frame.end(), passwd, passwd + plen);
    if (!net::send_all(c.socket, frame.data(), frame.size())) {
        std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
        error_state::connection_lost("sending the login failed");
        net::close(c.socket);
        c.socket = net::invalid_socket;
        return false;
    }

    // The login reply is accumulated like any reply; its body is not kept.
    reply_reader reader(c.recv_buf, recv_buf_size);
    const reply_reader::outcome got = reader.read_login(c.socket);
    switch (got) {
    case reply_reader::outcome::ok:
        error_state::succeeded();
        return true;
    case reply_reader::outcome::failed_status:
        std::printf("login failed.\n");
        error_state::server_refused(reader.failure_body().data(), reader.failure_body().size());
        return false;
    case reply_reader::outcome::closed:
    case reply_reader::outcome::recv_error:
        if (got == reply_reader::outcome::closed)
            error_state::connection_lost("the server closed the connection during login", false);
        else
            error_state::connection_lost("receiving the login reply failed");
        if (reader.received() == 0) {
            std::printf("login failed(network).\n");
            return false;
        }
        std::printf("login failed(bad length).\n");
        return false;
    case reply_reader::outcome::malformed:
        std::printf("login failed(bad length).\n");
        error_state::connection_lost("the server's login reply is malformed", false);
        return false;
    }
    return false;
}

extern "C" bool exit_to_server(void)
{
    connection &c = this_thread_connection();
    static const std::uint8_t notice[4] = { 0xFF, 0xFF, 0xFF, 0xFF };
    if (c.socket == net::invalid_socket)
        errno = EBADF;
    if (c.socket == net::invalid_socket || !net::send_all(c.socket, notice, sizeof notice))
        std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
    release(c);
    return true;
}
