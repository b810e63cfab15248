// Starting and stopping the development server for the server benchmarks (POSIX, no Qt).
#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace bench_server {

using clock_type = std::chrono::steady_clock;

inline double seconds_since(clock_type::time_point t)
{
    return std::chrono::duration<double>(clock_type::now() - t).count();
}

// Starts the server with --port 0 and the given options, its command log going to `log`;
// reads its "listening on" line. Returns its pid (port 0 when it did not come up).
inline pid_t start(const char* program, const std::vector<std::string>& args, const std::string& log, int& port)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        // A terminal would only measure itself.
        if (FILE* f = std::freopen(log.c_str(), "w", stderr))
            (void)f;
        std::vector<char*> argv{const_cast<char*>(program), const_cast<char*>("--port"), const_cast<char*>("0")};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(out[0]);
    const std::size_t colon = line.rfind(':');
    port = colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
    return pid;
}

inline void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// Removes a benchmark's scratch folder (the server's files, hundreds of megabytes) when the
// benchmark ends, however it ends.
struct scratch_folder {
    explicit scratch_folder(const char* path) : path(path) {}
    ~scratch_folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;
    std::string path;
};

// CPU seconds (user and system) a process has used so far; on a shared machine this tells
// what a command costs when the wall clock also counts waiting for a core.
inline double cpu_seconds(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return 0;
    char buf[1024];
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = 0;
    const char* p = std::strrchr(buf, ')');
    unsigned long long utime = 0, stime = 0;
    // Fields after the name: state, then 10 numbers, then utime and stime.
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2)
        return 0;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// The server's own time of the last command with this verb that succeeded, from its log; -1 if none.
inline double server_seconds(const std::string& log, const std::string& verb)
{
    double s = -1;
    if (FILE* f = std::fopen(log.c_str(), "r")) {
        char line[1024];
        const std::string mark = " " + verb + " ok ";
        while (std::fgets(line, sizeof line, f))
            if (const char* p = std::strstr(line, mark.c_str()))
                s = double(std::atoll(p + mark.size())) / 1e6;
        std::fclose(f);
    }
    return s;
}

// The server's own time of every command with this verb that succeeded, summed.
inline double server_seconds_total(const std::string& log, const std::string& verb)
{
    double s = 0;
    if (FILE* f = std::fopen(log.c_str(), "r")) {
        char line[1024];
        const std::string mark = " " + verb + " ok ";
        while (std::fgets(line, sizeof line, f))
            if (const char* p = std::strstr(line, mark.c_str()))
                s += double(std::atoll(p + mark.size())) / 1e6;
        std::fclose(f);
    }
    return s;
}

// Lines of the server's log that contain `text`.
inline int count_lines(const std::string& log, const char* text)
{
    int n = 0;
    if (FILE* f = std::fopen(log.c_str(), "r")) {
        char line[1024];
        while (std::fgets(line, sizeof line, f))
            n += std::strstr(line, text) != nullptr;
        std::fclose(f);
    }
    return n;
}

} // namespace bench_server
