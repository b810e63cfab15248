// The file actions of the main window: command files in script-editor tabs, the recent-files
// menu, and running a command file line by line.
#include "shell/main_window.h"

#include "db/db_exec.h"
#include "editor/cmd_script_editor.h"
#include "editor/editor.h"
#include "editor/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/exec_cmd_file.h"
#include "shell/tab_area.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace {

cmd_script_editor *script_of(QWidget *page) { return qobject_cast<cmd_script_editor *>(page); }

// The file logic of this window, made on first use; it keeps the window's editor map.
cmd_file_tabs *files_of(MainWindow *w, QTabWidget *tabs, QMap<QByteArray, QWidget *> &map, db_exec *db)
{
    if (auto *f = w->findChild<cmd_file_tabs *>(QString(), Qt::FindDirectChildrenOnly))
        return f;
    script_page_hooks hooks;
    hooks.create = [w, db](const QByteArray &content) -> QWidget * {
        return new cmd_script_editor(w, db, content);
    };
    hooks.text = [](QWidget *p) { return script_of(p)->text_bytes(); };
    hooks.modified = [](QWidget *p) { return script_of(p)->modified(); };
    hooks.mark_saved = [](QWidget *p) { script_of(p)->mark_saved(); };
    auto *f = new cmd_file_tabs(tabs, map, sys_config, hooks, w, w);
    QObject::connect(f, &cmd_file_tabs::page_opened, w, [w](QWidget *page, const QByteArray &) {
        cmd_script_editor *ed = script_of(page);
        QObject::connect(ed, &cmd_script_editor::executed, w, qOverload<>(&MainWindow::refresh));
        QStringList tables;
        for (const QByteArray &t : w->tables())
            tables << QString::fromUtf8(t);
        QMap<QString, QStringList> fields;
        for (auto it = w->fields().cbegin(); it != w->fields().cend(); ++it) {
            QStringList names;
            for (const QByteArray &n : it.value())
                names << QString::fromUtf8(n);
            fields.insert(QString::fromUtf8(it.key()), names);
        }
        ed->set_table_names(tables, fields);
    });
    return f;
}

} // namespace


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
    files_of(this, tab_widget_, editors_, db_)->cls_recent();
    // "clear file list" is the window's own action, so the menu can go at once.
    fill_recent_menu();
}

void MainWindow::new_file() { files_of(this, tab_widget_, editors_, db_)->new_file(); }
void MainWindow::open_file() { files_of(this, tab_widget_, editors_, db_)->open_file(); }

void MainWindow::open_recent()
{
    if (auto *entry = qobject_cast<QAction *>(sender()))
        files_of(this, tab_widget_, editors_, db_)->open_recent(entry->text().toUtf8());
}

void MainWindow::save_file() { files_of(this, tab_widget_, editors_, db_)->save_file(); }
void MainWindow::save_all_files() { files_of(this, tab_widget_, editors_, db_)->save_all_files(); }
void MainWindow::save_file_as() { files_of(this, tab_widget_, editors_, db_)->save_file_as(); }
void MainWindow::close_file() { files_of(this, tab_widget_, editors_, db_)->close_file(); }
void MainWindow::close_all_files() { files_of(this, tab_widget_, editors_, db_)->close_all_files(); }
void MainWindow::close_files_except() { files_of(this, tab_widget_, editors_, db_)->close_files_except(); }

void MainWindow::print()
{
    if (cmd_script_editor *ed = script_of(files_of(this, tab_widget_, editors_, db_)->current_script()))
        ed->print();
}

void MainWindow::reopen_files()
{
    cmd_file_tabs *files = files_of(this, tab_widget_, editors_, db_);
    // The recent entries call back into the file logic while their menu is rebuilt: queued,
    // so the triggered entry is not deleted under its own signal.
    connect(files, &cmd_file_tabs::recent_changed, this, &MainWindow::fill_recent_menu, Qt::QueuedConnection);
    files->reopen_at_start();
}

void MainWindow::attach_editor(QWidget *page)
{
    cmd_script_editor *ed = script_of(page);
    if (!ed)
        return;
    // Only the current editor drives the window's actions.
    for (QWidget *other : editors_)
        if (other != page)
            if (cmd_script_editor *o = script_of(other))
                o->set_window_actions(editor_actions());
    editor_actions a;
    a.goto_error = act_.goto_err;
    a.cut = act_.cut;
    a.copy = act_.copy;
    a.paste = act_.paste;
    a.redo = act_.redo;
    a.undo = act_.undo;
    a.delete_selection = act_.del_sel;
    a.find = act_.find;
    a.replace = act_.replace;
    a.exec_selection = act_.exec_sel;
    a.exec_line = act_.exec_cur;
    a.format_selection = act_.format_sel;
    a.save_file = act_.save_file;
    a.print_file = act_.print;
    ed->set_window_actions(a);
}

bool MainWindow::editor_modified(const QWidget *editor) const
{
    return editor && editor->isWindowModified();
}

void MainWindow::exec_cmd()
{
    exec_cmd_file::run(*db_, this, [this] { refresh(); });
}
