// For the result chart tests: a development server with a logged-in execution wrapper and a
// connection thread for the script tabs, and the "chart" toggle of a result grid.
#pragma once

#include "db/db_exec.h"
#include "devserver_process.h"
#include "link_wait.h"

#include <QAction>
#include <QTableView>
#include <QTextEdit>
#include <memory>

struct chart_session {
    std::unique_ptr<devserver_process> server;
    std::unique_ptr<QTextEdit> log;
    std::unique_ptr<db_exec> db;
    std::unique_ptr<db_link> link;

    // Empty when the server runs and the login succeeded, else why not.
    QString start(const QStringList &server_args = {})
    {
        server = std::make_unique<devserver_process>(server_args);
        if (!server->ok())
            return server->error();
        if (!connect_to_server(server->host().toLatin1().constData(), server->port(), "admin", "admin"))
            return QStringLiteral("login failed");
        log = std::make_unique<QTextEdit>();
        db = std::make_unique<db_exec>("vorn_tsdb", log.get());
        link = link_wait::logged_in(server->host(), server->port(), log.get());
        if (!link)
            return QStringLiteral("login of the connection thread failed");
        return QString();
    }
    bool settle() { return link_wait::settle(link.get()); }
    void stop()
    {
        link.reset();
        db.reset();
        log.reset();
        server.reset();
    }
};

inline QAction *chart_toggle(QTableView *view)
{
    for (QAction *a : view->actions())
        if (a->objectName() == QLatin1String("chart_toggle"))
            return a;
    return nullptr;
}
