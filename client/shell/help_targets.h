// Where the manual and the online command reference of a language are found.
#pragma once

#include <QString>
#include <QStringList>

namespace help_targets {

// "zh", "en" or "fr" by the configuration's language code; empty for Japanese, which has
// neither manual nor web page. Codes outside 0 to 3 run untranslated, so they get English.
QString language_folder(int code);

// The places a manual is looked for, in order: "./doc/<folder>/vorn_cli.pdf" from the working
// folder, then the same below the program's folder.
QStringList manual_candidates(const QString &folder);
// The first candidate that exists, or an empty string.
QString find_manual(const QString &folder);

// The folder the program runs from, where the build and the package put "doc/"; tests point
// it elsewhere, an empty path restores the running program's.
void set_program_folder(const QString &path);
QString program_folder();

// The command reference page on the web site the build was configured with.
QString online_address(const QString &folder);

} // namespace help_targets
