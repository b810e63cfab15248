// Running a command file line by line, and the messages that end the run.
#include "shell/exec_cmd_file.h"

#include "db/db_link.h"
#include "script/script_lines.h"
#include "shell/cmd_file_tabs.h"
#include "common/failure_box.h"
#include "common/modal_seam.h"

#include <QPointer>

bool exec_cmd_file::run_commands(const QList<QByteArray> &commands, script_runner &runner,
                                 const script_runner::finish &done)
{
    const auto one = [](db_exec &db, const QByteArray &cmd, int, std::unique_ptr<grid_data> &) {
        result_set *rs = db.run(cmd);
        if (!rs)
            return false;
        del_datas(rs);
        return true;
    };
    return runner.start(commands, one, {}, done);
}

bool exec_cmd_file::run_content(const QByteArray &content, db_link &link, QWidget *parent,
                                const std::function<void()> &refresh, script_runner *runner,
                                const std::function<void(bool ok)> &done)
{
    const QList<QByteArray> commands = script_lines::cmd_file_commands(content);
    if (commands.isEmpty())
        return false;
    // A runner of its own lives until its run has ended; it goes with the window otherwise.
    script_runner *own = runner ? nullptr : new script_runner(&link, parent, parent);
    script_runner &r = runner ? *runner : *own;
    QPointer<QWidget> shown(parent);
    QPointer<db_link> guard(&link);
    const bool started = run_commands(commands, r, [=](const script_runner::outcome &out) {
        if (own)
            own->deleteLater();
        QWidget *p = shown.data();
        if (out.failed >= 0) {
            failure_box::show(p, tr("execute infomation"),
                              tr("the cmd \"%1\" execute failed!").arg(QString::fromUtf8(commands[out.failed])),
                              out.status, [guard] {
                                  if (guard)
                                      guard->request_reconnect();
                              });
            if (done)
                done(false);
            return;
        }
        if (out.cancelled) {
            modal_seam::information(p, tr("execute infomation"),
                                    tr("the cmd execute is cancelled after %1 of %2 lines!").arg(out.done).arg(out.total));
        } else {
            modal_seam::information(p, tr("execute infomation"), tr("the cmd execute sussesful total!"));
        }
        if (refresh)
            refresh();
        if (done)
            done(out.ok);
    });
    if (!started && own)
        delete own;
    return started;
}

void exec_cmd_file::run(db_link &link, QWidget *parent, const std::function<void()> &refresh)
{
    const QString path = modal_seam::open_file(parent, tr("open cmd file to execute"), QStringLiteral("."),
                                               cmd_file_tabs::file_filter());
    if (path.isEmpty())
        return;
    const QByteArray content = cmd_file_tabs::read_file(path.toUtf8());
    if (content.isEmpty())
        return;
    run_content(content, link, parent, refresh);
}
