// Every action of the main window with its text, shortcut, icon and start state, and the menu
// bar and tool bar built from them in their fixed order.
#pragma once

#include <QCoreApplication>
#include <QList>

class QAction;
class MainWindow;
class QMenu;
class QMenuBar;
class QToolBar;

struct main_actions {
    Q_DECLARE_TR_FUNCTIONS(main_actions)

public:
    // file
    QAction *new_file = nullptr, *open_file = nullptr, *save_file = nullptr,
            *save_all_files = nullptr, *save_file_as = nullptr, *close_file = nullptr,
            *close_all_files = nullptr, *close_files_except = nullptr, *print = nullptr,
            *cluster = nullptr, *quit = nullptr, *cls_recent = nullptr;
    // database
    QAction *refresh = nullptr, *create_table = nullptr, *reconnect = nullptr, *backup = nullptr,
            *restore = nullptr, *exec_cmd = nullptr, *load = nullptr;
    // table
    QAction *drop_table = nullptr, *truncate_table = nullptr, *new_field = nullptr,
            *view_data = nullptr, *view_cols = nullptr, *import_data = nullptr,
            *export_data = nullptr, *save = nullptr;
    // field
    QAction *delete_col = nullptr, *rename_col = nullptr, *modify_col = nullptr;
    // edit
    QAction *cut = nullptr, *copy = nullptr, *paste = nullptr, *redo = nullptr, *undo = nullptr,
            *goto_err = nullptr, *goto_lineb = nullptr, *goto_linee = nullptr,
            *goto_wordb = nullptr, *goto_worde = nullptr, *del_sel = nullptr,
            *sel_beside = nullptr, *sel_all = nullptr, *sel_line = nullptr, *sel_word = nullptr,
            *exec_sel = nullptr, *exec_cur = nullptr, *format_sel = nullptr, *find = nullptr,
            *replace = nullptr;
    // view
    QAction *view_big = nullptr, *view_normal = nullptr, *view_small = nullptr,
            *view_db = nullptr, *view_log = nullptr, *view_toolbar = nullptr,
            *view_statusbar = nullptr, *view_fullscreen = nullptr;
    // option
    QAction *lang_zh = nullptr, *lang_en = nullptr, *lang_fr = nullptr, *lang_jp = nullptr,
            *preference = nullptr;
    // help
    QAction *help_online = nullptr, *help_local = nullptr, *update = nullptr, *about = nullptr;

    // The submenu filled with one entry per recently used command file.
    QMenu *recent_menu = nullptr;

    // Creates every action as a child of `owner`, those marked off at start disabled, and
    // connects each to its slot of `owner`.
    void create(MainWindow *owner);
    // Menus in their fixed order, the recent-files submenu left empty.
    void build_menus(QMenuBar *bar);
    void build_tool_bar(QToolBar *bar);

    // Groups used by the tree selection and the tab switch.
    QList<QAction *> table_actions() const;
    QList<QAction *> field_actions() const;
    QList<QAction *> close_actions() const;
    // Actions a script editor enables and disables by its own state.
    QList<QAction *> editor_actions() const;
    // Cursor movement and selection actions, enabled whenever an editor is current.
    QList<QAction *> navigation_actions() const;
    QList<QAction *> icon_size_actions() const;
    QList<QAction *> language_actions() const;
    // Every action created by create(), in table order.
    QList<QAction *> all() const;

private:
    QList<QAction *> all_;
};
