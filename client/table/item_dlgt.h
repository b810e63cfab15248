// The typed item delegates of the data grids: one per value kind, turning values into the texts
// the grid shows and commands send, creating the kind's editor and reading texts back.
#pragma once

#include "table/value_text.h"

#include <QItemDelegate>

class item_dlgt : public QItemDelegate {
    Q_OBJECT
public:
    explicit item_dlgt(::value_kind k, QObject *parent = nullptr);

    ::value_kind value_kind() const { return kind_; }

    bool read_only() const { return read_only_; }
    void set_read_only(bool on) { read_only_ = on; }
    int base() const { return fmt_.base; }
    bool show_plus() const { return fmt_.show_plus; }
    bool show_suffix() const { return fmt_.show_suffix; }
    void set_display_mode(value_text::display_mode mode) { fmt_ = value_text::format_of(mode); }
    const value_text::number_format &format() const { return fmt_; }

    // Creates the kind's editor with the shared look: 10-point font, centred, read-only when
    // the delegate is; make_editor supplies the widget itself.
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // Writes only a complete value that differs from the cell's, and nothing when read-only.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    virtual QString display_text(const QVariant &value) const;
    virtual QVariant from_text(const QString &text) const;

protected:
    virtual QWidget *make_editor(QWidget *parent) const = 0;
    virtual void put_value(QWidget *editor, const QVariant &value) const = 0;
    // The editor's value, or an invalid QVariant while the editor holds no complete value.
    virtual QVariant take_value(QWidget *editor) const = 0;

private:
    ::value_kind kind_;
    value_text::number_format fmt_;
    bool read_only_ = false;
};

class int_item_dlgt : public item_dlgt {
    Q_OBJECT
public:
    // One of the integer kinds u08 ... i64.
    explicit int_item_dlgt(::value_kind k, QObject *parent = nullptr);

protected:
    QWidget *make_editor(QWidget *parent) const override;
    void put_value(QWidget *editor, const QVariant &value) const override;
    QVariant take_value(QWidget *editor) const override;
};

// float_item_dlgt and double_item_dlgt share the entry code.
class real_item_dlgt : public item_dlgt {
    Q_OBJECT
public:
    real_item_dlgt(bool is_double, QObject *parent);

protected:
    QWidget *make_editor(QWidget *parent) const override;
    void put_value(QWidget *editor, const QVariant &value) const override;
    QVariant take_value(QWidget *editor) const override;
};

class float_item_dlgt : public real_item_dlgt {
    Q_OBJECT
public:
    explicit float_item_dlgt(QObject *parent = nullptr) : real_item_dlgt(false, parent) {}
};

class double_item_dlgt : public real_item_dlgt {
    Q_OBJECT
public:
    explicit double_item_dlgt(QObject *parent = nullptr) : real_item_dlgt(true, parent) {}
};

class string_item_dlgt : public item_dlgt {
    Q_OBJECT
public:
    explicit string_item_dlgt(QObject *parent = nullptr);

protected:
    QWidget *make_editor(QWidget *parent) const override;
    void put_value(QWidget *editor, const QVariant &value) const override;
    QVariant take_value(QWidget *editor) const override;
};

// date_item_dlgt, time_item_dlgt and datetime_item_dlgt share the date/time entry.
class temporal_item_dlgt : public item_dlgt {
    Q_OBJECT
public:
    temporal_item_dlgt(::value_kind k, QObject *parent);

protected:
    QWidget *make_editor(QWidget *parent) const override;
    void put_value(QWidget *editor, const QVariant &value) const override;
    QVariant take_value(QWidget *editor) const override;
};

class date_item_dlgt : public temporal_item_dlgt {
    Q_OBJECT
public:
    explicit date_item_dlgt(QObject *parent = nullptr) : temporal_item_dlgt(::value_kind::date, parent) {}
};

class time_item_dlgt : public temporal_item_dlgt {
    Q_OBJECT
public:
    explicit time_item_dlgt(QObject *parent = nullptr) : temporal_item_dlgt(::value_kind::time, parent) {}
};

class datetime_item_dlgt : public temporal_item_dlgt {
    Q_OBJECT
public:
    explicit datetime_item_dlgt(QObject *parent = nullptr)
        : temporal_item_dlgt(::value_kind::datetime, parent) {}
};

// The delegate for a grid type name ("u08" ... "datetime"), or null for an unknown name.
item_dlgt *make_item_dlgt(const QByteArray &type_name, QObject *parent = nullptr);
