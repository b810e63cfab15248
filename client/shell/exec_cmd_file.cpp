// Running a command file line by line, and the messages that end the run.
#include "shell/exec_cmd_file.h"

#include "db/db_exec.h"
#include "editor/script_lines.h"
#include "shell/cmd_file_tabs.h"
#include "common/failure_box.h"
#include "common/modal_seam.h"

script_runner::outcome exec_cmd_file::run_commands(const QList<QByteArray> &commands, db_exec &db,
                                                   script_runner &runner)
{
    return runner.run(commands, [&db](const QByteArray &cmd, int) {
        result_set *rs = db.run(cmd);
        if (!rs)
            return false;
        del_datas(rs);
        return true;
    });
}

bool exec_cmd_file::run_content(const QByteArray &content, db_exec &db, QWidget *parent,
                                const std::function<void()> &refresh, script_runner *runner)
{
    const QList<QByteArray> commands = script_lines::cmd_file_commands(content);
    if (commands.isEmpty())
        return false;
    script_runner own(&db, parent);
    script_runner &r = runner ? *runner : own;
    const script_runner::outcome out = run_commands(commands, db, r);
    if (out.busy)
        return false;
    if (out.failed >= 0) {
        failure_box::show(parent, tr("execute infomation"),
                          tr("the cmd \"%1\" execute failed!").arg(QString::fromUtf8(commands[out.failed])),
                          db.last_code(), db.last_reason(), [&db] { db.request_reconnect(); });
        return false;
    }
    if (out.cancelled) {
        modal_seam::information(parent, tr("execute infomation"),
                                tr("the cmd execute is cancelled after %1 of %2 lines!").arg(out.done).arg(out.total));
    } else {
        modal_seam::information(parent, tr("execute infomation"), tr("the cmd execute sussesful total!"));
    }
    if (refresh)
        refresh();
    return out.ok;
}

void exec_cmd_file::run(db_exec &db, QWidget *parent, const std::function<void()> &refresh)
{
    const QString path = modal_seam::open_file(parent, tr("open cmd file to execute"), QStringLiteral("."),
                                               cmd_file_tabs::file_filter());
    if (path.isEmpty())
        return;
    const QByteArray content = cmd_file_tabs::read_file(path.toUtf8());
    if (content.isEmpty())
        return;
    run_content(content, db, parent, refresh);
}
