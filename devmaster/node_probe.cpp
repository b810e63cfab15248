// Node checks over plain POSIX sockets, each bounded by a time limit so one dead node cannot
// stall the master's loop for long.
#include "node_probe.h"

#include "wire.h"

#include "support/proto/commands.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace devmaster {

namespace {

using proto::used_space_command;

using clock_type = std::chrono::steady_clock;

int remaining_ms(clock_type::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock_type::now()).count();
    return left > 0 ? int(left) : 0;
}

// A connected non-blocking socket, or -1.
int connect_within(const std::string& ip, std::uint16_t port, clock_type::time_point deadline)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (inet_pton(AF_INET, ip.c_str(), &sa.sin_addr) != 1)
        return -1;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (s < 0)
        return -1;
    if (::connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0)
        return s;
    if (errno != EINPROGRESS) {
        ::close(s);
        return -1;
    }
    pollfd p{s, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof err;
    if (::poll(&p, 1, remaining_ms(deadline)) != 1 || ::getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) != 0 ||
        err != 0) {
        ::close(s);
        return -1;
    }
    return s;
}

bool send_within(int s, const std::string& data, clock_type::time_point deadline)
{
    std::size_t done = 0;
    while (done < data.size()) {
        pollfd p{s, POLLOUT, 0};
        if (::poll(&p, 1, remaining_ms(deadline)) != 1)
            return false;
        const ssize_t n = ::send(s, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

// One whole reply frame; false on close, time-out or a frame the reader refuses.
bool reply_within(int s, std::string& payload, clock_type::time_point deadline)
{
    devserver::frame_reader reader;
    char buf[4096];
    for (;;) {
        const auto st = reader.next(payload);
        if (st == devserver::frame_reader::state::frame)
            return true;
        if (st != devserver::frame_reader::state::need_more || reader.buffered() > (1u << 20))
            return false;
        pollfd p{s, POLLIN, 0};
        if (::poll(&p, 1, remaining_ms(deadline)) != 1)
            return false;
        const ssize_t n = ::recv(s, buf, sizeof buf, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return false;
        reader.feed(buf, std::size_t(n));
    }
}

std::string frame_of(const std::string& payload)
{
    std::string out(proto::length_bytes, '\0');
    proto::put_le32(&out[0], std::uint32_t(payload.size()));
    return out + payload;
}

bool read_u64(const std::string& in, std::size_t& pos, std::uint64_t& v)
{
    if (in.size() < pos || in.size() - pos < 8)
        return false;
    v = 0;
    for (int i = 0; i < 8; ++i)
        v |= std::uint64_t(static_cast<unsigned char>(in[pos + std::size_t(i)])) << (8 * i);
    pos += 8;
    return true;
}

} // namespace

bool node_reachable(const std::string& ip, std::uint16_t port, int timeout_ms)
{
    const int s = connect_within(ip, port, clock_type::now() + std::chrono::milliseconds(timeout_ms));
    if (s < 0)
        return false;
    ::close(s);
    return true;
}

bool first_integer_cell(const std::string& body, std::uint64_t& value)
{
    std::size_t pos = 0;
    std::uint64_t ncol = 0, nrow = 0, sid = 0;
    if (!read_u64(body, pos, ncol) || ncol == 0 || ncol > body.size())
        return false;
    for (std::uint64_t c = 0; c < ncol; ++c) {
        std::uint64_t n = 0;
        if (!read_u64(body, pos, n) || body.size() - pos < n)
            return false;
        pos += std::size_t(n);
    }
    if (!read_u64(body, pos, nrow) || nrow == 0 || body.size() - pos < ncol * 3)
        return false;
    const unsigned size_code = static_cast<unsigned char>(body[pos]);
    const unsigned sign = static_cast<unsigned char>(body[pos + 1]);
    const unsigned type_code = static_cast<unsigned char>(body[pos + 2]);
    pos += std::size_t(ncol * 3);
    if (!read_u64(body, pos, sid) || type_code != 0)
        return false;
    const std::size_t width = size_code == 0 ? 1 : size_code == 1 ? 2 : size_code == 2 ? 4 : 8;
    if (body.size() - pos < width)
        return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < width; ++i)
        v |= std::uint64_t(static_cast<unsigned char>(body[pos + i])) << (8 * i);
    // A signed cell with its top bit set is negative: no space can be, so it counts as none.
    if (sign == 0 && (v >> (8 * width - 1)) & 1)
        v = 0;
    value = v;
    return true;
}

std::uint64_t node_used_space(const std::string& ip, std::uint16_t port, const probe_login& login,
                              int timeout_ms)
{
    const auto deadline = clock_type::now() + std::chrono::milliseconds(timeout_ms);
    const int s = connect_within(ip, port, deadline);
    if (s < 0)
        return 0;
    std::uint64_t used = 0;
    std::string hello(proto::login_payload_size(login.user.size(), login.password.size()), '\0'), reply;
    proto::put_login(&hello[0], login.user, login.password);
    if (send_within(s, frame_of(hello), deadline) && reply_within(s, reply, deadline) && !reply.empty() &&
        reply[0] != proto::status_failed && send_within(s, frame_of(used_space_command), deadline) &&
        reply_within(s, reply, deadline) && !reply.empty() && reply[0] != proto::status_failed &&
        !first_integer_cell(reply.substr(1), used))
        used = 0;
    // The disconnect notice lets the server end the session at once.
    send_within(s, std::string(proto::length_bytes, '\xff'), deadline);
    ::close(s);
    return used;
}

} // namespace devmaster
