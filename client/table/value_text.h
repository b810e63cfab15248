// The texts of grid values of every kind: what the grid shows, what goes into commands, and
// the way back from a text to a value of the column's kind.
#pragma once

#include "table/number_text.h"

#include <QByteArray>
#include <QVariant>

namespace value_text {

// The fourteen kinds by their grid type names; the integer kinds carry the numbers of the
// integer delegates (u08 = 0 ... i64 = 7).
enum class kind : int { u08 = 0, i08, u16, i16, u32, i32, u64, i64, flt, dbl, str, date, time, datetime, none };

kind kind_of(const QByteArray &type_name);
QByteArray type_name(kind k);
inline bool is_integer(kind k) { return int(k) <= int(kind::i64); }
inline bool is_temporal(kind k) { return k == kind::date || k == kind::time || k == kind::datetime; }

// The integer of a value as 64 bits, sign-extended for the signed kinds.
uint64_t int_bits(const QVariant &v, kind k);
// The QVariant a value of the kind travels in: int for the kinds up to i32, unsigned int for
// u32, 64-bit for i64 and u64.
QVariant int_variant(uint64_t bits, kind k);

// What the grid shows for the value; dates and times ignore the number format.
QString display_text(const QVariant &v, kind k, const number_format &fmt);

// The value of the kind that a text stands for, in the given number format (integers are read
// in its base; plus, prefix and suffix are optional). Invalid when the text is refused.
QVariant from_text(const QString &text, kind k, const number_format &fmt);

// The value as a command token with no blanks inside: decimal integers, floats written so they
// read back to the same value, the string itself, the date and time texts.
QString plain_text(const QVariant &v, kind k);

// A numeric display text made fit for a command: the blanks of the grouped binary text go, and
// a float text that would not read back to the value is replaced by one that does.
QString command_number(const QString &display, const QVariant &v, kind k);

} // namespace value_text
