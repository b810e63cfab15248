// Child process handling for the durability and limit tests.
#include "server_kill_helper.h"

#include <QProcess>

child_process::options killable_server::with(int ready_timeout_ms, const QStringList& wrapper)
{
    child_process::options opt;
    opt.ready_timeout_ms = ready_timeout_ms;
    opt.wrapper = wrapper;
    return opt;
}

killable_server::killable_server(const QStringList& args, int ready_timeout_ms, const QStringList& wrapper)
    : proc_(devserver_program(), args, with(ready_timeout_ms, wrapper))
{
}

bool limit_file_size(qint64 pid, qint64 bytes)
{
    const QString value = bytes < 0 ? QStringLiteral("unlimited") : QString::number(bytes);
    // Only the soft limit: lowering the hard one could not be undone without extra rights.
    return QProcess::execute("prlimit", {"--pid", QString::number(pid), "--fsize=" + value + ":unlimited"}) == 0;
}
