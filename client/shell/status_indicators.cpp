// Status-bar indicators: a plain widget for the connection, a permanent one for errors.
#include "shell/status_indicators.h"

#include <QIcon>
#include <QPushButton>
#include <QStatusBar>

status_indicators::status_indicators(QStatusBar *bar) : QObject(bar)
{
    connection_ = new QPushButton(bar);
    connection_->setObjectName(QStringLiteral("pb_connect"));
    connection_->setFlat(true);
    error_btn_ = new QPushButton(bar);
    error_btn_->setObjectName(QStringLiteral("pb_error"));
    error_btn_->setFlat(true);
    bar->addWidget(connection_);
    bar->addPermanentWidget(error_btn_);
    set_connected(true);
    set_error(false);
}

QString status_indicators::connection_icon() const
{
    return connected_ ? QStringLiteral(":/img/connect.svg") : QStringLiteral(":/img/disconnect.svg");
}

QString status_indicators::error_icon() const
{
    return error_ ? QStringLiteral(":/img/error.svg") : QStringLiteral(":/img/correct.svg");
}

void status_indicators::set_server(const QString &user, const QString &ip, int port)
{
    user_ = user;
    ip_ = ip;
    port_ = port;
    update_connection_tip();
}

void status_indicators::set_connected(bool connected)
{
    connected_ = connected;
    connection_->setIcon(QIcon(connection_icon()));
    update_connection_tip();
}

void status_indicators::update_connection_tip()
{
    // Beside its icon, the button says who is connected where, so several windows (or a
    // reconnect elsewhere) never leave the user guessing which server a command goes to.
    connection_->setText(tr("%1@%2:%3").arg(user_, ip_).arg(port_));
    const QString state = connected_ ? tr("connected")
                                     : tr("disconnected: the connection to the server is lost, use reconnect");
    connection_->setToolTip(tr("user: %1, IP: %2, port: %3, %4").arg(user_, ip_).arg(port_).arg(state));
}

void status_indicators::set_error(bool error)
{
    error_ = error;
    error_btn_->setIcon(QIcon(error_icon()));
    error_btn_->setToolTip(error ? tr("the current script has an error; Ctrl+E goes to it")
                                 : tr("the current script has no error"));
}
