// A development server process that tests may kill outright, restart on the same files and
// read the exit code and standard error of.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class killable_server {
public:
    // Adds `--port 0`; waits for "listening on" unless the process ends first. A `wrapper`
    // (a program and its arguments, prlimit say) runs the server.
    explicit killable_server(const QStringList& args, int ready_timeout_ms = 10000, const QStringList& wrapper = {});
    ~killable_server();
    killable_server(const killable_server&) = delete;
    killable_server& operator=(const killable_server&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    qint64 pid() const;
    QString log() const;               // standard error so far
    // Waits for the process to end by itself; its exit code, or -1 when it is still running.
    int exit_code(int timeout_ms = 5000);
    void kill_hard();                  // SIGKILL: no clean-up of any kind
    bool stop(int timeout_ms = 5000);  // SIGTERM

private:
    QTemporaryDir log_dir_;
    std::unique_ptr<QProcess> proc_;
    int port_ = 0;
};

// Runs `prlimit` on a process: limits the size of the files it may write (bytes, or -1 for none).
bool limit_file_size(qint64 pid, qint64 bytes);
