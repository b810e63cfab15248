// The typed numeric entries: every text change is checked, a refused text is replaced by the
// last good one, and a complete text becomes the entry's value.
#include "table/spin_boxes.h"

#include <QKeyEvent>
#include <cfloat>

using namespace value_text;

int_spin_box::int_spin_box(value_kind kind, QWidget *parent) : QLineEdit(parent), kind_(kind)
{
    connect(this, &QLineEdit::textChanged, this, &int_spin_box::check_text);
    set_value(0);
}

void int_spin_box::set_format(const number_format &fmt)
{
    fmt_ = fmt;
    if (complete_)
        setText(int_text(bits_, kind_, fmt_));
}

void int_spin_box::set_value(uint64_t bits)
{
    setText(int_text(bits, kind_, fmt_));
}

int64_t int_spin_box::minimum() const
{
    if (!int_signed(kind_))
        return 0;
    return kind_ == value_kind::i64 ? INT64_MIN : -(int64_t(1) << (8 * int_bytes(kind_) - 1));
}

uint64_t int_spin_box::maximum() const
{
    const int bits = 8 * int_bytes(kind_) - (int_signed(kind_) ? 1 : 0);
    return bits == 64 ? UINT64_MAX : (uint64_t(1) << bits) - 1;
}

void int_spin_box::check_text(const QString &text)
{
    const int_parse p = parse_int(text, kind_, fmt_.base);
    if (p.state == parse_state::invalid) {
        const int at = qMax(0, cursorPosition() - 1);
        setText(last_good_); // re-enters with an acceptable text
        setCursorPosition(qMin(at, last_good_.size()));
        return;
    }
    last_good_ = text;
    complete_ = p.state == parse_state::complete;
    if (complete_ && p.bits != bits_) {
        bits_ = p.bits;
        emit value_changed(bits_);
    }
}

void int_spin_box::keyPressEvent(QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (step == 0 || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (int_signed(kind_)) {
        const int64_t v = int64_t(bits_);
        if ((step > 0 && uint64_t(v) != maximum()) || (step < 0 && v != minimum()))
            set_value(uint64_t(v + step));
    } else if ((step > 0 && bits_ != maximum()) || (step < 0 && bits_ != 0)) {
        set_value(bits_ + uint64_t(int64_t(step)));
    }
    event->accept();
}

int_spin_box *make_int_spin_box(value_kind kind, QWidget *parent)
{
    switch (kind) {
    case value_kind::u08: return new u08_spin_box(parent);
    case value_kind::i08: return new i08_spin_box(parent);
    case value_kind::u16: return new u16_spin_box(parent);
    case value_kind::i16: return new i16_spin_box(parent);
    case value_kind::u32: return new u32_spin_box(parent);
    case value_kind::i32: return new i32_spin_box(parent);
    case value_kind::u64: return new u64_spin_box(parent);
    case value_kind::i64: return new i64_spin_box(parent);
    default: return nullptr;
    }
}

real_spin_box::real_spin_box(bool is_double, QWidget *parent) : QLineEdit(parent), is_double_(is_double)
{
    connect(this, &QLineEdit::textChanged, this, &real_spin_box::check_text);
    set_value(0);
}

double real_spin_box::minimum() const
{
    return is_double_ ? -DBL_MAX : -double(FLT_MAX);
}

double real_spin_box::maximum() const
{
    return is_double_ ? DBL_MAX : double(FLT_MAX);
}

void real_spin_box::set_value(double v)
{
    const number_format plain;
    setText(is_double_ ? double_text(v, plain) : float_text(float(v), plain));
    shown_text_ = text();
    value_ = v; // the exact value, not the one its rounded text reads back as
}

void real_spin_box::check_text(const QString &text)
{
    const real_parse p = parse_real(text, is_double_);
    if (p.state == parse_state::invalid) {
        const int at = qMax(0, cursorPosition() - 1);
        setText(last_good_);
        setCursorPosition(qMin(at, last_good_.size()));
        return;
    }
    last_good_ = text;
    complete_ = p.state == parse_state::complete;
    if (complete_) {
        value_ = is_double_ ? p.value : double(float(p.value));
        emit value_changed(value_);
    }
}
