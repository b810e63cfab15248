// The file actions of the main window: command files in script-editor tabs, the recent-files
// menu, and running a command file line by line.
#include "shell/main_window.h"

#include "db/db_exec.h"
#include "editor/sys_config.h"
#include "shell/modal_seam.h"

#include <QAction>
#include <QFile>
#include <QMenu>

void MainWindow::fill_recent_menu()
{
    QMenu *menu = act_.recent_menu;
    menu->clear();
    for (const std::string &path : sys_config.recent_files) {
        QAction *entry = menu->addAction(QString::fromStdString(path));
        connect(entry, &QAction::triggered, this, qOverload<>(&MainWindow::open_recent));
    }
    if (!menu->isEmpty()) {
        menu->addSeparator();
        menu->addAction(act_.cls_recent);
    }
}

void MainWindow::cls_recent()
{
    sys_config.clear_recent_files();
    // The entries are children of the menu; the shared "clear file list" action is not.
    for (QAction *a : act_.recent_menu->actions()) {
        act_.recent_menu->removeAction(a);
        if (a != act_.cls_recent)
            delete a;
    }
}

// Opening, saving, closing and printing need the script editor; until it is there these do
// nothing, so the actions that lead here stay harmless.
void MainWindow::new_file() {}
void MainWindow::open_file() {}
void MainWindow::open_recent() {}
void MainWindow::save_file() {}
void MainWindow::save_all_files() {}
void MainWindow::save_file_as() {}
void MainWindow::close_file() {}
void MainWindow::close_all_files() {}
void MainWindow::close_files_except() {}
void MainWindow::print() {}
void MainWindow::reopen_files() {}

void MainWindow::attach_editor(QWidget *) {}

bool MainWindow::editor_modified(const QWidget *editor) const
{
    return editor && editor->isWindowModified();
}

void MainWindow::exec_cmd()
{
    const QString path = modal_seam::open_file(this, tr("open cmd file to execute"),
                                               QStringLiteral("."),
                                               tr("cmd files (*.tcd);;all files (*.*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    file.close();
    if (content.isEmpty())
        return;

    int since_update = 0;
    for (QByteArray line : content.split('\n')) {
        // Blanks only: a tab inside a line may belong to the command.
        int begin = 0, end = line.size();
        while (begin < end && line[begin] == ' ')
            ++begin;
        while (end > begin && line[end - 1] == ' ')
            --end;
        line = line.mid(begin, end - begin);
        if (line.isEmpty())
            continue;
        result_set *rs = db_->run(line);
        if (!rs) {
            db_->update_log();
            modal_seam::information(this, tr("execute infomation"),
                                    tr("the cmd \"%1\" execute failed!").arg(QString::fromUtf8(line)));
            return;
        }
        del_datas(rs);
        if (++since_update == 8192) {
            db_->update_log();
            since_update = 0;
        }
    }
    db_->update_log();
    modal_seam::information(this, tr("execute infomation"), tr("the cmd execute sussesful total!"));
    refresh();
}
