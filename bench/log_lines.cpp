// What a log line costs the writing thread: filtered out, into the file with and without
// flushing each line, and with a TCP sink whose peer reads or has stopped reading (the longest
// single call shows that a stalled peer never holds the writer).
#include "support/log/log_control.h"
#include "support/log/vorn_log.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {
using clk = std::chrono::steady_clock;

int listener(int *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), len);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    ::listen(fd, 16);
    *port = ntohs(a.sin_port);
    return fd;
}

void run(const char *what, int lines)
{
    double worst = 0;
    const auto start = clk::now();
    for (int i = 0; i < lines; ++i) {
        const auto t0 = clk::now();
        log_info("command failed (code 1: unknown command), 185 us: select %d from readings where x > 42", i);
        worst = std::max(worst, std::chrono::duration<double, std::micro>(clk::now() - t0).count());
    }
    const double ns = std::chrono::duration<double, std::nano>(clk::now() - start).count() / lines;
    const vorn_log::sink_counts c = vorn_log::tcp_counts();
    std::printf("%-34s %9.0f ns/line  longest %8.1f us", what, ns, worst);
    if (c.present)
        std::printf("  (tcp sent %llu, dropped %llu)", (unsigned long long)c.sent, (unsigned long long)c.dropped);
    std::printf("\n");
}
} // namespace

int main()
{
    const int lines = 200000;
    const std::string file = "/tmp/bench_log_lines.log";
    std::remove(file.c_str());

    set_mini_level(LOG_LEVEL_WARN);
    run("filtered out (level warn)", lines);
    set_mini_level(LOG_LEVEL_INFO);
    set_log2file(file.c_str());
    run("file, every line flushed", lines);
    set_flush(false);
    run("file, buffered", lines);

    int port = 0;
    const int fd = listener(&port);
    std::atomic<bool> reading{true};
    std::thread reader([&] {
        const int c = ::accept(fd, nullptr, nullptr);
        char buf[65536];
        while (reading && ::read(c, buf, sizeof buf) > 0) {
        }
        ::close(c);
    });
    set_log2tcp("127.0.0.1", port);
    run("file + tcp, peer reads", lines);
    reading = false;   // the reader ends at its next read: from here the peer reads nothing
    set_log2tcp(nullptr, 0);
    reader.join();
    set_log2tcp("127.0.0.1", port);
    run("file + tcp, peer stopped reading", lines);
    set_log2tcp(nullptr, 0);
    ::close(fd);
    std::remove(file.c_str());
    return 0;
}
