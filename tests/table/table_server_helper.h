// A development server with a logged-in library session and an execution wrapper, for the
// table model tests; plus a shortcut to run a command and tell whether the server took it.
#pragma once

#include "db/db_exec.h"
#include "devserver_process.h"

#include <QByteArray>
#include <memory>

class table_server {
public:
    // extra_args go to the development server ("--demo" adds its demo tables).
    explicit table_server(const QStringList &extra_args = {});
    ~table_server();

    bool ok() const { return exec_ != nullptr; }
    QString error() const { return error_; }
    db_exec *exec() const { return exec_.get(); }
    // The server's data folder, where the files its commands name lie.
    QString data_dir() const { return server_ ? server_->data_dir() : QString(); }
    // Runs a command quietly; true when it succeeded.
    bool run(const QByteArray &cmd);
    // The commands the server logged so far.
    QString server_log() const { return server_ ? server_->log() : QString(); }

private:
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<db_exec> exec_;
    QString error_;
};
