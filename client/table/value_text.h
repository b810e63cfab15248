// The texts of grid values of every kind: what the grid shows, what goes into commands, and
// the way back from a text to a value of the column's kind.
#pragma once

#include "table/number_text.h"

#include <QByteArray>
#include <QVariant>

namespace value_text {

// The kinds themselves, their names and their QVariant types are in db/value_kinds.h.

// The integer of a value as 64 bits, sign-extended for the signed kinds.
uint64_t int_bits(const QVariant &v, value_kind k);

// What the grid shows for the value; dates and times ignore the number format.
QString display_text(const QVariant &v, value_kind k, const number_format &fmt);

// The value of the kind that a text stands for, in the given number format (integers are read
// in its base; plus, prefix and suffix are optional). Invalid when the text is refused.
QVariant from_text(const QString &text, value_kind k, const number_format &fmt);

// Whether two cell values are the same value: floating-point ones bit for bit, so 0 and -0 and
// values a digit apart differ, except that every NaN equals every NaN; others by QVariant.
bool same_value(const QVariant &a, const QVariant &b);

// The value as a command token with no blanks inside: decimal integers, floats as the shortest
// text that reads back to the same bits (the sign of zero kept), the string itself, the date
// and time texts.
QString plain_text(const QVariant &v, value_kind k);

// A numeric display text made fit for a command: the blanks of the grouped binary text go, and
// a float text that would not read back to the value is replaced by one that does.
QString command_number(const QString &display, const QVariant &v, value_kind k);

} // namespace value_text
