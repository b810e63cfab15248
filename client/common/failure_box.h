// Failure messages that say why: the window's own text, then the reason the server or the
// network gave on a second line; when the connection is gone the box offers to reconnect.
#pragma once

#include <QString>

#include <functional>

class QWidget;
struct db_status;

namespace failure_box {

// The reason code of a run whose connection failed (none made, refused, closed, send or
// receive error), as the execution wrapper reports it.
constexpr int connection_gone = 2;

// text, then the reason on its own line; text alone when there is no reason.
QString with_reason(const QString &text, const QString &reason);

// Shows the failure in an information box. With code connection_gone and a reconnect callback
// the box asks whether to reconnect, and Yes runs the callback.
void show(QWidget *parent, const QString &title, const QString &text, int code, const QString &reason,
          const std::function<void()> &reconnect);
// The same for a job's outcome. A job that never reached the server because an earlier wait
// was cancelled shows nothing: the cancel has said it all.
void show(QWidget *parent, const QString &title, const QString &text, const db_status &status,
          const std::function<void()> &reconnect);

} // namespace failure_box
