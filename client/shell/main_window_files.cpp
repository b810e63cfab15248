// The file actions of the main window: command files in script-editor tabs, the recent-files
// menu, and running a command file line by line.
#include "shell/main_window.h"

#include "db/db_exec.h"
#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "config/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/exec_cmd_file.h"
#include "shell/tab_area.h"

#include <QAction>
#include <QMenu>
#include <QIcon>
#include <QTabWidget>

void MainWindow::create_file_tabs()
{
    // Script pages are always script editors: the hooks below are the only ones that make them.
    script_page_hooks hooks;
    hooks.create = [this](const QByteArray &content) -> QWidget * {
        return new cmd_script_editor(this, link_, content);
    };
    hooks.text = [](QWidget *p) { return static_cast<cmd_script_editor *>(p)->text_bytes(); };
    hooks.modified = [](QWidget *p) { return static_cast<cmd_script_editor *>(p)->modified(); };
    hooks.mark_saved = [](QWidget *p) { static_cast<cmd_script_editor *>(p)->mark_saved(); };
    hooks.restore = [](QWidget *p, const QByteArray &text) {
        editor *ed = static_cast<cmd_script_editor *>(p)->editor_widget();
        ed->replace_range(0, ed->length(), QString::fromUtf8(text));
    };
    files_ = new cmd_file_tabs(*area_, sys_config, hooks, this, this);
    connect(files_, &cmd_file_tabs::page_opened, this, [this](QWidget *page, const QByteArray &) {
        auto *ed = static_cast<cmd_script_editor *>(page);
        connect(ed, &cmd_script_editor::executed, this, qOverload<>(&MainWindow::refresh));
        connect(ed->editor_widget(), &editor::textChanged, files_, [this, ed] { files_->note_edit(ed); });
        // The mark is an icon, so the title the new-file numbering reads stays as it is.
        connect(ed, &cmd_script_editor::modified_changed, this, [this, ed](bool modified) {
            const int index = tab_widget_->indexOf(ed);
            if (index >= 0)
                tab_widget_->setTabIcon(index, modified ? QIcon(QStringLiteral(":/img/save_file.svg")) : QIcon());
            change_save_all();
        });
        hand_names(ed);
    });
    // The recent entries call back into the file logic while their menu is rebuilt: queued,
    // so the triggered entry is not deleted under its own signal.
    connect(files_, &cmd_file_tabs::recent_changed, this, &MainWindow::fill_recent_menu,
            Qt::QueuedConnection);
    connect(files_, &cmd_file_tabs::current_stale, this,
            [this] { currentChanged(tab_widget_->currentIndex()); });
}

void MainWindow::hand_names(QWidget *editor) const
{
    QStringList table_names;
    for (const QByteArray &t : tables())
        table_names << QString::fromUtf8(t);
    QMap<QString, QStringList> field_names;
    for (auto it = fields().cbegin(); it != fields().cend(); ++it) {
        QStringList names;
        for (const QByteArray &n : it.value())
            names << QString::fromUtf8(n);
        field_names.insert(QString::fromUtf8(it.key()), names);
    }
    static_cast<cmd_script_editor *>(editor)->set_table_names(table_names, field_names);
}

const QMap<QByteArray, QWidget *> &MainWindow::editors() const
{
    return files_->editors();
}

cmd_script_editor *MainWindow::current_editor() const
{
    QWidget *page = tab_widget_->currentWidget();
    return area_->is_script_tab(page) ? static_cast<cmd_script_editor *>(page) : nullptr;
}

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
    files_->cls_recent();
    // "clear file list" is the window's own action, so the menu can go at once.
    fill_recent_menu();
}

void MainWindow::new_file() { files_->new_file(); }
void MainWindow::open_file() { files_->open_file(); }

void MainWindow::open_recent()
{
    if (auto *entry = qobject_cast<QAction *>(sender()))
        files_->open_recent(entry->text().toUtf8());
}

void MainWindow::save_file() { files_->save_file(); }
void MainWindow::save_all_files() { files_->save_all_files(); }
void MainWindow::save_file_as() { files_->save_file_as(); }
void MainWindow::close_file()
{
    const int index = tab_widget_->currentIndex();
    if (index >= 0 && !area_->is_script_tab(tab_widget_->widget(index)))
        close_tab(index);
    else
        files_->close_file();
}
void MainWindow::close_all_files() { files_->close_all_files(); }
void MainWindow::close_files_except() { files_->close_files_except(); }

void MainWindow::print()
{
    if (cmd_script_editor *ed = current_editor())
        ed->print();
}

void MainWindow::attach_editor(QWidget *page)
{
    if (!area_->is_script_tab(page))
        return;
    auto *ed = static_cast<cmd_script_editor *>(page);
    // Only the current editor drives the window's actions.
    for (QWidget *other : area_->script_tabs())
        if (other != page)
            static_cast<cmd_script_editor *>(other)->set_window_actions(editor_actions());
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
    exec_cmd_file::run(*link_, this, [this] { refresh(); });
}
