// Decode benchmark: a loopback peer sends a prepared reply of 1,000,000 rows (i64, double,
// 16-byte string, datetime). Compares a bare recv loop over the same bytes with exec + del_datas,
// alternating the two; each figure is the best of its runs.
#include "vorn_tsdb.h"

#include <arpa/inet.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using bytes = std::vector<unsigned char>;
using clk = std::chrono::steady_clock;

void put(bytes &b, std::uint64_t v, int w)
{
    for (int i = 0; i < w; ++i)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

bytes make_reply(std::size_t rows)
{
    bytes body;
    const char *names[] = { "v", "d", "s", "time point" };
    put(body, 4, 8);
    for (const char *n : names) {
        put(body, std::strlen(n), 8);
        body.insert(body.end(), n, n + std::strlen(n));
    }
    put(body, rows, 8);
    const unsigned char kinds[] = { 3, 0, 0, 3, 2, 1, 4, 2, 2, 5, 2, 5 };
    body.insert(body.end(), kinds, kinds + 12);
    body.reserve(body.size() + rows * 53);
    for (std::size_t r = 0; r < rows; ++r) {
        put(body, r + 1, 8);
        put(body, r * 7, 8);
        double d = r * 0.5;
        std::uint64_t u;
        std::memcpy(&u, &d, 8);
        put(body, u, 8);
        put(body, 16, 2);
        char s[32]; // "sensor-" and nine digits for every row count the benchmark uses
        std::snprintf(s, sizeof s, "sensor-%09zu", r);
        body.insert(body.end(), s, s + 16);
        put(body, 2024, 2);
        const unsigned char t[] = { 1, 2, static_cast<unsigned char>(r % 24), 4, 5 };
        body.insert(body.end(), t, t + 5);
        put(body, r % 1000000000, 4);
    }
    bytes frame;
    put(frame, body.size() + 1, 4);
    frame.push_back(0);
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

bool read_exact(int fd, void *buf, std::size_t n)
{
    auto *p = static_cast<unsigned char *>(buf);
    while (n) {
        const ssize_t k = ::recv(fd, p, n, 0);
        if (k <= 0)
            return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

bool read_frame(int fd)
{
    std::uint32_t len;
    if (!read_exact(fd, &len, 4) || len == 0xFFFFFFFFu)
        return false;
    std::vector<unsigned char> skip(len);
    return read_exact(fd, skip.data(), len);
}

void send_all(int fd, const unsigned char *p, std::size_t n)
{
    while (n) {
        const ssize_t k = ::send(fd, p, n, MSG_NOSIGNAL);
        if (k <= 0)
            return;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
}

// Serves one connection: login, then the big reply to every command.
void serve(int fd, const bytes *reply)
{
    const unsigned char ok[] = { 1, 0, 0, 0, 0 };
    if (read_frame(fd))
        send_all(fd, ok, 5);
    while (read_frame(fd))
        send_all(fd, reply->data(), reply->size());
    ::close(fd);
}

// Accepts `sessions` connections and serves each on a thread of its own.
void serve_all(int lfd, const bytes *reply, int sessions)
{
    std::vector<std::thread> served;
    for (int i = 0; i < sessions; ++i) {
        const int fd = ::accept(lfd, nullptr, nullptr);
        if (fd < 0)
            break;
        served.emplace_back(serve, fd, reply);
    }
    for (std::thread &t : served)
        t.join();
}

// Resident bytes of the process; big blocks are mappings, so the heap counters miss them.
std::size_t heap_in_use()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
} // namespace

int main()
{
    const std::size_t rows = 1000000, runs = 9;
    const bytes reply = make_reply(rows);
    const int lfd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(lfd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::listen(lfd, 4);
    socklen_t alen = sizeof addr;
    ::getsockname(lfd, reinterpret_cast<sockaddr *>(&addr), &alen);
    std::thread peer(serve_all, lfd, &reply, 2);

    // (a) floor: the same bytes read by a bare recv loop, with the library's buffer sizes.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int v = 65536;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &v, sizeof v);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &v, sizeof v);
    ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    const unsigned char login[] = { 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    send_all(fd, login, sizeof login);
    unsigned char ok[5];
    read_exact(fd, ok, 5);
    std::vector<unsigned char> buf(reply.size());
    auto bare_run = [&] {
        const unsigned char cmd[] = { 1, 0, 0, 0, 'q' };
        const auto t0 = clk::now();
        send_all(fd, cmd, sizeof cmd);
        std::size_t got = 0;
        while (got < buf.size()) {
            const std::size_t want = buf.size() - got < 524288 ? buf.size() - got : 524288;
            const ssize_t k = ::recv(fd, buf.data() + got, want, 0);
            if (k <= 0)
                break;
            got += static_cast<std::size_t>(k);
        }
        return std::chrono::duration<double>(clk::now() - t0).count();
    };

    // (b) exec until the result set is ready, then del_datas.
    if (!connect_to_server("127.0.0.1", ntohs(addr.sin_port), "", "")) {
        std::printf("login failed\n");
        return 1;
    }
    std::size_t per_cell_bytes = 0;
    auto exec_run = [&] {
        const std::size_t before = heap_in_use();
        const auto t0 = clk::now();
        result_set *rs = exec("q", 1);
        const std::size_t held = heap_in_use() - before;
        if (!rs || rows_of(rs) != rows) {
            std::printf("exec failed\n");
            std::exit(1);
        }
        del_datas(rs);
        per_cell_bytes = held;
        return std::chrono::duration<double>(clk::now() - t0).count();
    };

    // The two alternate, so a load that comes and goes on the machine meets both alike.
    double floor_best = 1e9, exec_best = 1e9;
    for (std::size_t r = 0; r < runs; ++r) {
        floor_best = std::min(floor_best, bare_run());
        exec_best = std::min(exec_best, exec_run());
    }
    ::close(fd);
    exit_to_server();
    peer.join();
    ::close(lfd);

    const double cells = static_cast<double>(rows) * 4;
    const double string_bytes = static_cast<double>(rows) * 16;
    std::printf("reply size            %zu bytes\n", reply.size());
    std::printf("bare recv loop (a)    %.1f ms\n", floor_best * 1e3);
    std::printf("exec + del_datas (b)  %.1f ms\n", exec_best * 1e3);
    std::printf("ratio b/a             %.2f\n", exec_best / floor_best);
    std::printf("result set memory     %.1f bytes per cell (%.1f plus %.1f string bytes)\n",
                per_cell_bytes / cells, (per_cell_bytes - string_bytes) / cells, string_bytes / cells);
    return 0;
}
