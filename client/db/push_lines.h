// Rows as push lines of the command language: the text of one push, and the same lines written
// four characters a byte (\xHH) as the payload of a raw command-file load carries them.
#pragma once

#include "db/result_table.h"

#include <QByteArray>

namespace push_lines {

// "push into T f1 f2 values", the start the push lines of one file share.
QByteArray head(const QByteArray &table, const name_list &fields);

// Appends the push line of one row: values[0] is the time point, the others follow the fields.
void append(QByteArray &out, const QByteArray &head, const QByteArray *values, int count);

// The length of that line with its line end.
qint64 line_size(const QByteArray &head, const QByteArray *values, int count);

// Writes the line and its line end at p, each byte as \xHH (4 * line_size bytes); returns the
// end.
char *put_escaped_line(char *p, const QByteArray &head, const QByteArray *values, int count);

} // namespace push_lines
