// Failure messages with their reason and, for a lost connection, the offer to reconnect.
#include "common/failure_box.h"

#include "db/db_link.h"

#include "common/modal_seam.h"

#include <QCoreApplication>

namespace failure_box {

QString with_reason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

void show(QWidget *parent, const QString &title, const QString &text, int code, const QString &reason,
          const std::function<void()> &reconnect)
{
    const QString full = with_reason(text, reason);
    if (code != connection_gone || !reconnect) {
        modal_seam::information(parent, title, full);
        return;
    }
    // Reconnecting loses nothing, so Return may take the offer.
    const QString ask = QCoreApplication::translate("failure_box", "the connection to the server is lost, reconnect now?");
    if (modal_seam::question(parent, title, full + QLatin1Char('\n') + ask, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::Yes) == QMessageBox::Yes)
        reconnect();
}

void show(QWidget *parent, const QString &title, const QString &text, const db_status &status,
          const std::function<void()> &reconnect)
{
    if (status.dropped)
        return;
    show(parent, title, text, status.code, status.reason, reconnect);
}

} // namespace failure_box
