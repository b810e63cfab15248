// Starts the development server for an end-to-end test and stops it again when the test ends.
// Compiled into every test program, so it depends on QtCore only.
#pragma once

#include "child_process.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class devserver_process {
public:
    // Adds `--port 0` and a fresh temporary `--data` folder unless the arguments name them.
    explicit devserver_process(const QStringList& extra_args = {}, int ready_timeout_ms = 10000);
    devserver_process(const devserver_process&) = delete;
    devserver_process& operator=(const devserver_process&) = delete;

    bool ok() const { return proc_ && proc_->ok(); }
    int port() const { return proc_ ? proc_->port() : 0; }
    QString host() const { return proc_ && !proc_->host().isEmpty() ? proc_->host() : QStringLiteral("127.0.0.1"); }
    QString data_dir() const { return data_dir_; }
    // The server's process id (0 when it is not running), for tests that stop it with SIGSTOP
    // to play a server that hangs.
    qint64 pid() const { return proc_ ? proc_->pid() : 0; }
    // Why the start failed (empty when ok()).
    QString error() const { return proc_ ? proc_->error() : error_; }
    // What the server wrote to standard error so far (its command log).
    QString log() const { return proc_ ? proc_->log() : QString(); }
    // Stops the server politely (SIGTERM) and waits; returns true when it exited on its own.
    bool stop(int timeout_ms = 5000) { return !proc_ || proc_->stop(timeout_ms); }

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    QString data_dir_;
    QString error_;
    std::unique_ptr<child_process> proc_;   // last: stopped before its data folder goes
};
