// Line-edit entries for the numeric kinds of the grid. Each keeps the last acceptable text and
// falls back to it when an edit makes the text unacceptable, so the entry never holds garbage.
#pragma once

#include "table/number_text.h"

#include <QLineEdit>

// Entry for one integer kind; shows the grid's text of its value in the grid's number format.
class int_spin_box : public QLineEdit {
    Q_OBJECT
public:
    int_spin_box(value_kind kind, QWidget *parent = nullptr);

    value_kind kind() const { return kind_; }
    // Takes over base, plus and suffix and shows the value again in that form.
    void set_format(const value_text::number_format &fmt);
    const value_text::number_format &format() const { return fmt_; }

    // The value as 64 bits (sign-extended for signed kinds).
    uint64_t value() const { return bits_; }
    void set_value(uint64_t bits);
    // False while the text is only the beginning of a value (empty, a sign, a prefix).
    bool has_value() const { return complete_; }
    int64_t minimum() const;
    uint64_t maximum() const;

signals:
    void value_changed(quint64 bits);

protected:
    // Up and down step by one within the kind's range.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void check_text(const QString &text);

    value_kind kind_;
    value_text::number_format fmt_;
    uint64_t bits_ = 0;
    bool complete_ = true;
    QString last_good_;
};

class u08_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u08_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::u08, parent) {}
};
class i08_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i08_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::i08, parent) {}
};
class u16_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u16_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::u16, parent) {}
};
class i16_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i16_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::i16, parent) {}
};
class u32_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u32_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::u32, parent) {}
};
class i32_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i32_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::i32, parent) {}
};
class u64_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u64_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::u64, parent) {}
};
class i64_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i64_spin_box(QWidget *parent = nullptr) : int_spin_box(value_kind::i64, parent) {}
};

// The entry of the given integer kind, or null for another kind.
int_spin_box *make_int_spin_box(value_kind kind, QWidget *parent);

// Entry for float or double; shows the decimal text of the grid ("%.9f" / "%.17f").
class real_spin_box : public QLineEdit {
    Q_OBJECT
public:
    real_spin_box(bool is_double, QWidget *parent = nullptr);

    bool is_double() const { return is_double_; }
    double value() const { return value_; }
    void set_value(double v);
    bool has_value() const { return complete_; }
    // True once the text differs from the one set_value showed. The shown digits may round the
    // value (tiny numbers show as zero), so only a changed text may stand for a new value.
    bool text_edited() const { return text() != shown_text_; }
    double minimum() const;
    double maximum() const;

signals:
    void value_changed(double v);

private:
    void check_text(const QString &text);

    bool is_double_;
    double value_ = 0;
    bool complete_ = true;
    QString last_good_;
    QString shown_text_;
};

class float_spin_box : public real_spin_box {
    Q_OBJECT
public:
    explicit float_spin_box(QWidget *parent = nullptr) : real_spin_box(false, parent) {}
};
class double_spin_box : public real_spin_box {
    Q_OBJECT
public:
    explicit double_spin_box(QWidget *parent = nullptr) : real_spin_box(true, parent) {}
};
