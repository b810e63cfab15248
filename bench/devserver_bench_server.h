// Starting the development server for the server benchmarks, and reading its figures (POSIX).
#pragma once

#include "child_process.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench_server {

using clock_type = std::chrono::steady_clock;

inline double seconds_since(clock_type::time_point t)
{
    return std::chrono::duration<double>(clock_type::now() - t).count();
}

// Starts the server with the given options, its command log going to `log`; ok() and port()
// tell whether it came up.
inline std::unique_ptr<child_process> start(const char* program, const std::vector<std::string>& args,
                                            const std::string& log)
{
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    child_process::options opt;
    // A terminal would only measure itself.
    opt.log_file = QString::fromStdString(log);
    return std::make_unique<child_process>(QString::fromLocal8Bit(program), list, opt);
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
