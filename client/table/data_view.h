// The window that browses and edits the rows of one table: fields, time range and row limit
// make its "view" command; the grid's edits go to the server with Apply; the view exports to CSV.
// Every command runs on the connection thread; the window shows its own waits.
#pragma once

#include "support/mem_time.h"
#include "table/window_closing.h"

#include <QAbstractItemView>
#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QModelIndex>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class date_time_wt;
class db_link;
class fld_wt;
class tab_data_model;
class view_follow;
class wait_notice;
struct db_status;

class data_view : public QWidget {
    Q_OBJECT
public:
    // The window asks the server for the table's time range and fields, then for the rows;
    // both arrive later (loaded() tells each load of the grid).
    data_view(const QByteArray &table, db_link *link, QWidget *parent = nullptr);

    tab_data_model *data_model() const { return model_; }
    QTableView *grid() const { return dv_; }
    const QByteArray &table() const { return table_; }
    db_link *link() const { return link_; }
    // May the window go now? Unapplied edits ask first (window_closing.h): Apply sends them and
    // the window ends itself with rejected() once they went; Discard drops them; Cancel keeps it.
    close_answer may_close();
    // The command update_tab sends: fields, time range and limit as the form holds them.
    QByteArray view_command() const;
    // The view command for a time range; with_limit adds the form's row limit when it is on.
    QByteArray view_command_between(const ox::db::mem::date_time &begin, const ox::db::mem::date_time &end,
                                    bool with_limit = true) const;
    // The chart toggle and the follow object (data_view_live.cpp).
    QAction *chart_action() const { return chart_act_; }
    view_follow *follower() const { return follow_; }
    // The command an export writes: fields and limit, every time point.
    QByteArray export_command() const;
    // How long Apply runs before its progress dialog shows (one second unless a test says).
    void set_progress_delay(int ms) { progress_delay_ms_ = ms; }
    // The memory a load of every row is weighed against (the machine's unless a test says).
    void set_machine_memory(uint64_t bytes) { machine_memory_ = bytes; }
    // The form is filled from the server, a load or an Apply is on its way.
    bool busy() const { return opening_ || loads_ > 0 || applying_; }
    bool applying() const { return applying_; }
    wait_notice *waits() const { return wait_; }
    // Apply's progress dialog while Apply runs, else null.
    QProgressDialog *apply_progress() const { return progress_; }

signals:
    void accepted();
    void rejected();
    // The grid has taken the rows of a view command.
    void loaded();
    // Apply has ended (its reload follows).
    void applied(bool ok);

public slots:
    void add();
    void apply();
    void cancel();
    void add_filter();
    // Widens the time range to take in the current row's time point, and reloads.
    void append_filter();
    void re_exec();
    void check_limit(int state);
    void change_limit(int value);
    void export_data();
    void find_txt();
    void rep_txt();
    void row_changed();
    void current_changed(const QModelIndex &current, const QModelIndex &previous);
    void enable_apply(const bool &on);
    void update_tab();
    void field_changed();
    void mode_toggled(bool checked);
    void beg_chg(const QString &text);
    void end_chg(const QString &text);

private:
    void build_form();
    // The chart beside the grid and the follow controls, once the first rows are loaded.
    void add_live_parts();
    void make_actions();
    void connect_all();
    // Asks for the time range and the fields, fills the form with them and loads the rows.
    void open();
    // Shows the search actions only while there are rows to search.
    void update_row_actions();
    // The date-and-time of the grid cell's row; false when it has none.
    bool time_point_of(const QModelIndex &at, ox::db::mem::date_time &out) const;
    // Moves begin or end so that both points lie inside the range; no reload.
    void widen_range(const ox::db::mem::date_time &lo, const ox::db::mem::date_time &hi);
    // Tells the user when Apply stopped early: what went, what failed, what the reload drops.
    void tell_apply_stop(int done, int total, bool cancelled, const QByteArray &failed, const db_status &status);
    // Sends the pending edits, then reloads. False when nothing went (the user kept the edits).
    bool start_apply();
    void show_apply_progress();
    void end_apply_progress();
    // Runs the view command and shows its rows; pending edits are dropped without a question.
    void reload();
    // No edits, no added rows and no Apply while the grid is about to change.
    void reflect_busy();
    bool has_pending() const;
    // Before a reload drops pending edits the user chooses: apply them first, drop them, or
    // keep them (the form goes back to what the grid shows). True when the reload may go on.
    bool settle_pending();
    void restore_form();

    // The form as the grid's rows were last loaded with it.
    struct shown_form {
        QList<bool> checked;
        bool limit_on = true;
        int limit = 10;
        ox::db::mem::date_time begin, end;
    };
    shown_form shown_;

    QByteArray table_;
    QPointer<db_link> link_;
    tab_data_model *model_ = nullptr;
    wait_notice *wait_ = nullptr;
    bool opening_ = false;
    int loads_ = 0;           // view commands on their way; only the last one's rows are taken
    bool applying_ = false;
    bool close_after_apply_ = false; // the Apply under way was asked for by closing the window
    // Apply's progress: read by a timer here, written on the connection thread.
    struct apply_state {
        std::atomic<bool> stop{false};
        std::atomic<int> done{0};
    };
    std::shared_ptr<apply_state> apply_state_;
    QPointer<QProgressDialog> progress_;
    QTimer progress_timer_;
    QElapsedTimer apply_clock_;
    int apply_total_ = 0;
    QAbstractItemView::EditTriggers edit_triggers_;

    QLabel *label_ = nullptr;
    QLineEdit *table_le_ = nullptr;
    QGroupBox *group_box_ = nullptr;
    QRadioButton *nor_rb_ = nullptr;
    QRadioButton *hex_rb_ = nullptr;
    QRadioButton *dec_rb_ = nullptr;
    QRadioButton *bin_rb_ = nullptr;
    fld_wt *fd_wt_ = nullptr;
    QCheckBox *limit_cb_ = nullptr;
    QSpinBox *limit_sb_ = nullptr;
    QLabel *label_2_ = nullptr;
    QLabel *label_3_ = nullptr;
    date_time_wt *s_dtm_ = nullptr;
    date_time_wt *e_dtm_ = nullptr;
    QPushButton *add_btn_ = nullptr;
    QTableView *dv_ = nullptr;
    QPushButton *export_btn_ = nullptr;
    QPushButton *apply_btn_ = nullptr;
    QPushButton *cancel_btn_ = nullptr;

    QAction *filter_act_ = nullptr;
    QAction *app_filter_act_ = nullptr;
    QAction *find_act_ = nullptr;
    QAction *replace_act_ = nullptr;

    int progress_delay_ms_ = 1000;
    // The table's rows as the server listed them when the window opened (unknown: the most a
    // count can be), and the fields' types, for the cost of loading every row.
    uint64_t table_rows_ = UINT64_MAX;
    QHash<QByteArray, QByteArray> field_types_;
    uint64_t machine_memory_ = 0;
    // Unchecking "max k" asks first when every row would not fit in a quarter of the memory.
    bool may_load_all();
    // "max k" runs the view once typing pauses (or on Return), not at every digit.
    QTimer limit_pause_;

    QAction *chart_act_ = nullptr;
    view_follow *follow_ = nullptr;
};
