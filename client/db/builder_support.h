// Small pieces the command builders share: running a command for its success alone, reading a
// cell's text, and quoting a value into a command.
#pragma once

#include "db/db_exec.h"

#include <QByteArray>

namespace builder_support {

// Runs cmd (logged) and releases the reply; true when the command succeeded.
bool run_plain(db_exec &db, const QByteArray &cmd);
// The bytes of a cell (empty for a null cell or a cell that is not a string).
QByteArray text_of(const cell *c);
// Appends the value in double quotes; false (nothing appended) when the value holds a
// double quote itself, since the command language has no way to escape it.
bool append_quoted(QByteArray &cmd, const QByteArray &value);

} // namespace builder_support
