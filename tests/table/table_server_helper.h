// A development server with a logged-in library session and an execution wrapper, for the
// table model tests; a connection thread logged in too, for the windows; plus a shortcut to run
// a command and tell whether the server took it.
#pragma once

#include "db/db_exec.h"
#include "db/db_link.h"
#include "devserver_process.h"
#include "link_wait.h"

#include <QByteArray>
#include <memory>

class tab_data_model;

class table_server {
public:
    // extra_args go to the development server ("--demo" adds its demo tables).
    explicit table_server(const QStringList &extra_args = {});
    ~table_server();

    bool ok() const { return exec_ != nullptr; }
    QString error() const { return error_; }
    db_exec *exec() const { return exec_.get(); }
    // The windows' connection thread, logged in at the first call; null when that failed.
    db_link *link();
    // Waits until every command the windows asked for has run and been answered.
    bool settle(int timeout_ms = 60000) { return !link_ || link_wait::settle(link_.get(), timeout_ms); }
    qint64 pid() const { return server_ ? server_->pid() : 0; }
    // The server's data folder, where the files its commands name lie.
    QString data_dir() const { return server_ ? server_->data_dir() : QString(); }
    // Runs a command quietly; true when it succeeded.
    bool run(const QByteArray &cmd);
    // Sends the model's pending commands in order, as Apply does; true when all went.
    bool apply_edits(const tab_data_model &model);
    // The commands the server logged so far.
    QString server_log() const { return server_ ? server_->log() : QString(); }

private:
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<db_exec> exec_;
    std::unique_ptr<db_link> link_;
    QString error_;
};
