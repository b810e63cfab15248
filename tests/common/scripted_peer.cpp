// The scripted stand-in server's sockets and its accept loops.
#include "scripted_peer.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int io_timeout_ms = 5000;
constexpr int slice_ms = 50; // how often a waiting connection looks whether the peer stops
} // namespace

bool peer_conn::wait_readable(int timeout_ms)
{
    for (int waited = 0; timeout_ms < 0 || waited < timeout_ms; waited += slice_ms) {
        if (stopping_ && *stopping_)
            return false;
        pollfd p{ fd_, POLLIN, 0 };
        const int r = ::poll(&p, 1, slice_ms);
        if (r != 0)
            return r > 0;
    }
    return false;
}

bool peer_conn::read_exact(std::size_t n, bytes &out)
{
    out.resize(n);
    std::size_t got = 0;
    while (got < n) {
        if (!wait_readable(io_timeout_ms))
            return false;
        const ssize_t r = ::recv(fd_, out.data() + got, n - got, 0);
        if (r <= 0)
            return false;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

bool peer_conn::read_frame(bytes &payload, std::uint32_t *len)
{
    bytes head;
    if (!read_exact(4, head))
        return false;
    std::uint32_t n;
    std::memcpy(&n, head.data(), 4);
    if (len)
        *len = n;
    if (n == 0xFFFFFFFFu) {
        payload.clear();
        return true;
    }
    return read_exact(n, payload);
}

bool peer_conn::wait_request()
{
    return wait_readable(-1);
}

void peer_conn::send(const bytes &b)
{
    std::size_t done = 0;
    while (done < b.size()) {
        const ssize_t n = ::send(fd_, b.data() + done, b.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

void peer_conn::send_bytewise(const bytes &b)
{
    for (std::uint8_t x : b) {
        ::send(fd_, &x, 1, MSG_NOSIGNAL);
        // A pause on purpose: the client's reads of a reply cut into pieces are under test,
        // and nothing tells this side that a byte was read; the pause lets each one arrive
        // in a read of its own.
        ::usleep(200);
    }
}

bool peer_conn::wait_closed()
{
    char c;
    while (wait_readable(io_timeout_ms)) {
        const ssize_t r = ::recv(fd_, &c, 1, 0);
        if (r <= 0)
            return true;
    }
    return false;
}

void peer_conn::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void scripted_peer::listen_on_loopback()
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(listen_fd_, 8);
    socklen_t len = sizeof addr;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
}

void scripted_peer::run(peer_conn &c, const script &s)
{
    int one = 1;
    ::setsockopt(c.fd(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    s(c);
    c.close();
}

scripted_peer::scripted_peer(std::vector<script> scripts)
{
    listen_on_loopback();
    thread_ = std::thread([this, scripts = std::move(scripts)]() {
        for (const script &s : scripts) {
            pollfd p{ listen_fd_, POLLIN, 0 };
            if (::poll(&p, 1, io_timeout_ms) <= 0)
                return;
            const int fd = ::accept(listen_fd_, nullptr, nullptr);
            if (fd < 0)
                return;
            peer_conn c(fd, &stopping_);
            run(c, s);
        }
    });
}

scripted_peer::scripted_peer(every_connection_t, script each) : every_(true)
{
    listen_on_loopback();
    thread_ = std::thread([this, each = std::move(each)]() {
        while (!stopping_) {
            pollfd p{ listen_fd_, POLLIN, 0 };
            if (::poll(&p, 1, slice_ms) <= 0)
                continue;
            const int fd = ::accept(listen_fd_, nullptr, nullptr);
            if (fd < 0)
                continue;
            peer_conn c(fd, &stopping_);
            run(c, each);
        }
    });
}

scripted_peer::~scripted_peer()
{
    // A list of scripts runs to its end; serving every connection stops here.
    if (every_)
        stopping_ = true;
    join();
    if (listen_fd_ >= 0)
        ::close(listen_fd_);
}

void scripted_peer::join()
{
    if (thread_.joinable())
        thread_.join();
}
