// A connection thread for tests that drive windows: logged in to a development server, and a
// wait until every job it was given has run and its answer was handled. Only for tests that
// link the command layer.
#pragma once

#include "db/db_link.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <memory>

namespace link_wait {

// Waits until the link has nothing queued, running or on its way back.
inline bool settle(db_link *link, int timeout_ms = 60000)
{
    QSignalSpy idle(link, &db_link::busy_changed);
    QDeadlineTimer deadline(timeout_ms);
    while (link->busy() && !deadline.hasExpired())
        idle.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return !link->busy();
}

// A link logged in as admin; null when the login failed.
inline std::unique_ptr<db_link> logged_in(const QString &host, int port, QTextEdit *log = nullptr)
{
    auto link = std::make_unique<db_link>(QByteArrayLiteral("vorn_tsdb"), log);
    bool ok = false;
    link->login(login_values{ host.toUtf8(), port, "admin", "admin" }, nullptr,
                [&ok](const db_status &st) { ok = st.ok; });
    if (!settle(link.get()) || !ok)
        return nullptr;
    return link;
}

} // namespace link_wait
