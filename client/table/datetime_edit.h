// The date/time entry: a date edit and a text field for the time of day, side by side, either
// of them hidden when the entry edits a date or a time alone.
#pragma once

#include "support/mem_time.h"

#include <QVariant>
#include <QWidget>

class QDateEdit;
class QLineEdit;

class date_time_wt : public QWidget {
    Q_OBJECT
public:
    enum class parts { date, time, date_time };

    explicit date_time_wt(QWidget *parent = nullptr, parts shown = parts::date_time);

    parts shown() const { return shown_; }

    // The value as the kind of the entry: a date, a time or a date and time. Until the user
    // changes something it is exactly the value last set, even where the date edit cannot show
    // it (a day no calendar has, such as year 0), so opening and closing an editor never alters a cell.
    QVariant variant() const;
    void set_variant(const QVariant &v);

    ox::db::mem::date_time value() const;
    void set_value(const ox::db::mem::date_time &v);

    // The text of the entry's value in the grid's text form.
    QString text() const;

    void set_read_only(bool on);
    bool is_read_only() const { return read_only_; }
    void set_alignment(Qt::Alignment a);
    // For an entry of its own (not a cell's editor): the time field shows its longest text whole
    // and the entry grows past its maximum width where that needs it.
    void keep_time_whole();

    QDateEdit *date_edit() const { return date_; }
    QLineEdit *time_edit() const { return time_; }

signals:
    void value_chg(const QString &text);

protected:
    bool event(QEvent *e) override;

private:
    // The time field as wide as its longest text (a time with nine digits of fraction).
    void fit_time_text();
    void date_edited();
    void time_edited(const QString &text);
    void show_value();

    parts shown_;
    // Set before the fields are made: making them sends this entry events already.
    bool fit_time_ = false;
    QDateEdit *date_;
    QLineEdit *time_;
    ox::db::mem::date_time value_;
    QString last_good_time_;
    bool showing_ = false;
    bool read_only_ = false;
};
