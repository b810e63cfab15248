// Live follow of one table in a data view: at each interval asks the server for the table's
// newest time point and adds the rows that came since to the grid, without reloading it. The
// questions go to the connection thread; a tick is skipped while the last one's answer is out.
#pragma once

#include "support/mem_time.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QSpinBox;
class QTableView;
class QTimer;
class date_time_wt;
class db_link;
class tab_data_model;
struct grid_rows;

class view_follow : public QObject {
    Q_OBJECT
public:
    // The host's view command for the rows from begin to end, both included: the host keeps
    // its field list and row limit.
    using view_text_fn =
        std::function<QByteArray(const ox::db::mem::date_time &begin, const ox::db::mem::date_time &end)>;

    // Nothing is owned but the controls. end_entry (may be null) is moved to the newest time
    // point whenever rows are added, without emitting its change signal.
    view_follow(tab_data_model *model, QTableView *grid, db_link *link, const QByteArray &table,
                date_time_wt *end_entry, view_text_fn view_text, QObject *parent = nullptr);
    ~view_follow() override;

    // The controls, made without a parent for the host to place; those never placed die with
    // the follow object. The label tells why following paused or stopped.
    QCheckBox *check_box() const;
    QSpinBox *interval_box() const;
    QLabel *state_label() const;

    bool following() const;
    bool paused() const { return paused_; }
    // Why following paused or stopped; empty while it runs or is off.
    QString state_text() const;
    int interval_seconds() const;
    // A look is on its way: ticks until its answer are skipped.
    bool looking() const { return looking_; }

public slots:
    // Checks the check box (looking at once) or clears it.
    void set_following(bool on);
    void set_interval_seconds(int seconds);
    // One look for new rows; the timer calls it, tests may too. Nothing while a look is out.
    void tick();

signals:
    // Rows were added to the grid.
    void rows_followed(int count);
    // A look has ended, with or without rows.
    void looked();
    // Following stopped on its own; why says what failed.
    void stopped(const QString &why);

private:
    void toggled(bool on);
    void stop(const QString &why);
    void show_state(const QString &text);
    // Pauses while the grid holds edits that are not applied, resumes when they are gone.
    void check_pending();
    bool has_pending() const;
    // The newest time point among the loaded rows, read again after each reload.
    bool last_loaded(ox::db::mem::date_time &out);
    void note_inserted(int first, int last);
    // Raises last_ to the newest time point of the loaded rows among grid rows first to last.
    void take_newest(int first, int last);
    // The second half of a look: the rows after from, up to newest, into the grid.
    void fetch_after(const ox::db::mem::date_time &from, const ox::db::mem::date_time &newest);
    void add_rows(grid_rows &&rows, const ox::db::mem::date_time &newest);
    void end_look();

    tab_data_model *model_;
    QTableView *grid_;
    QPointer<db_link> link_;
    QByteArray table_;
    QPointer<date_time_wt> end_entry_;
    view_text_fn view_text_;
    QPointer<QCheckBox> check_;
    QPointer<QSpinBox> interval_;
    QPointer<QLabel> state_;
    QTimer *timer_;
    bool paused_ = false;
    bool last_known_ = false; // last_ is up to date with the grid
    bool have_last_ = false;  // the grid holds a loaded row with a time point
    ox::db::mem::date_time last_;
    bool appending_ = false;
    bool looking_ = false;
    // Counts the grid's resets: an answer asked for an earlier grid is not added to this one.
    quint64 resets_ = 0;
    bool inserted_at_top_ = false;
    bool inserted_at_bottom_ = false;
};
