// Rows as push lines of the command language: the text of one push, and the same lines written
// four characters a byte (\xHH) as the payload of a raw command-file load carries them.
#pragma once

#include "db/result_table.h"

#include <QByteArray>

namespace push_lines {

// Appends the push line of one row after head (cmd_texts::push_head of the table and fields):
// values[0] is the time point, the others follow the fields.
void append(QByteArray &out, const QByteArray &head, const QByteArray *values, int count);

// The length of that line with its line end.
qint64 line_size(const QByteArray &head, const QByteArray *values, int count);

// Writes the line and its line end at p, each byte as \xHH (4 * line_size bytes); returns the
// end.
char *put_escaped_line(char *p, const QByteArray &head, const QByteArray *values, int count);

} // namespace push_lines
