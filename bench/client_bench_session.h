// A development server started for a client benchmark, logged in on this thread, with a quiet
// execution wrapper that the benchmark's models run their queries through.
#pragma once

#include "db/db_exec.h"
#include "devserver_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <malloc.h>

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
    // Where the server listens and its process, for a connection thread of the benchmark's
    // windows and for stopping the server (SIGSTOP) to play one that hangs.
    QString host() const { return server_.host(); }
    int port() const { return server_.port(); }
    qint64 server_pid() const { return server_.pid(); }
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

    // Creates `table` with the fields "v i64 d double s string w datetime" and imports rows of
    // "time point,v,d,s,w": one distinct second per row from 2020-01-01, v = i * 1000003 - 5e9,
    // d = i / 4 - 1000, s = "row_<i>", w = the row's time plus a year. The row count is the
    // program's first argument, a million without one. False (and told on standard error) when
    // the table could not be filled.
    bool fill_million_rows(const QByteArray &table, int argc, char **argv)
    {
        if (fill_rows(table, argc > 1 ? QByteArray(argv[1]).toInt() : 1000000))
            return true;
        std::fprintf(stderr, "could not fill the table\n");
        return false;
    }

    bool fill_rows(const QByteArray &table, int rows)
    {
        const QString path = data_file(QString::fromUtf8(table) + ".csv");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        QByteArray out = "time point,v,d,s,w\n";
        out.reserve(rows * 80);
        char line[200];
        for (int i = 0; i < rows; ++i) {
            const int day = 1 + i / 86400, h = (i / 3600) % 24, m = (i / 60) % 60, s = i % 60;
            const int n = std::snprintf(line, sizeof line,
                                        "2020-01-%02d %02d:%02d:%02d,%lld,%.17f,row_%07d,2021-01-%02d %02d:%02d:%02d\n",
                                        day, h, m, s, (long long)i * 1000003LL - 5000000000LL, i * 0.25 - 1000.0, i,
                                        day, h, m, s);
            out.append(line, n);
        }
        if (f.write(out) != out.size())
            return false;
        f.close();
        return run("create " + table + " v i64 d double s string w datetime") &&
               run("import " + table + " from csv \"" + table + ".csv\" split by \",\"");
    }

    // Heap bytes in use after giving freed memory back.
    static std::size_t heap_in_use()
    {
        malloc_trim(0);
        const struct mallinfo2 mi = mallinfo2();
        return mi.uordblks + mi.hblkhd;
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
