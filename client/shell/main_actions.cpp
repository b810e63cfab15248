// The main window's actions from one table of rows (text, shortcut, icon, start state, slot),
// and their places in the menu bar and the tool bar.
#include "shell/main_actions.h"

#include "shell/main_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

enum start_state : unsigned char { off, on, unchecked, checked };

// One row per action: what it is called, shows and does. Texts and shortcuts are translated
// in the context "main_actions"; the shortcut text is translated like every other text so that
// a translation may move a key where the local keyboard wants it.
struct action_row {
    QAction *main_actions::*member;
    const char *name; // object name "act_<name>", the slot's name
    const char *text;
    const char *shortcut;
    const char *icon;
    start_state start;
    void (MainWindow::*slot)();
};

using m = main_actions;
using w = MainWindow;

const action_row action_rows[] = {
    // file
    {&m::new_file, "new_file", QT_TRANSLATE_NOOP("main_actions", "new file(&n)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+n"), ":/img/new_file.svg", on, &w::new_file},
    {&m::open_file, "open_file", QT_TRANSLATE_NOOP("main_actions", "open file(&o)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+o"), ":/img/open_file.svg", on, &w::open_file},
    {&m::save_file, "save_file", QT_TRANSLATE_NOOP("main_actions", "save file(&s)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+s"), ":/img/save_file.svg", off, &w::save_file},
    {&m::save_all_files, "save_all_files", QT_TRANSLATE_NOOP("main_actions", "save all files(&a)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+shift+s"), ":/img/save_all_file.svg", off, &w::save_all_files},
    {&m::save_file_as, "save_file_as", QT_TRANSLATE_NOOP("main_actions", "save as (&b)"), nullptr, nullptr, off, &w::save_file_as},
    {&m::close_file, "close_file", QT_TRANSLATE_NOOP("main_actions", "close file(&c)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+w"), nullptr, off, &w::close_file},
    {&m::close_all_files, "close_all_files", QT_TRANSLATE_NOOP("main_actions", "close all files(&f)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+shift+w"), nullptr, off, &w::close_all_files},
    {&m::close_files_except, "close_files_except", QT_TRANSLATE_NOOP("main_actions", "close except file(&e)"), nullptr, nullptr, off, &w::close_files_except},
    {&m::print, "print", QT_TRANSLATE_NOOP("main_actions", "print file(&p)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+p"), ":/img/print_file.svg", off, &w::print},
    {&m::cluster, "cluster", QT_TRANSLATE_NOOP("main_actions", "cluster manage(&m)"), nullptr, ":/img/cluster/cluster.svg", on, &w::cluster},
    {&m::quit, "quit", QT_TRANSLATE_NOOP("main_actions", "quit(&q)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+q"), nullptr, on, &w::quit},
    {&m::cls_recent, "cls_recent", QT_TRANSLATE_NOOP("main_actions", "clear file list"), nullptr, nullptr, on, &w::cls_recent},
    // database
    {&m::refresh, "refresh", QT_TRANSLATE_NOOP("main_actions", "refresh(&r)"), QT_TRANSLATE_NOOP("main_actions", "f5"), ":/img/refresh.svg", on, &w::refresh},
    {&m::create_table, "create_table", QT_TRANSLATE_NOOP("main_actions", "create table(&c)"), QT_TRANSLATE_NOOP("main_actions", "f4"), ":/img/create_table.svg", on, &w::create_table},
    {&m::reconnect, "reconnect", QT_TRANSLATE_NOOP("main_actions", "reconnect(&r)"), nullptr, ":/img/reconnect.svg", on, &w::reconnect},
    {&m::backup, "backup", QT_TRANSLATE_NOOP("main_actions", "backup(&b)"), nullptr, ":/img/backup.svg", on, &w::backup},
    {&m::restore, "restore", QT_TRANSLATE_NOOP("main_actions", "restore(&r)"), nullptr, ":/img/restore.svg", on, &w::restore},
    {&m::exec_cmd, "exec_cmd", QT_TRANSLATE_NOOP("main_actions", "execute cmd(&e)"), QT_TRANSLATE_NOOP("main_actions", "f6"), ":/img/exe_cmd.svg", on, &w::exec_cmd},
    {&m::load, "load", QT_TRANSLATE_NOOP("main_actions", "load table(&l)"), nullptr, ":/img/load_tab.svg", on, &w::load},
    // table
    {&m::drop_table, "drop_table", QT_TRANSLATE_NOOP("main_actions", "drop(&d)"), nullptr, ":/img/drop.svg", off, &w::drop_table},
    {&m::truncate_table, "truncate_table", QT_TRANSLATE_NOOP("main_actions", "truncate(&t)"), nullptr, ":/img/truncate_table.svg", off, &w::truncate_table},
    {&m::new_field, "new_field", QT_TRANSLATE_NOOP("main_actions", "create field(&c)"), nullptr, ":/img/new_field.svg", off, &w::new_field},
    {&m::view_data, "view_data", QT_TRANSLATE_NOOP("main_actions", "view data(&v)"), nullptr, ":/img/view_data.svg", off, &w::view_data},
    {&m::view_cols, "view_cols", QT_TRANSLATE_NOOP("main_actions", "view field(&v)"), nullptr, ":/img/view_field.svg", off, &w::view_cols},
    {&m::import_data, "import_data", QT_TRANSLATE_NOOP("main_actions", "import(&i)"), nullptr, ":/img/import.svg", off, &w::import_data},
    {&m::export_data, "export_data", QT_TRANSLATE_NOOP("main_actions", "export(&e)"), nullptr, ":/img/export.svg", off, &w::export_data},
    {&m::save, "save", QT_TRANSLATE_NOOP("main_actions", "save table(&s)"), nullptr, ":/img/save_tab.svg", off, &w::save},
    // field
    {&m::delete_col, "delete_col", QT_TRANSLATE_NOOP("main_actions", "delete(&d)"), nullptr, ":/img/delete.svg", off, &w::delete_col},
    {&m::rename_col, "rename_col", QT_TRANSLATE_NOOP("main_actions", "rename(&r)"), nullptr, ":/img/rename.svg", off, &w::rename_col},
    {&m::modify_col, "modify_col", QT_TRANSLATE_NOOP("main_actions", "modify(&m)"), nullptr, ":/img/modify.svg", off, &w::modify_col},
    // edit
    {&m::cut, "cut", QT_TRANSLATE_NOOP("main_actions", "cut(&t)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+x"), ":/img/cut.svg", off, &w::cut},
    {&m::copy, "copy", QT_TRANSLATE_NOOP("main_actions", "copy(&c)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+c"), ":/img/copy.svg", off, &w::copy},
    {&m::paste, "paste", QT_TRANSLATE_NOOP("main_actions", "paste(&p)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+v"), ":/img/paste.svg", off, &w::paste},
    {&m::redo, "redo", QT_TRANSLATE_NOOP("main_actions", "redo(&r)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+y"), ":/img/redo.svg", off, &w::redo},
    {&m::undo, "undo", QT_TRANSLATE_NOOP("main_actions", "undo(&u)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+z"), ":/img/undo.svg", off, &w::undo},
    {&m::goto_err, "goto_err", QT_TRANSLATE_NOOP("main_actions", "goto error(&g)"), QT_TRANSLATE_NOOP("main_actions", "ctrl+e"), ":/img/goto_err.svg", off, &w::goto_err},
    {&m::goto_lineb, "goto_lineb", QT_TRANSLATE_NOOP("main_actions", "line begin"), nullptr, nullptr, off, &w::goto_lineb},
    {&m::goto_linee, "goto_linee", QT_TRANSLATE_NOOP("main_actions", "line end"), nullptr, nullptr, off, &w::goto_linee},
    {&m::goto_wordb, "goto_wordb", QT_TRANSLATE_NOOP("main_actions", "word begin"), nullptr, nullptr, off, &w::goto_wordb},
    {&m::goto_worde, "goto_worde", QT_TRANSLATE_NOOP("main_actions", "word end"), nullptr, nullptr, off, &w::goto_worde},
    {&m::del_sel, "del_sel", QT_TRANSLATE_NOOP("main_actions", "delete selection"), nullptr, ":/img/delete_sel.svg", off, &w::del_sel},
    {&m::sel_beside, "sel_beside", QT_TRANSLATE_NOOP("main_actions", "select beside"), nullptr, nullptr, off, &w::sel_beside},
    {&m::sel_all, "sel_all", QT_TRANSLATE_NOOP("main_actions", "select all"), QT_TRANSLATE_NOOP("main_actions", "ctrl+a"), nullptr, off, &w::sel_all},
    {&m::sel_line, "sel_line", QT_TRANSLATE_NOOP("main_actions", "select line"), nullptr, nullptr, off, &w::sel_line},
    {&m::sel_word, "sel_word", QT_TRANSLATE_NOOP("main_actions", "select word"), nullptr, nullptr, off, &w::sel_word},
    {&m::exec_sel, "exec_sel", QT_TRANSLATE_NOOP("main_actions", "execute selection"), nullptr, ":/img/exe_sel.svg", off, &w::exec_sel},
    {&m::exec_cur, "exec_cur", QT_TRANSLATE_NOOP("main_actions", "execute current line"), QT_TRANSLATE_NOOP("main_actions", "f7"), ":/img/exe_cur.svg", off, &w::exec_cur},
    {&m::format_sel, "format_sel", QT_TRANSLATE_NOOP("main_actions", "format selection"), nullptr, ":/img/format.svg", off, &w::format_sel},
    {&m::find, "find", QT_TRANSLATE_NOOP("main_actions", "find"), QT_TRANSLATE_NOOP("main_actions", "ctrl+f"), ":/img/find.svg", off, &w::find},
    {&m::replace, "replace", QT_TRANSLATE_NOOP("main_actions", "replace"), QT_TRANSLATE_NOOP("main_actions", "ctrl+h"), ":/img/replace.svg", off, &w::replace},
    // view
    {&m::view_big, "view_big", QT_TRANSLATE_NOOP("main_actions", "big(&b)"), nullptr, nullptr, unchecked, &w::view_big},
    {&m::view_normal, "view_normal", QT_TRANSLATE_NOOP("main_actions", "normal(&n)"), nullptr, nullptr, checked, &w::view_normal},
    {&m::view_small, "view_small", QT_TRANSLATE_NOOP("main_actions", "small(&s)"), nullptr, nullptr, unchecked, &w::view_small},
    {&m::view_db, "view_db", QT_TRANSLATE_NOOP("main_actions", "database"), nullptr, nullptr, checked, &w::view_db},
    {&m::view_log, "view_log", QT_TRANSLATE_NOOP("main_actions", "log"), nullptr, nullptr, checked, &w::view_log},
    {&m::view_toolbar, "view_toolbar", QT_TRANSLATE_NOOP("main_actions", "toolbar(&t)"), nullptr, nullptr, checked, &w::view_toolbar},
    {&m::view_statusbar, "view_statusbar", QT_TRANSLATE_NOOP("main_actions", "statusbar(&s)"), nullptr, nullptr, checked, &w::view_statusbar},
    {&m::view_fullscreen, "view_fullscreen", QT_TRANSLATE_NOOP("main_actions", "fullscreen(&f)"), QT_TRANSLATE_NOOP("main_actions", "Ctrl+Shift+F11"), nullptr, unchecked, &w::view_fullscreen},
    // option
    {&m::lang_zh, "lang_zh", QT_TRANSLATE_NOOP("main_actions", " 简体中文(&z)"), nullptr, nullptr, unchecked, &w::lang_zh},
    {&m::lang_en, "lang_en", QT_TRANSLATE_NOOP("main_actions", "English(&e)"), nullptr, nullptr, unchecked, &w::lang_en},
    {&m::lang_fr, "lang_fr", QT_TRANSLATE_NOOP("main_actions", "Français(&f)"), nullptr, nullptr, unchecked, &w::lang_fr},
    {&m::lang_jp, "lang_jp", QT_TRANSLATE_NOOP("main_actions", "JP(&j)"), nullptr, nullptr, unchecked, &w::lang_jp},
    {&m::preference, "preference", QT_TRANSLATE_NOOP("main_actions", "preference(&p)"), nullptr, ":/img/preference.svg", on, &w::preference},
    // help
    {&m::help_online, "help_online", QT_TRANSLATE_NOOP("main_actions", "online reference(&o)"), nullptr, nullptr, on, &w::help_online},
    {&m::help_local, "help_local", QT_TRANSLATE_NOOP("main_actions", "local(&l)"), nullptr, ":/img/help.svg", on, &w::help_local},
    {&m::update, "update", QT_TRANSLATE_NOOP("main_actions", "update(&u)"), nullptr, ":/img/update.svg", on, &w::update},
    {&m::about, "about", QT_TRANSLATE_NOOP("main_actions", "about(&a)"), nullptr, ":/img/about.svg", on, &w::about},
};

} // namespace

void main_actions::create(MainWindow *owner)
{
    all_.clear();
    for (const action_row &row : action_rows) {
        auto *a = new QAction(tr(row.text), owner);
        a->setObjectName(QStringLiteral("act_") + QLatin1String(row.name));
        if (row.shortcut)
            a->setShortcut(QKeySequence(tr(row.shortcut)));
        if (row.icon)
            a->setIcon(QIcon(QString::fromLatin1(row.icon)));
        a->setEnabled(row.start != off);
        if (row.start == checked || row.start == unchecked) {
            a->setCheckable(true);
            a->setChecked(row.start == checked);
        }
        QObject::connect(a, &QAction::triggered, owner, row.slot);
        this->*row.member = a;
        all_.append(a);
    }
}

void main_actions::build_menus(QMenuBar *bar)
{
    QMenu *file = bar->addMenu(tr("file(&f)"));
    file->setObjectName(QStringLiteral("menu_file"));
    file->addAction(new_file);
    file->addAction(open_file);
    recent_menu = file->addMenu(tr("open recent files(&r)"));
    recent_menu->setObjectName(QStringLiteral("menu_recent"));
    file->addSeparator();
    file->addActions({close_file, close_all_files, close_files_except});
    file->addSeparator();
    file->addActions({save_file, save_file_as, save_all_files});
    file->addSeparator();
    file->addAction(print);
    file->addSeparator();
    file->addAction(cluster);
    file->addSeparator();
    file->addAction(quit);

    QMenu *db = bar->addMenu(tr("database(&d)"));
    db->setObjectName(QStringLiteral("menu_database"));
    db->addActions({refresh, create_table, reconnect, backup, restore, exec_cmd, drop_table,
                    truncate_table});
    db->addSeparator();
    db->addActions({view_data, view_cols, new_field, import_data, export_data, save, load});
    db->addSeparator();

    QMenu *edit = bar->addMenu(tr("edit(&e)"));
    edit->setObjectName(QStringLiteral("menu_edit"));
    edit->addActions({redo, undo});
    edit->addSeparator();
    edit->addActions({cut, copy, paste});
    edit->addSeparator();
    edit->addActions({goto_err, goto_lineb, goto_linee, goto_wordb, goto_worde});
    edit->addSeparator();
    edit->addActions({sel_beside, sel_all, sel_line, sel_word});
    edit->addSeparator();
    edit->addActions({del_sel, exec_sel, exec_cur, format_sel});
    edit->addSeparator();
    edit->addActions({find, replace});

    QMenu *view = bar->addMenu(tr("view(&v)"));
    view->setObjectName(QStringLiteral("menu_view"));
    QMenu *icon = view->addMenu(QIcon(QStringLiteral(":/img/icon.svg")), tr("icon(&i)"));
    icon->setObjectName(QStringLiteral("menu_icon"));
    icon->addActions({view_big, view_normal, view_small});
    view->addSeparator();
    QMenu *window = view->addMenu(tr("window"));
    window->setObjectName(QStringLiteral("menu_window"));
    window->addActions({view_db, view_log});
    view->addActions({view_toolbar, view_statusbar});
    view->addSeparator();
    view->addAction(view_fullscreen);

    QMenu *option = bar->addMenu(tr("option(&o)"));
    option->setObjectName(QStringLiteral("menu_option"));
    QMenu *lang = option->addMenu(QIcon(QStringLiteral(":/img/language.svg")), tr("language"));
    lang->setObjectName(QStringLiteral("menu_language"));
    lang->addActions(language_actions());
    option->addSeparator();
    option->addAction(preference);

    QMenu *help = bar->addMenu(tr("help(&h)"));
    help->setObjectName(QStringLiteral("menu_help"));
    QMenu *doc = help->addMenu(tr("document(&d)"));
    doc->setObjectName(QStringLiteral("menu_document"));
    doc->addActions({help_online, help_local});
    help->addSeparator();
    help->addAction(update);
    help->addSeparator();
    help->addAction(about);
}

void main_actions::build_tool_bar(QToolBar *bar)
{
    bar->addActions({new_file, open_file, save_file, save_all_files});
    bar->addSeparator();
    bar->addActions({refresh, create_table, reconnect, backup, restore, exec_cmd, load});
    bar->addSeparator();
    bar->addActions({save, drop_table, view_data, truncate_table, view_cols, import_data,
                     export_data});
    bar->addSeparator();
}

QList<QAction *> main_actions::table_actions() const
{
    return {drop_table, truncate_table, new_field, view_data, view_cols, import_data, export_data,
            save};
}

QList<QAction *> main_actions::field_actions() const
{
    return {delete_col, rename_col, modify_col};
}

QList<QAction *> main_actions::close_actions() const
{
    return {close_file, close_all_files, close_files_except};
}

QList<QAction *> main_actions::editor_actions() const
{
    return {goto_err, cut, copy, paste, redo, undo, del_sel, find, replace, exec_sel, exec_cur,
            format_sel, save_file, print};
}

QList<QAction *> main_actions::navigation_actions() const
{
    return {goto_err, goto_lineb, goto_linee, goto_wordb, goto_worde, sel_beside, sel_all,
            sel_line, sel_word};
}

QList<QAction *> main_actions::icon_size_actions() const
{
    return {view_big, view_normal, view_small};
}

QList<QAction *> main_actions::language_actions() const
{
    return {lang_zh, lang_en, lang_fr, lang_jp};
}

QList<QAction *> main_actions::all() const
{
    return all_;
}
