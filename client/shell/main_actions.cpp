// Builds the main window's actions and lays them out in the menu bar and the tool bar.
#include "shell/main_actions.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// One action; the shortcut text is translated like every other text so that a translation
// may move a key where the local keyboard wants it.
QAction *make(QMainWindow *owner, const char *slot, const QString &text, const QString &shortcut,
              const char *icon, bool enabled)
{
    auto *a = new QAction(text, owner);
    a->setObjectName(QStringLiteral("act_") + QLatin1String(slot));
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut));
    if (icon && *icon)
        a->setIcon(QIcon(QString::fromLatin1(icon)));
    a->setEnabled(enabled);
    return a;
}

QAction *checkable(QAction *a, bool checked)
{
    a->setCheckable(true);
    a->setChecked(checked);
    return a;
}

} // namespace

void main_actions::create(QMainWindow *w)
{
    const bool on = true, off = false;
    new_file = make(w, "new_file", tr("new file(&n)"), tr("ctrl+n"), ":/img/new_file.svg", on);
    open_file = make(w, "open_file", tr("open file(&o)"), tr("ctrl+o"), ":/img/open_file.svg", on);
    save_file = make(w, "save_file", tr("save file(&s)"), tr("ctrl+s"), ":/img/save_file.svg", off);
    save_all_files = make(w, "save_all_files", tr("save all files(&a)"), tr("ctrl+shift+s"),
                          ":/img/save_all_file.svg", off);
    save_file_as = make(w, "save_file_as", tr("save as (&b)"), QString(), nullptr, off);
    close_file = make(w, "close_file", tr("close file(&c)"), tr("ctrl+w"), nullptr, off);
    close_all_files = make(w, "close_all_files", tr("close all files(&f)"), tr("ctrl+shift+w"),
                           nullptr, off);
    close_files_except = make(w, "close_files_except", tr("close except file(&e)"), QString(),
                              nullptr, off);
    print = make(w, "print", tr("print file(&p)"), tr("ctrl+p"), ":/img/print_file.svg", off);
    cluster = make(w, "cluster", tr("cluster manage(&m)"), QString(), ":/img/cluster/cluster.svg", on);
    quit = make(w, "quit", tr("quit(&q)"), tr("ctrl+q"), nullptr, on);
    cls_recent = make(w, "cls_recent", tr("clear file list"), QString(), nullptr, on);

    refresh = make(w, "refresh", tr("refresh(&r)"), tr("f5"), ":/img/refresh.svg", on);
    create_table = make(w, "create_table", tr("create table(&c)"), tr("f4"),
                        ":/img/create_table.svg", on);
    reconnect = make(w, "reconnect", tr("reconnect(&r)"), QString(), ":/img/reconnect.svg", on);
    backup = make(w, "backup", tr("backup(&b)"), QString(), ":/img/backup.svg", on);
    restore = make(w, "restore", tr("restore(&r)"), QString(), ":/img/restore.svg", on);
    exec_cmd = make(w, "exec_cmd", tr("execute cmd(&e)"), tr("f6"), ":/img/exe_cmd.svg", on);
    load = make(w, "load", tr("load table(&l)"), QString(), ":/img/load_tab.svg", on);

    drop_table = make(w, "drop_table", tr("drop(&d)"), QString(), ":/img/drop.svg", off);
    truncate_table = make(w, "truncate_table", tr("truncate(&t)"), QString(),
                          ":/img/truncate_table.svg", off);
    new_field = make(w, "new_field", tr("create field(&c)"), QString(), ":/img/new_field.svg", off);
    view_data = make(w, "view_data", tr("view data(&v)"), QString(), ":/img/view_data.svg", off);
    view_cols = make(w, "view_cols", tr("view field(&v)"), QString(), ":/img/view_field.svg", off);
    import_data = make(w, "import_data", tr("import(&i)"), QString(), ":/img/import.svg", off);
    export_data = make(w, "export_data", tr("export(&e)"), QString(), ":/img/export.svg", off);
    save = make(w, "save", tr("save table(&s)"), QString(), ":/img/save_tab.svg", off);

    delete_col = make(w, "delete_col", tr("delete(&d)"), QString(), ":/img/delete.svg", off);
    rename_col = make(w, "rename_col", tr("rename(&r)"), QString(), ":/img/rename.svg", off);
    modify_col = make(w, "modify_col", tr("modify(&m)"), QString(), ":/img/modify.svg", off);

    cut = make(w, "cut", tr("cut(&t)"), tr("ctrl+x"), ":/img/cut.svg", off);
    copy = make(w, "copy", tr("copy(&c)"), tr("ctrl+c"), ":/img/copy.svg", off);
    paste = make(w, "paste", tr("paste(&p)"), tr("ctrl+v"), ":/img/paste.svg", off);
    redo = make(w, "redo", tr("redo(&r)"), tr("ctrl+y"), ":/img/redo.svg", off);
    undo = make(w, "undo", tr("undo(&u)"), tr("ctrl+z"), ":/img/undo.svg", off);
    goto_err = make(w, "goto_err", tr("goto error(&g)"), tr("ctrl+e"), ":/img/goto_err.svg", off);
    goto_lineb = make(w, "goto_lineb", tr("line begin"), QString(), nullptr, off);
    goto_linee = make(w, "goto_linee", tr("line end"), QString(), nullptr, off);
    goto_wordb = make(w, "goto_wordb", tr("word begin"), QString(), nullptr, off);
    goto_worde = make(w, "goto_worde", tr("word end"), QString(), nullptr, off);
    del_sel = make(w, "del_sel", tr("delete selection"), QString(), ":/img/delete_sel.svg", off);
    sel_beside = make(w, "sel_beside", tr("select beside"), QString(), nullptr, off);
    sel_all = make(w, "sel_all", tr("select all"), tr("ctrl+a"), nullptr, off);
    sel_line = make(w, "sel_line", tr("select line"), QString(), nullptr, off);
    sel_word = make(w, "sel_word", tr("select word"), QString(), nullptr, off);
    exec_sel = make(w, "exec_sel", tr("execute selection"), QString(), ":/img/exe_sel.svg", off);
    exec_cur = make(w, "exec_cur", tr("execute current line"), tr("f7"), ":/img/exe_cur.svg", off);
    format_sel = make(w, "format_sel", tr("format selection"), QString(), ":/img/format.svg", off);
    find = make(w, "find", tr("find"), tr("ctrl+f"), ":/img/find.svg", off);
    replace = make(w, "replace", tr("replace"), tr("ctrl+h"), ":/img/replace.svg", off);

    view_big = checkable(make(w, "view_big", tr("big(&b)"), QString(), nullptr, on), false);
    view_normal = checkable(make(w, "view_normal", tr("normal(&n)"), QString(), nullptr, on), true);
    view_small = checkable(make(w, "view_small", tr("small(&s)"), QString(), nullptr, on), false);
    view_db = checkable(make(w, "view_db", tr("database"), QString(), nullptr, on), true);
    view_log = checkable(make(w, "view_log", tr("log"), QString(), nullptr, on), true);
    view_toolbar = checkable(make(w, "view_toolbar", tr("toolbar(&t)"), QString(), nullptr, on), true);
    view_statusbar = checkable(make(w, "view_statusbar", tr("statusbar(&s)"), QString(), nullptr, on),
                               true);
    view_fullscreen = checkable(make(w, "view_fullscreen", tr("fullscreen(&f)"),
                                     tr("Ctrl+Shift+F11"), nullptr, on), false);

    lang_zh = checkable(make(w, "lang_zh", tr(" 简体中文(&z)"), QString(), nullptr, on), false);
    lang_en = checkable(make(w, "lang_en", tr("English(&e)"), QString(), nullptr, on), false);
    lang_fr = checkable(make(w, "lang_fr", tr("Français(&f)"), QString(), nullptr, on), false);
    lang_jp = checkable(make(w, "lang_jp", tr("JP(&j)"), QString(), nullptr, on), false);
    preference = make(w, "preference", tr("preference(&p)"), QString(), ":/img/preference.svg", on);

    help_online = make(w, "help_online", tr("online reference(&o)"), QString(), nullptr, on);
    help_local = make(w, "help_local", tr("local(&l)"), QString(), ":/img/help.svg", on);
    update = make(w, "update", tr("update(&u)"), QString(), ":/img/update.svg", on);
    about = make(w, "about", tr("about(&a)"), QString(), ":/img/about.svg", on);
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
    db->addActions({view_data, view_cols, import_data, export_data, save, load});
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
    return {new_file, open_file, save_file, save_all_files, save_file_as, close_file,
            close_all_files, close_files_except, print, cluster, quit, refresh, create_table,
            reconnect, backup, restore, exec_cmd, load, drop_table, truncate_table, new_field,
            view_data, view_cols, import_data, export_data, save, delete_col, rename_col,
            modify_col, cut, copy, paste, redo, undo, goto_err, goto_lineb, goto_linee,
            goto_wordb, goto_worde, del_sel, sel_beside, sel_all, sel_line, sel_word, exec_sel,
            exec_cur, format_sel, find, replace, view_big, view_normal, view_small, view_db,
            view_log, view_toolbar, view_statusbar, view_fullscreen, lang_zh, lang_en, lang_fr,
            lang_jp, preference, help_online, help_local, update, about};
}
