// Starts the development server for an end-to-end test and stops it again when the test ends.
// Compiled into every test program, so it depends on QtCore only.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class devserver_process {
public:
    // Adds `--port 0` and a fresh temporary `--data` folder unless the arguments name them.
    explicit devserver_process(const QStringList& extra_args = {}, int ready_timeout_ms = 10000);
    ~devserver_process();
    devserver_process(const devserver_process&) = delete;
    devserver_process& operator=(const devserver_process&) = delete;

    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    QString host() const { return host_; }
    QString data_dir() const { return data_dir_; }
    // The server's process id (0 when it is not running), for tests that stop it with SIGSTOP
    // to play a server that hangs.
    qint64 pid() const;
    // Why the start failed (empty when ok()).
    QString error() const { return error_; }
    // What the server wrote to standard error so far (its command log).
    QString log() const;
    // Stops the server politely (SIGTERM) and waits; returns true when it exited on its own.
    bool stop(int timeout_ms = 5000);

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    std::unique_ptr<QTemporaryDir> log_dir_;
    std::unique_ptr<QProcess> proc_;
    QString data_dir_;
    QString host_ = QStringLiteral("127.0.0.1");
    QString error_;
    int port_ = 0;
};
