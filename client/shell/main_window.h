// The program's main window: the database tree, the tab area of script editors and table
// windows, the execution log, the menus, the tool bar and the status bar. It owns the execution
// wrapper every command of the window and its tabs runs through.
#pragma once

#include "db/result_table.h"
#include "shell/db_tree.h"
#include "shell/main_actions.h"

#include <QByteArray>
#include <QMainWindow>
#include <QMap>

class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class cmd_file_tabs;
class cmd_script_editor;
class db_exec;
class db_link;
class log_pane_menu;
struct db_status;
class status_indicators;
class wait_notice;
class tab_area;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Logs in on a connection thread of its own.
    MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
               QWidget *parent = nullptr);
    // Takes over a logged-in connection thread (the login dialog's).
    explicit MainWindow(db_link *link, QWidget *parent = nullptr);
    ~MainWindow() override;

    db_exec *exec() const { return db_; }
    // The connection thread every command of the window and its tabs runs on.
    db_link *link() const { return link_; }
    // The status bar's notice of a command that waits for the server.
    wait_notice *status_wait() const { return status_wait_; }
    const main_actions &actions() const { return act_; }
    QTreeWidget *tree() const { return tree_; }
    QTabWidget *tabs() const { return tab_widget_; }
    QTextEdit *log_pane() const { return log_; }
    // The log pane's context menu with its clear and filter entries.
    log_pane_menu *log_menu() const { return log_menu_; }
    QToolBar *tool_bar() const { return tool_bar_; }
    status_indicators *indicators() const { return indicators_; }
    // What the last tree refresh found, for the script editors' completion.
    const name_list &tables() const { return tree_model_->tables(); }
    const field_map &fields() const { return tree_model_->fields(); }
    // Command-file path -> its script-editor tab.
    const QMap<QByteArray, QWidget *> &editors() const;
    // The tab area that script editors and table windows share.
    tab_area &area() const { return *area_; }
    // Shows a table window as a tab; see tab_area.h for the title rule and its closing.
    void add_table_window(QWidget *window, const QString &title);

public slots:
    // file
    void new_file();
    void new_file(bool) { new_file(); }
    void open_file();
    void open_file(bool) { open_file(); }
    void open_recent();
    void open_recent(bool) { open_recent(); }
    void cls_recent();
    void cls_recent(bool) { cls_recent(); }
    void save_file();
    void save_file(bool) { save_file(); }
    void save_all_files();
    void save_all_files(bool) { save_all_files(); }
    void save_file_as();
    void save_file_as(bool) { save_file_as(); }
    void close_file();
    void close_file(bool) { close_file(); }
    void close_all_files();
    void close_all_files(bool) { close_all_files(); }
    void close_files_except();
    void close_files_except(bool) { close_files_except(); }
    void print();
    void print(bool) { print(); }
    void cluster();
    void cluster(bool) { cluster(); }
    void quit();
    void quit(bool) { quit(); }
    // database
    void refresh();
    void refresh(bool) { refresh(); }
    void create_table();
    void create_table(bool) { create_table(); }
    void reconnect();
    void reconnect(bool) { reconnect(); }
    void backup();
    void backup(bool) { backup(); }
    void restore();
    void restore(bool) { restore(); }
    void exec_cmd();
    void exec_cmd(bool) { exec_cmd(); }
    void load();
    void load(bool) { load(); }
    // table
    void drop_table();
    void drop_table(bool) { drop_table(); }
    void truncate_table();
    void truncate_table(bool) { truncate_table(); }
    void new_field();
    void new_field(bool) { new_field(); }
    void view_data();
    void view_data(bool) { view_data(); }
    void view_cols();
    void view_cols(bool) { view_cols(); }
    void import_data();
    void import_data(bool) { import_data(); }
    void export_data();
    void export_data(bool) { export_data(); }
    void save();
    void save(bool) { save(); }
    // field
    void delete_col();
    void delete_col(bool) { delete_col(); }
    void rename_col();
    void rename_col(bool) { rename_col(); }
    void modify_col();
    void modify_col(bool) { modify_col(); }
    // edit: each acts on the current tab's editor
    void cut();
    void copy();
    void paste();
    void redo();
    void undo();
    void goto_err();
    void goto_lineb();
    void goto_linee();
    void goto_wordb();
    void goto_worde();
    void del_sel();
    void sel_beside();
    void sel_all();
    void sel_line();
    void sel_word();
    void exec_sel();
    void exec_cur();
    void format_sel();
    void find();
    void replace();
    // view
    void view_big();
    void view_big(bool) { view_big(); }
    void view_normal();
    void view_normal(bool) { view_normal(); }
    void view_small();
    void view_small(bool) { view_small(); }
    void view_db();
    void view_db(bool) { view_db(); }
    void view_log();
    void view_log(bool) { view_log(); }
    void view_toolbar();
    void view_toolbar(bool) { view_toolbar(); }
    void view_statusbar();
    void view_statusbar(bool) { view_statusbar(); }
    void view_fullscreen();
    void view_fullscreen(bool) { view_fullscreen(); }
    void visibility_changed(bool visible);
    // option
    void lang_zh();
    void lang_zh(bool) { lang_zh(); }
    void lang_en();
    void lang_en(bool) { lang_en(); }
    void lang_fr();
    void lang_fr(bool) { lang_fr(); }
    void lang_jp();
    void lang_jp(bool) { lang_jp(); }
    void preference();
    void preference(bool) { preference(); }
    // help
    void help_online();
    void help_online(bool) { help_online(); }
    void help_local();
    void help_local(bool) { help_local(); }
    void update();
    void update(bool) { update(); }
    void about();
    void about(bool) { about(); }
    // tree and tabs
    void currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void itemDoubleClicked(QTreeWidgetItem *item, int column);
    void currentChanged(int index);
    void tabBarClicked(int index);
    void tabBarDoubleClicked(int index);
    void close_tab(int index);
    void tab_accepted();
    void tab_rejected();
    // indicators
    void change_es();
    void change_save_all();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void init();
    void build_form();
    // What follows every rebuild of the tree: tabs of tables that are gone close, and the
    // script tabs learn the tables and fields.
    void after_refresh();
    void fill_recent_menu();
    void apply_icon_size(int edge);
    void apply_view_config();
    // The command-file logic over the tab area; before the tree's first refresh.
    void create_file_tabs();
    // Hands the window's editing actions to the editor that became current.
    void attach_editor(QWidget *editor);
    // Hands the tree's tables and fields to a script editor for completion.
    void hand_names(QWidget *editor) const;
    // The current tab's script editor; null when the current tab is none.
    cmd_script_editor *current_editor() const;
    // Runs the edit operation on the current tab's editor and gives it the focus; nothing
    // without an editor tab.
    void forward_to_editor(void (cmd_script_editor::*operation)());
    bool editor_modified(const QWidget *editor) const;
    // The "find text" action of the current editor's result grid that has the focus; null when
    // no grid has it.
    QAction *focused_grid_find() const;
    // The table (and for field actions the field) the current tree item names.
    QByteArray current_table() const;
    QByteArray current_field() const;
    // After a confirmed table or field operation: the parent of the current item becomes
    // current and the tree is rebuilt.
    void select_parent_and_refresh();
    // Rebuilds the tree, then reloads the open data views of the table (every one for an empty
    // name): their rows changed on the server.
    void refresh_and_reload_views(const QByteArray &table);
    // Opens the table definition window over the current table's fields.
    void open_definition(int mode, const QString &title);
    // The result box of an operation: the text alone on success; on failure with the reason the
    // server or the network gave, and the offer to reconnect when the connection is gone.
    void tell_result(const QString &title, const QString &text, const db_status &status);
    // Before a file goes through the client: a file over the client's limit is refused with a
    // box naming its size; true then.
    bool refuse_big_client_file(const QString &path);

    QByteArray ip_;
    int port_;
    QByteArray user_;
    QByteArray passwd_;

    main_actions act_;
    QSplitter *splitter_2_ = nullptr;
    QSplitter *splitter_ = nullptr;
    QTreeWidget *tree_ = nullptr;
    QTabWidget *tab_widget_ = nullptr;
    QTextEdit *log_ = nullptr;
    QToolBar *tool_bar_ = nullptr;
    db_link *link_ = nullptr;
    db_exec *db_ = nullptr;
    wait_notice *status_wait_ = nullptr;
    db_tree *tree_model_ = nullptr;
    tab_area *area_ = nullptr;
    cmd_file_tabs *files_ = nullptr;
    status_indicators *indicators_ = nullptr;
    log_pane_menu *log_menu_ = nullptr;
};
