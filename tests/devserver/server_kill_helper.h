// A development server process that tests may kill outright, restart on the same files and
// read the exit code and standard error of.
#pragma once

#include "child_process.h"

#include <QStringList>

class killable_server {
public:
    // Adds `--port 0`; waits for "listening on" unless the process ends first. A `wrapper`
    // (a program and its arguments, prlimit say) runs the server.
    explicit killable_server(const QStringList& args, int ready_timeout_ms = 10000, const QStringList& wrapper = {});
    ~killable_server() { proc_.kill_hard(); }
    killable_server(const killable_server&) = delete;
    killable_server& operator=(const killable_server&) = delete;

    bool ok() const { return proc_.ok(); }
    int port() const { return proc_.port(); }
    qint64 pid() const { return proc_.pid(); }
    QString log() const { return proc_.log(); }   // standard error so far
    // Waits for the process to end by itself; its exit code, or -1 when it is still running.
    int exit_code(int timeout_ms = 5000) { return proc_.wait_exit(timeout_ms); }
    void kill_hard() { proc_.kill_hard(); }   // SIGKILL: no clean-up of any kind
    // SIGTERM; true when the server ended on it with exit code 0.
    bool stop(int timeout_ms = 5000) { return proc_.stop(timeout_ms) && proc_.exited_normally() && proc_.wait_exit(0) == 0; }

private:
    static child_process::options with(int ready_timeout_ms, const QStringList& wrapper);
    child_process proc_;
};

// Runs `prlimit` on a process: limits the size of the files it may write (bytes, or -1 for none).
bool limit_file_size(qint64 pid, qint64 bytes);
