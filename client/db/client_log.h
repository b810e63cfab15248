// The client's lines in the diagnostic log (support/log/vorn_log.h): the program's start-up
// defaults, and the events that the command layer, the modal seam, the cluster manager and the
// file operations report. Texts are UTF-8; passwords and row data never come here, and command
// texts of successful commands only at level debug.
#pragma once

#include "support/log/log_control.h"
#include "support/log/vorn_log.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

namespace client_log {

// The program's log: VORN_LOG_DEFAULT_FILE in the working folder, the console when standard
// output is a terminal, the level from the environment variable VORN_LOG_LEVEL ("debug" to
// "fatal", or "off"), and the toolkit's own messages in the log as well.
void start_program();
// The start-up line, once the application object exists: version, toolkit, platform, working
// folder; then how the configuration at config_path was taken (config_unreadable: why it could
// not be read, empty when it was loaded).
void started(const QString &version, const QString &config_path, const QString &config_unreadable);
// Why the file cannot be read, empty when it can.
QString why_unreadable(const QString &path);
// The language of the configuration and whether its catalogue was found.
void language(int code, bool catalogue_loaded);

// Logins, reconnects, cancels and a lost connection of a connection thread.
void login_result(const QByteArray &ip, int port, const QByteArray &user, bool ok, int code, const QString &reason);
void reconnect_asked(const QByteArray &ip, int port, const QByteArray &user);
void wait_cancelled(int waited_seconds);
void connection_lost(const QString &reason);

// A command that ran through the execution wrapper, shown as the execution log shows it
// (log_command_text): a failure always (warn; note when it was never sent because of a cancel), a
// success only at level debug.
void command(const QByteArray &shown, bool ok, int code, const QByteArray &reason, double micros, bool dropped,
             qint64 rows);

// A file operation, from its start to done(): what, on which table (may be empty), which file,
// its size when the client moved it (-1: the server moved it), the time and the outcome.
class file_op {
public:
    file_op(const char *what, const QByteArray &subject, const QString &path);
    // Logs the line and returns ok.
    bool done(bool ok, qint64 bytes = -1, const QByteArray &why = QByteArray());

private:
    const char *what_;
    QByteArray subject_;
    QString path_;
    QElapsedTimer clock_;
};

} // namespace client_log
