// One of our own network programs (the development server, the cluster master) as a child of a
// test or benchmark: started on port 0, ready once it prints its "listening on" line.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class child_process {
public:
    struct options {
        QStringList wrapper;        // a program and its arguments that run ours (prlimit, say)
        QString log_file;           // where standard error goes; empty: a file of our own
        int ready_timeout_ms = 10000;
    };

    // Adds `--port 0` unless the arguments name a port, and waits until the program reports
    // where it listens or ends.
    child_process(const QString& program, const QStringList& args, const options& opt);
    child_process(const QString& program, const QStringList& args) : child_process(program, args, options{}) {}
    // Stops the program politely (see stop()).
    ~child_process();
    child_process(const child_process&) = delete;
    child_process& operator=(const child_process&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    QString host() const { return host_; }
    // Why the start failed (empty when ok()).
    QString error() const { return error_; }
    bool running() const { return proc_ && proc_->state() != QProcess::NotRunning; }
    // The process id while it runs, else 0.
    qint64 pid() const { return running() ? proc_->processId() : 0; }
    // What it wrote to standard error so far.
    QString log() const;

    // Waits for the program to end by itself: its exit code, or -1 when it still runs.
    int wait_exit(int timeout_ms = 5000);
    // True once it ended with its own exit code (not by a signal).
    bool exited_normally() const { return proc_ && !running() && proc_->exitStatus() == QProcess::NormalExit; }
    // SIGCONT (a test may have stopped it), then SIGTERM; kills it when it does not end in
    // time. True when it ended on the polite request or was not running.
    bool stop(int timeout_ms = 5000);
    // SIGKILL: no clean-up of any kind.
    void kill_hard();

private:
    void wait_ready(int timeout_ms);

    std::unique_ptr<QTemporaryDir> log_dir_;
    std::unique_ptr<QProcess> proc_;
    QString log_file_;
    QString host_;
    QString error_;
    int port_ = 0;
};

// The development server named by VORN_DEVSERVER (empty when unset).
QString devserver_program();
// A program built beside the development server, e.g. "vorn_tsdb_devmaster".
QString sibling_program(const QString& name);
