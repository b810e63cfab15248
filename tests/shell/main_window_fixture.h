// Shared set-up of the main-window tests: a development server, a logged-in main window on it,
// and commands run on the server over a second connection, as another client would.
#pragma once

#include "devserver_process.h"
#include "config/sys_config.h"
#include "shell/main_window.h"
#include "common/modal_seam.h"
#include "db/db_link.h"
#include "db/result_table.h"
#include "vorn_tsdb.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <thread>

namespace mw_test {

// Runs the commands on their own connection (the library keeps one per thread), so the
// window's session does not see them coming. True when every command succeeded.
inline bool run_elsewhere(const devserver_process &srv, const QList<QByteArray> &cmds)
{
    bool ok = false;
    std::thread t([&] {
        if (!connect_to_server("127.0.0.1", srv.port(), "admin", "admin"))
            return;
        ok = true;
        for (const QByteArray &c : cmds) {
            result_set *rs = exec(c.constData(), c.size());
            ok = ok && rs;
            if (rs)
                del_datas(rs);
        }
        exit_to_server();
    });
    t.join();
    return ok;
}

// One query on a connection of its own, as run_elsewhere; out receives its rows.
inline bool query_elsewhere(const devserver_process &srv, const QByteArray &cmd, result_table &out)
{
    bool ok = false;
    std::thread t([&] {
        if (!connect_to_server("127.0.0.1", srv.port(), "admin", "admin"))
            return;
        if (result_set *rs = exec(cmd.constData(), cmd.size())) {
            to_table(rs, out, false);
            del_datas(rs);
            ok = true;
        }
        exit_to_server();
    });
    t.join();
    return ok;
}

// The rows of a table as another client sees them; -1 when it cannot be read.
inline int rows_elsewhere(const devserver_process &srv, const QByteArray &table)
{
    result_table t;
    return query_elsewhere(srv, "view " + table, t) ? t.rows.size() : -1;
}

// Waits until every command the window asked for has run and its answer has been handled.
inline bool settle(MainWindow *w, int timeout_ms = 60000)
{
    QSignalSpy idle(w->link(), &db_link::busy_changed);
    QDeadlineTimer deadline(timeout_ms);
    while (w->link()->busy() && !deadline.hasExpired())
        idle.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return !w->link()->busy();
}

// Runs one command on the window's own session (a job on its connection thread) and waits for
// it; true when it succeeded.
inline bool run_in_window(MainWindow *w, const QByteArray &cmd)
{
    auto ok = std::make_shared<bool>(false);
    w->link()->post(nullptr, [cmd](db_exec &db) {
        result_set *rs = db.run(cmd, 1);
        if (rs)
            del_datas(rs);
        return rs != nullptr;
    }, [ok](bool done) { *ok = done; });
    return settle(w) && *ok;
}

// Builds the window the login dialog would build, logged in on its own connection thread, and
// waits for its first tree. This thread logs in too, for the commands tests run themselves.
inline std::unique_ptr<MainWindow> open_window(const devserver_process &srv)
{
    if (!connect_to_server("127.0.0.1", srv.port(), "admin", "admin"))
        return nullptr;
    auto w = std::make_unique<MainWindow>(QStringLiteral("127.0.0.1"), srv.port(),
                                          QStringLiteral("admin"), QStringLiteral("admin"));
    if (!settle(w.get()))
        return nullptr;
    return w;
}

// The set-up the window tests share: a fresh configuration, a scripted seam, a development server
// holding the tables the test creates, and a logged-in main window on it. A test class derives
// from it and calls open() in init() and close() in cleanup(); a case that has to prepare the
// configuration or the seam before the window is built calls start(), then open_main().
class window_test : public QObject {
protected:
    std::unique_ptr<modal_seam::script> seam_;
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<MainWindow> w_;

    // A fresh configuration and seam, and a server (started with server_args unless one runs
    // already: a class may keep one for all its cases) that ran the setup commands. Empty when
    // ready, else why not.
    QString start(const QList<QByteArray> &setup = {}, const QStringList &server_args = {})
    {
        sys_config.reset();
        // The old seam goes first: its end uninstalls whichever script is installed.
        seam_.reset();
        seam_ = std::make_unique<modal_seam::script>();
        if (!server_)
            server_ = std::make_unique<devserver_process>(server_args);
        if (!server_->ok())
            return server_->error();
        if (!setup.isEmpty() && !run_elsewhere(*server_, setup))
            return QStringLiteral("the set-up commands failed");
        return {};
    }
    // The logged-in window on the running server; empty when it is up.
    QString open_main()
    {
        w_ = open_window(*server_);
        return w_ ? QString() : QStringLiteral("no login");
    }
    // Empty when the window is up, else why it is not.
    QString open(const QList<QByteArray> &setup = {}, const QStringList &server_args = {})
    {
        const QString why = start(setup, server_args);
        return why.isEmpty() ? open_main() : why;
    }
    // The window, this thread's session, the seam and the configuration go; the server stays.
    void close_window()
    {
        w_.reset();
        exit_to_server();
        seam_.reset();
        sys_config.reset();
    }
    void close()
    {
        close_window();
        server_.reset();
    }
};

inline QTreeWidgetItem *find_item(QTreeWidget *tree, const QString &table, const QString &field = {})
{
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        QTreeWidgetItem *t = root->child(i);
        if (t->text(0) != table)
            continue;
        if (field.isEmpty())
            return t;
        for (int j = 0; j < t->childCount(); ++j)
            if (t->child(j)->text(0) == field)
                return t->child(j);
    }
    return nullptr;
}

inline QStringList texts_of(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return out;
}

} // namespace mw_test
