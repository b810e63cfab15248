// The content of one script tab: the editor with its gutter, the execute button, and the result
// grids of the last run, one tab per command that returned data. Runs go to the connection
// thread; the grids come as their commands end, and the tab shows its own waits.
#pragma once

#include "script/script_runner.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAction;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolButton;
class db_link;
class editor;
class wait_notice;
class editor_area;
class tab_data_model;
struct editor_actions;
struct grid_data;

class cmd_script_editor : public QWidget {
    Q_OBJECT
public:
    // owner is the main window (messages and the progress dialog belong to it); link runs and
    // logs every command; content is the file's text as UTF-8.
    cmd_script_editor(QWidget *owner, db_link *link, const QByteArray &content, QWidget *parent = nullptr);
    ~cmd_script_editor() override;

    bool modified() const;
    void mark_saved();
    QByteArray text_bytes() const;
    // Table names and their fields for the completion list.
    void set_table_names(const QStringList &tables, const QMap<QString, QStringList> &fields);
    // The window's actions that follow this editor's state.
    void set_window_actions(const editor_actions &actions);

    QTabWidget *result_tabs() const { return tab_widget_; }
    QPushButton *exec_button() const { return exec_btn_; }
    QTableView *result_view(int index) const;
    tab_data_model *result_model(int index) const;
    // The command a result tab shows (its title, unescaped).
    QByteArray result_command(int index) const;
    script_runner &runner() { return runner_; }
    bool running() const { return runner_.running(); }
    wait_notice *waits() const { return wait_; }
    // The line of the command that failed in the last run, -1 when none failed.
    int failed_line() const { return failed_line_; }

    // The result tab bar's context-menu actions, by their text.
    QAction *copy_action() const { return copy_act_; }
    QAction *close_all_action() const { return close_all_act_; }
    QAction *close_current_action() const { return close_cur_act_; }
    QAction *export_action() const { return export_act_; }
    // Beside the result tabs: the current grid's "chart" toggle, hidden when it has no chart.
    QToolButton *chart_button() const { return chart_btn_; }

    // Where "export current data" proposes to write the result of cmd: under "./export_data",
    // named after the table (or the command's first word) and the time.
    static QString export_path_for(const QByteArray &cmd, const QDateTime &when);

signals:
    // After a run in which every command succeeded.
    void executed(bool ok);
    // After every run, once its outcome was told.
    void run_finished(bool ok);
    // "find text" on a result grid; the table search dialog listens.
    void find_in_result(QTableView *view);
    // The text now differs from the saved file (or matches it again); sent after modified()
    // has its new value.
    void modified_changed(bool modified);

public slots:
    editor *editor_widget() const;
    void update_ed_geo(const QRect &visible);
    void change_layout();

    // Runs the selection or the line under the cursor; earlier results stay.
    void exec_sel(bool checked);
    void exec_sel() { exec_sel(false); }
    void exec_cur(bool checked);
    void exec_cur() { exec_cur(false); }
    // Runs the whole text; the results of the previous run go first.
    void exec_cmd();
    // Starts the commands in order (first_line: editor line of the first entry); the outcome is
    // told when they have run. False when a run is going on already.
    bool exec(const QList<QByteArray> &commands, int first_line = 0);

    void close_tab(int index);
    void copy_tab(bool checked);
    void close_tab(bool checked);
    void close_all_tab(bool checked);
    void export_data(bool checked);

    // The Edit menu of the main window calls these on the current tab.
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
    void format_sel();
    void find();
    void replace();
    void print();

private:
    void run_ended(const script_runner::outcome &out, const QList<QByteArray> &commands, int first_line);
    // A result tab for the command's grid, made current.
    void add_result(const QByteArray &cmd, grid_data &&grid);
    void remove_result(int index);
    void show_or_hide_results();
    void focus_editor();
    void follow_chart_toggle();

    QPointer<QWidget> owner_;
    // What modified_changed last told; the editor's own signal misses a change after a save.
    bool shown_modified_ = false;
    void sync_modified();
    QPointer<db_link> link_;
    wait_notice *wait_ = nullptr;
    editor_area *area_ = nullptr;
    QPushButton *exec_btn_ = nullptr;
    QTabWidget *tab_widget_ = nullptr;
    QSplitter *splitter_ = nullptr;
    QAction *copy_act_ = nullptr;
    QAction *close_all_act_ = nullptr;
    QAction *close_cur_act_ = nullptr;
    QAction *export_act_ = nullptr;
    QToolButton *chart_btn_ = nullptr;
    script_runner runner_;
    int failed_line_ = -1;
};
