// Library calls and raw sockets shared by the development server's end-to-end tests.
#include "ds_client_helper.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

rs_ptr run(const std::string& cmd) { return rs_ptr(exec(cmd.data(), int(cmd.size()))); }

bool ok(const std::string& cmd) { return run(cmd) != nullptr; }

std::string col(const result_set* rs, int c)
{
    int len = 0;
    const char* n = col_name(&len, rs, c);
    return n ? std::string(n, std::size_t(len)) : std::string("<none>");
}

std::string str_at(const result_set* rs, std::uint64_t r, std::uint64_t c)
{
    const cell* x = at(r, c, rs);
    if (!x)
        return "<none>";
    char* s = nullptr;
    std::uint64_t n = 0;
    as_str(&s, &n, x);
    std::string out(s ? s : "", std::size_t(n));
    std::free(s);
    return out;
}

std::string text_at(const result_set* rs, std::uint64_t r, std::uint64_t c)
{
    const cell* x = at(r, c, rs);
    if (!x)
        return "<none>";
    char buf[400];
    const int t = val_type(x), size = val_size(x), sign = val_sign(x);
    switch (t) {
    case 0:
        if (sign) {
            const unsigned long long v = size == 1 ? as_uint8(x) : size == 2 ? as_uint16(x) : size == 4 ? as_uint32(x) : as_uint64(x);
            std::snprintf(buf, sizeof buf, "%llu", v);
        } else {
            const long long v = size == 1 ? as_int8(x) : size == 2 ? as_int16(x) : size == 4 ? as_int32(x) : as_int64(x);
            std::snprintf(buf, sizeof buf, "%lld", v);
        }
        return buf;
    case 1:
        if (size == 4)
            std::snprintf(buf, sizeof buf, "%.9g", double(as_float(x)));
        else
            std::snprintf(buf, sizeof buf, "%.17g", as_double(x));
        return buf;
    case 2:
        return str_at(rs, r, c);
    default: {
        int y, mo, d, h, mi, s, ns;
        as_datetime(&y, &mo, &d, &h, &mi, &s, &ns, x);
        std::string date, time;
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, mo, d);
        date = buf;
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
        time = buf;
        if (ns) {
            std::snprintf(buf, sizeof buf, ".%09d", ns);
            std::string f = buf;
            while (f.back() == '0')
                f.pop_back();
            time += f;
        }
        return t == 3 ? date : t == 4 ? time : date + " " + time;
    }
    }
}

std::string kind_at(const result_set* rs, std::uint64_t r, std::uint64_t c)
{
    const cell* x = at(r, c, rs);
    if (!x)
        return "<none>";
    return std::to_string(val_type(x)) + "/" + std::to_string(val_sign(x)) + "/" + std::to_string(val_size(x));
}

int raw_connect(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(std::uint16_t(port));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

bool raw_send(int fd, const std::string& b)
{
    std::size_t done = 0;
    while (done < b.size()) {
        const ssize_t n = ::send(fd, b.data() + done, b.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

static bool read_exact(int fd, std::size_t n, std::string& out, int timeout_ms)
{
    out.clear();
    while (out.size() < n) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeout_ms) <= 0)
            return false;
        char buf[65536];
        const ssize_t r = ::recv(fd, buf, std::min(sizeof buf, n - out.size()), 0);
        if (r <= 0)
            return false;
        out.append(buf, std::size_t(r));
    }
    return true;
}

int raw_reply(int fd, std::string* body, int timeout_ms)
{
    std::string head, rest;
    if (!read_exact(fd, 5, head, timeout_ms))
        return -1;
    const std::uint32_t len = std::uint32_t(static_cast<unsigned char>(head[0])) |
                              std::uint32_t(static_cast<unsigned char>(head[1])) << 8 |
                              std::uint32_t(static_cast<unsigned char>(head[2])) << 16 |
                              std::uint32_t(static_cast<unsigned char>(head[3])) << 24;
    if (len < 1 || !read_exact(fd, len - 1, rest, timeout_ms))
        return -1;
    if (body)
        *body = rest;
    return static_cast<unsigned char>(head[4]);
}

static std::string le32(std::size_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
    return s;
}

std::string login_frame(const std::string& u, const std::string& p)
{
    return le32(8 + u.size() + p.size()) + le32(u.size()) + u + le32(p.size()) + p;
}

std::string command_frame(const std::string& cmd) { return le32(cmd.size()) + cmd; }

void raw_close(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

int raw_logged_in(int port)
{
    const int fd = raw_connect(port);
    if (fd < 0 || !raw_send(fd, login_frame("admin", "admin")) || raw_reply(fd) != 0) {
        raw_close(fd);
        return -1;
    }
    return fd;
}
