// Turns the text of a script, a selection or one line into the commands that are sent to the
// server, one command per line, and the lines of a command file into its commands.
#pragma once

#include <QByteArray>
#include <QList>

namespace script_lines {

// One line of a script as it goes to the server:
// - trailing blanks (space, tab, carriage return) are removed first, so that a line saved with
//   CR LF or typed with stray blanks still forms the same command;
// - then, outside double-quoted strings, every backslash escape "\xHH" (two hexadecimal digits,
//   either case) becomes the byte 0xHH. This lets a user type bytes that the editor cannot
//   show, e.g. in a table name. An escape written at the very end (such as "\x20") therefore
//   survives the trimming on purpose.
// - Inside a double-quoted string nothing is decoded: the server reads those escapes itself,
//   and a backslash there protects the byte after it (so \" does not end the string).
// - A backslash that does not start a complete "\xHH" is kept as it stands.
QByteArray normalise_line(const QByteArray &line);

// "format selection" for one line: leading and trailing blanks (space, tab) go, and every run of
// blanks between tokens becomes one space. Double-quoted strings are kept byte for byte.
QByteArray format_line(const QByteArray &line);

// Cuts a text at "\n" and normalises every line. The list keeps one entry per line, empty ones
// included, so that entry i is line first_line + i of the editor; runners skip empty entries.
QList<QByteArray> split_commands(const QByteArray &text);

// The commands of a command file: cut at "\n", each line stripped of leading and trailing
// spaces (and of a carriage return before the line feed, so files written on Windows run too);
// empty lines are left out. No escape decoding: a command file holds the commands verbatim.
QList<QByteArray> cmd_file_commands(const QByteArray &content);

} // namespace script_lines
