// The texts of the client's log lines and the program's log set-up.
#include "db/client_log.h"

#include "db/log_lines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSysInfo>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#define vorn_isatty _isatty
#define vorn_stdout 1
#else
#include <unistd.h>
#define vorn_isatty isatty
#define vorn_stdout STDOUT_FILENO
#endif

namespace client_log {

namespace {

bool console_on = false;
QtMessageHandler toolkit_handler = nullptr;

void toolkit_message(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    int level = LOG_LEVEL_DEBUG;
    switch (type) {
    case QtDebugMsg: level = LOG_LEVEL_DEBUG; break;
    case QtInfoMsg: level = LOG_LEVEL_INFO; break;
    case QtWarningMsg: level = LOG_LEVEL_WARN; break;
    case QtCriticalMsg: level = LOG_LEVEL_ERROR; break;
    case QtFatalMsg: level = LOG_LEVEL_FATAL; break;
    }
    if (type == QtFatalMsg)
        log_fatal("toolkit: %s", msg.toUtf8().constData());
    else
        log_it(level, "toolkit: %s", msg.toUtf8().constData());
    // The terminal shows the line through the log's console already.
    if (toolkit_handler)
        toolkit_handler(type, context, msg);
    else if (!console_on)
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, msg).toLocal8Bit().constData());
}

const char *language_name(int code)
{
    switch (code) {
    case 0: return "Chinese";
    case 1: return "English";
    case 2: return "French";
    case 3: return "Japanese";
    default: return "unknown";
    }
}

QByteArray utf8(const QString &s) { return s.toUtf8(); }

} // namespace

void start_program()
{
    const QByteArray level = qgetenv("VORN_LOG_LEVEL").trimmed().toLower();
    if (level == "off")
        set_enable(false);
    else if (!level.isEmpty() && vorn_log::level_of(level.toStdString()) >= 0)
        set_mini_level(vorn_log::level_of(level.toStdString()));
    console_on = vorn_isatty(vorn_stdout) != 0;
    set_log2cmd(console_on);
    if (!set_log2file(VORN_LOG_DEFAULT_FILE))
        std::fprintf(stderr, "cannot open the log file %s\n", VORN_LOG_DEFAULT_FILE);
    toolkit_handler = qInstallMessageHandler(toolkit_message);
}

void started(const QString &version, const QString &config_path, const QString &config_unreadable)
{
    const QString platform = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                 ? QGuiApplication::platformName()
                                 : QStringLiteral("none");
    log_info("vorn_tsdb_cli %s starting (pid %lld); Qt %s (built with %s), display %s; %s, kernel %s %s, %s",
             utf8(version).constData(), qint64(QCoreApplication::applicationPid()), qVersion(), QT_VERSION_STR,
             utf8(platform).constData(), utf8(QSysInfo::prettyProductName()).constData(),
             utf8(QSysInfo::kernelType()).constData(), utf8(QSysInfo::kernelVersion()).constData(),
             utf8(QSysInfo::currentCpuArchitecture()).constData());
    log_info("working folder %s, log file %s, log level %s", utf8(QDir::currentPath()).constData(),
             vorn_log::file_path().c_str(), vorn_log::level_name(vorn_log::mini_level()));
    const QString full = QFileInfo(config_path).absoluteFilePath();
    if (config_unreadable.isEmpty())
        log_info("configuration loaded from %s (%lld bytes)", utf8(full).constData(), QFileInfo(full).size());
    else
        log_note("configuration %s not read (%s): the initial configuration is used", utf8(full).constData(),
                 utf8(config_unreadable).constData());
}

QString why_unreadable(const QString &path)
{
    QFile f(path);
    if (!f.exists())
        return QStringLiteral("no such file");
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    return QString();
}

void language(int code, bool catalogue_loaded)
{
    // English is the texts' own language: its catalogue may well be empty.
    if (catalogue_loaded || code == 1)
        log_info("language %d (%s)", code, language_name(code));
    else
        log_note("language %d (%s): no translation catalogue, the texts stay English", code, language_name(code));
}

void login_result(const QByteArray &ip, int port, const QByteArray &user, bool ok, int code, const QString &reason)
{
    if (ok)
        log_info("login of user '%s' at %s:%d succeeded", user.constData(), ip.constData(), port);
    else
        log_warn("login of user '%s' at %s:%d failed (code %d): %s", user.constData(), ip.constData(), port, code,
                 reason.isEmpty() ? "no reason given" : utf8(reason).constData());
}

void reconnect_asked(const QByteArray &ip, int port, const QByteArray &user)
{
    log_note("reconnect of user '%s' to %s:%d", user.constData(), ip.constData(), port);
}

void wait_cancelled(int waited_seconds)
{
    log_note("wait for the server cancelled by the user after %d s", waited_seconds);
}

void connection_lost(const QString &reason)
{
    log_warn("connection to the server lost: %s", reason.isEmpty() ? "no reason given" : utf8(reason).constData());
}

void command(const QByteArray &shown, bool ok, int code, const QByteArray &reason, double micros, bool dropped,
             qint64 rows)
{
    if (ok) {
        if (vorn_log::would_log(LOG_LEVEL_DEBUG))
            log_it(LOG_LEVEL_DEBUG, "command succeeded, %lld rows, %.0f us: %s", rows, micros, shown.constData());
        return;
    }
    if (dropped) {
        log_note("command not sent, a wait before it was cancelled: %s", shown.constData());
        return;
    }
    log_warn("command failed (code %d: %s), %.0f us: %s", code, reason.isEmpty() ? "no reason given" : reason.constData(),
             micros, shown.constData());
}

file_op::file_op(const char *what, const QByteArray &subject, const QString &path)
    : what_(what), subject_(subject), path_(path)
{
    clock_.start();
}

bool file_op::done(bool ok, qint64 bytes, const QByteArray &why)
{
    const double ms = clock_.nsecsElapsed() / 1e6;
    QByteArray line = what_;
    if (!subject_.isEmpty())
        line += " '" + subject_ + "'";
    line += ", file " + utf8(QDir::toNativeSeparators(path_)) + ": ";
    line += ok ? "done" : "failed";
    if (!why.isEmpty())
        line += " (" + why + ")";
    if (bytes >= 0)
        line += ", " + QByteArray::number(bytes) + " bytes";
    line += ", " + QByteArray::number(ms, 'f', 1) + " ms";
    log_it(ok ? LOG_LEVEL_INFO : LOG_LEVEL_WARN, "%s", line.constData());
    return ok;
}

} // namespace client_log
