// Scripted peer and byte builders for the library's tests.
#include "fake_peer_helper.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int io_timeout_ms = 5000;

bool wait_readable(int fd)
{
    pollfd p { fd, POLLIN, 0 };
    return ::poll(&p, 1, io_timeout_ms) > 0;
}
} // namespace

bool peer_conn::read_exact(std::size_t n, bytes &out)
{
    out.resize(n);
    std::size_t got = 0;
    while (got < n) {
        if (!wait_readable(fd_))
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
        ::usleep(200);  // lets each byte travel in a segment of its own
    }
}

bool peer_conn::wait_closed()
{
    char c;
    while (wait_readable(fd_)) {
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

fake_peer::fake_peer(std::vector<script> scripts)
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(listen_fd_, 8);
    socklen_t len = sizeof addr;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this, scripts = std::move(scripts)]() {
        for (const script &s : scripts) {
            if (!wait_readable(listen_fd_))
                return;
            const int fd = ::accept(listen_fd_, nullptr, nullptr);
            if (fd < 0)
                return;
            int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            peer_conn c(fd);
            s(c);
            c.close();
        }
    });
}

fake_peer::~fake_peer()
{
    join();
    if (listen_fd_ >= 0)
        ::close(listen_fd_);
}

void fake_peer::join()
{
    if (thread_.joinable())
        thread_.join();
}

bytes le(std::uint64_t v, int width)
{
    bytes b;
    for (int i = 0; i < width; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return b;
}

bytes frame(const bytes &payload)
{
    bytes b = le(payload.size(), 4);
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

bytes reply(std::uint8_t status, const bytes &body)
{
    bytes p { status };
    p.insert(p.end(), body.begin(), body.end());
    return frame(p);
}

bytes login_ok() { return reply(0); }

body_builder &body_builder::col(const std::string &name, std::uint8_t type_code, std::uint8_t sign,
                                std::uint8_t size_code)
{
    cols.push_back({ name, size_code, sign, type_code });
    return *this;
}

body_builder &body_builder::row(std::uint64_t sid)
{
    rows.push_back(le(sid, 8));
    return *this;
}

static void append(bytes &to, const bytes &b) { to.insert(to.end(), b.begin(), b.end()); }

body_builder &body_builder::i(std::uint64_t v, int width) { append(rows.back(), le(v, width)); return *this; }

body_builder &body_builder::f32(float v)
{
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    return i(u, 4);
}

body_builder &body_builder::f64(double v)
{
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    return i(u, 8);
}

body_builder &body_builder::str(const std::string &s)
{
    append(rows.back(), le(s.size(), 2));
    rows.back().insert(rows.back().end(), s.begin(), s.end());
    return *this;
}

body_builder &body_builder::date(int y, int m, int d)
{
    append(rows.back(), le(static_cast<std::uint64_t>(y), 2));
    rows.back().push_back(static_cast<std::uint8_t>(m));
    rows.back().push_back(static_cast<std::uint8_t>(d));
    return *this;
}

body_builder &body_builder::time(int h, int mi, int s, std::uint32_t ns)
{
    rows.back().push_back(static_cast<std::uint8_t>(h));
    rows.back().push_back(static_cast<std::uint8_t>(mi));
    rows.back().push_back(static_cast<std::uint8_t>(s));
    return i(ns, 4);
}

body_builder &body_builder::datetime(int y, int m, int d, int h, int mi, int s, std::uint32_t ns)
{
    date(y, m, d);
    return time(h, mi, s, ns);
}

bytes body_builder::build() const
{
    bytes b = le(cols.size(), 8);
    for (const column &c : cols) {
        append(b, le(c.name.size(), 8));
        b.insert(b.end(), c.name.begin(), c.name.end());
    }
    append(b, le(rows.size(), 8));
    if (!rows.empty()) {
        for (const column &c : cols) {
            b.push_back(c.size_code);
            b.push_back(c.sign);
            b.push_back(c.type_code);
        }
        for (const bytes &r : rows)
            append(b, r);
    }
    return b;
}

stdout_capture::stdout_capture()
{
    std::fflush(stdout);
    char name[] = "/tmp/vorn_stdout_XXXXXX";
    file_ = ::mkstemp(name);
    ::unlink(name);
    saved_ = ::dup(1);
    ::dup2(file_, 1);
}

std::string stdout_capture::text()
{
    if (!done_) {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
        const off_t size = ::lseek(file_, 0, SEEK_END);
        text_.resize(static_cast<std::size_t>(size));
        ::pread(file_, text_.data(), text_.size(), 0);
        ::close(file_);
        done_ = true;
    }
    return text_;
}

stdout_capture::~stdout_capture() { text(); }
