// The recording stand-in server and the result-set body builder.
#include "recording_peer_helper.h"

#include "vorn_tsdb.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Waits at most 10 s for each chunk so a stuck client cannot hang the test forever.
bool read_exact(int fd, char *out, size_t n)
{
    size_t got = 0;
    while (got < n) {
        pollfd p{ fd, POLLIN, 0 };
        if (poll(&p, 1, 10000) <= 0)
            return false;
        const ssize_t r = ::recv(fd, out + got, n - got, 0);
        if (r <= 0)
            return false;
        got += static_cast<size_t>(r);
    }
    return true;
}

bool write_all(int fd, const QByteArray &b)
{
    int sent = 0;
    while (sent < b.size()) {
        const ssize_t r = ::send(fd, b.constData() + sent, static_cast<size_t>(b.size() - sent), MSG_NOSIGNAL);
        if (r <= 0)
            return false;
        sent += static_cast<int>(r);
    }
    return true;
}

QByteArray reply_frame(uint8_t status, const QByteArray &body)
{
    QByteArray f = le_bytes(static_cast<uint64_t>(body.size()) + 1, 4);
    f += static_cast<char>(status);
    f += body;
    return f;
}

} // namespace

QByteArray le_bytes(uint64_t v, int width)
{
    QByteArray b;
    for (int i = 0; i < width; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xff);
    return b;
}

recording_peer::recording_peer()
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(listen_fd_, 4);
    socklen_t len = sizeof addr;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
}

recording_peer::~recording_peer()
{
    stop_ = true;
    thread_.join();
    ::close(listen_fd_);
}

bool recording_peer::login() { return connect_to_server("127.0.0.1", port_, "tester", "secret"); }

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

void recording_peer::serve()
{
    while (!stop_) {
        pollfd p{ listen_fd_, POLLIN, 0 };
        if (poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept(listen_fd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        serve_connection(fd);
        ::close(fd);
    }
}

bool recording_peer::serve_connection(int fd)
{
    char len_bytes[4];
    // Login: answered with success whatever it carries.
    if (!read_exact(fd, len_bytes, 4))
        return false;
    uint32_t len = 0;
    std::memcpy(&len, len_bytes, 4);
    QByteArray payload(static_cast<int>(len), '\0');
    if (!read_exact(fd, payload.data(), len) || !write_all(fd, reply_frame(0, QByteArray())))
        return false;
    while (!stop_) {
        pollfd p{ fd, POLLIN, 0 };
        const int ready = poll(&p, 1, 50);
        if (ready < 0)
            return false;
        if (ready == 0)
            continue;
        if (!read_exact(fd, len_bytes, 4))
            return false;
        std::memcpy(&len, len_bytes, 4);
        if (len == 0xFFFFFFFFu)
            return true; // disconnect notice
        QByteArray cmd(static_cast<int>(len), '\0');
        if (!read_exact(fd, cmd.data(), len))
            return false;
        std::pair<uint8_t, QByteArray> answer{ 0, QByteArray() };
        {
            std::lock_guard<std::mutex> lock(mutex_);
            commands_.append(cmd);
            if (!replies_.empty()) {
                answer = replies_.front();
                replies_.pop_front();
            }
        }
        if (!write_all(fd, reply_frame(answer.first, answer.second)))
            return false;
    }
    return true;
}

body_builder &body_builder::col(const QByteArray &name, uint8_t type_code, uint8_t sign, uint8_t size_code)
{
    cols_.append(column{ name, type_code, sign, size_code });
    return *this;
}

body_builder &body_builder::row(uint64_t sid)
{
    ++nrow_;
    rows_ += le_bytes(sid, 8);
    return *this;
}

body_builder &body_builder::integer(uint64_t bits, int width)
{
    rows_ += le_bytes(bits, width);
    return *this;
}

body_builder &body_builder::f32(float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    return integer(bits, 4);
}

body_builder &body_builder::f64(double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, 8);
    return integer(bits, 8);
}

body_builder &body_builder::str(const QByteArray &s)
{
    rows_ += le_bytes(static_cast<uint64_t>(s.size()), 2);
    rows_ += s;
    return *this;
}

body_builder &body_builder::date(int y, int m, int d)
{
    rows_ += le_bytes(static_cast<uint64_t>(y), 2);
    rows_ += static_cast<char>(m);
    rows_ += static_cast<char>(d);
    return *this;
}

body_builder &body_builder::time(int h, int mi, int s, uint32_t ns)
{
    rows_ += static_cast<char>(h);
    rows_ += static_cast<char>(mi);
    rows_ += static_cast<char>(s);
    rows_ += le_bytes(ns, 4);
    return *this;
}

body_builder &body_builder::datetime(int y, int m, int d, int h, int mi, int s, uint32_t ns)
{
    date(y, m, d);
    return time(h, mi, s, ns);
}

QByteArray body_builder::build() const
{
    QByteArray b = le_bytes(static_cast<uint64_t>(cols_.size()), 8);
    for (const column &c : cols_) {
        b += le_bytes(static_cast<uint64_t>(c.name.size()), 8);
        b += c.name;
    }
    b += le_bytes(nrow_, 8);
    if (nrow_ > 0) {
        for (const column &c : cols_) {
            b += static_cast<char>(c.size_code);
            b += static_cast<char>(c.sign);
            b += static_cast<char>(c.type_code);
        }
        b += rows_;
    }
    return b;
}
