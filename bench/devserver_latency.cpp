// Latency of a steady client's pushes while another client backs up two million rows: the
// backup copies its rows under the database lock and writes the file without it. Prints the
// pushes' p50, p99 and longest time with and without the backup running.
#include "devserver_bench_server.h"

#include "binfile.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <thread>

namespace {

using bench_server::clock_type;

std::string le32(std::size_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
    return s;
}

bool send_all(int fd, const std::string& b)
{
    for (std::size_t done = 0; done < b.size();) {
        const ssize_t n = ::send(fd, b.data() + done, b.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

bool read_exact(int fd, std::string& out, std::size_t n)
{
    out.resize(n);
    for (std::size_t done = 0; done < n;) {
        const ssize_t r = ::recv(fd, &out[done], n - done, 0);
        if (r <= 0)
            return false;
        done += std::size_t(r);
    }
    return true;
}

// Status of one command's reply, -1 when the connection failed.
int command(int fd, const std::string& cmd)
{
    std::string head, body;
    if (!send_all(fd, le32(cmd.size()) + cmd) || !read_exact(fd, head, 5))
        return -1;
    const std::uint32_t len = std::uint32_t(static_cast<unsigned char>(head[0])) |
                              std::uint32_t(static_cast<unsigned char>(head[1])) << 8 |
                              std::uint32_t(static_cast<unsigned char>(head[2])) << 16 |
                              std::uint32_t(static_cast<unsigned char>(head[3])) << 24;
    return len >= 1 && read_exact(fd, body, len - 1) ? static_cast<unsigned char>(head[4]) : -1;
}

int logged_in(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(std::uint16_t(port));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    const std::string user = "admin";
    const std::string login = le32(user.size()) + user + le32(user.size()) + user;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || command(fd, login) != 0)
        return -1;
    return fd;
}

struct figures {
    double p50 = 0, p99 = 0, p999 = 0, worst = 0;
    std::size_t n = 0;
};

figures summary(std::vector<double> ms)
{
    figures f;
    f.n = ms.size();
    if (ms.empty())
        return f;
    std::sort(ms.begin(), ms.end());
    f.p50 = ms[ms.size() / 2];
    f.p99 = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
    f.p999 = ms[std::min(ms.size() - 1, ms.size() * 999 / 1000)];
    f.worst = ms.back();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 1 ? argv[1] : std::getenv("VORN_DEVSERVER");
    const long rows = argc > 2 ? std::atol(argv[2]) : 2000000;
    if (!program) {
        std::fprintf(stderr, "usage: bench_devserver_latency SERVER [ROWS]  (or set VORN_DEVSERVER)\n");
        return 2;
    }
    char dir[] = "/tmp/devserver_latency_XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const bench_server::scratch_folder scratch(dir);
    {
        using namespace devserver;
        table big({{"v", kind::i64}, {"x", kind::f64}, {"s", kind::str}});
        big.reserve(std::size_t(rows));
        std::vector<std::string> row(3);
        row[0].resize(8);
        row[1].resize(8);
        for (long i = 0; i < rows; ++i) {
            const double x = double(i) * 0.5;
            std::memcpy(&row[0][0], &i, 8);
            std::memcpy(&row[1][0], &x, 8);
            row[2] = "station " + std::to_string(i % 97);
            big.push(time_point{1700000000 + i, 0}, row);
        }
        const std::string bytes = encode_table_file(big);
        FILE* f = std::fopen((std::string(dir) + "/big.bin").c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            return 1;
        std::fclose(f);
    }
    const std::string log = std::string(dir) + "/server.log";
    const auto server = bench_server::start(program, {"--data", dir}, log);
    const int port = server->port();
    const int busy = server->ok() ? logged_in(port) : -1;
    const int steady = busy >= 0 ? logged_in(port) : -1;
    if (steady < 0 || command(busy, "load big from bin \"big.bin\"") != 0 || command(steady, "create small v i64") != 0) {
        std::fprintf(stderr, "cannot start, reach or fill the server\n");
        return 1;
    }

    std::atomic<bool> backing_up{false}, done{false};
    std::vector<double> quiet, beside;
    std::thread pusher([&] {
        for (long i = 0; !done; ++i) {
            const bool during = backing_up;
            const auto t = clock_type::now();
            if (command(steady, "push into small v values " + std::to_string(i) + " at 2024-01-01 00:00:00") != 0)
                break;
            const double ms = bench_server::seconds_since(t) * 1000;
            if (during && backing_up)
                beside.push_back(ms);
            else if (!during && !backing_up)
                quiet.push_back(ms);
        }
    });
    std::this_thread::sleep_for(std::chrono::seconds(2));   // pushes alone first
    double backup_s = 0;
    for (int k = 0; k < 3; ++k) {
        backing_up = true;
        const auto t = clock_type::now();
        const int st = command(busy, "backup as bin \"all.sbk\" replace");
        backup_s += bench_server::seconds_since(t);
        backing_up = false;
        if (st != 0)
            std::fprintf(stderr, "backup failed\n");
    }
    done = true;
    pusher.join();
    server->stop(120000);   // the server writes its files on the way out
    const figures q = summary(quiet), b = summary(beside);
    std::printf("rows %ld, backup %.2f s each\n", rows, backup_s / 3);
    std::printf("push alone:          %zu pushes, p50 %.3f ms, p99 %.3f ms, p99.9 %.3f ms, longest %.1f ms\n", q.n, q.p50, q.p99, q.p999, q.worst);
    std::printf("push beside backup:  %zu pushes, p50 %.3f ms, p99 %.3f ms, p99.9 %.3f ms, longest %.1f ms\n", b.n, b.p50, b.p99, b.p999, b.worst);
    return 0;
}
