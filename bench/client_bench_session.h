// A development server started for a client benchmark, logged in on this thread, with a quiet
// execution wrapper that the benchmark's models run their queries through.
#pragma once

#include "db/db_exec.h"
#include "devserver_process.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

class client_bench_session {
public:
    client_bench_session() : server_(with_server_path()), exec_("vorn_tsdb", nullptr)
    {
        if (!server_.ok()) {
            std::fprintf(stderr, "development server: %s\n", qPrintable(server_.error()));
            return;
        }
        if (!connect_to_server(server_.host().toUtf8().constData(), server_.port(), "admin", "admin")) {
            std::fprintf(stderr, "login failed\n");
            return;
        }
        ok_ = true;
    }

    bool ok() const { return ok_; }
    db_exec &exec() { return exec_; }
    // A file name inside the server's data folder, for files its commands read.
    QString data_file(const QString &name) const { return QDir(server_.data_dir()).filePath(name); }
    // Runs a command without logging it; true when it succeeded.
    bool run(const QByteArray &cmd)
    {
        QByteArray line;
        result_set *rs = exec_.run(cmd, line, 1);
        del_datas(rs);
        return rs != nullptr;
    }

private:
    // The server beside the benchmark's program unless VORN_DEVSERVER names another.
    static QStringList with_server_path()
    {
        if (qEnvironmentVariableIsEmpty("VORN_DEVSERVER"))
            qputenv("VORN_DEVSERVER", (QCoreApplication::applicationDirPath() + "/vorn_tsdb_devserver").toUtf8());
        return {};
    }

    devserver_process server_;
    db_exec exec_;
    bool ok_ = false;
};
