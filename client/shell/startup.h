// Start-up steps that main() runs before the login dialog: the program path, the language
// table with its locale and translators, the application style sheet and the bundled fonts.
#pragma once

#include <QString>

class QApplication;
class QTranslator;

namespace startup {

// One row of the language table, by the configuration's language code.
struct language {
    int code;
    const char *locale;      // C run-time locale for all categories
    const char *qt_qm;       // the toolkit's own texts
    const char *app_qm;      // the program's texts
};

// The row for `code`, or nullptr for a code outside 0 to 3.
const language *language_of(int code);

// Sets the locale and loads both catalogues for `code`; an unknown code loads nothing and
// leaves the locale alone. Returns the row used (nullptr for an unknown code).
const language *load_language(int code, QTranslator &qt_tr, QTranslator &app_tr);

// Installs ":/qss/vorn_white-.qss" application-wide; prints "open qss failed." and installs an
// empty sheet when the resource is missing. Returns whether it opened.
bool install_style_sheet(QApplication &app);

// Registers the fonts compiled in under ":/font/" so the editor font is there even when the
// system lacks it, and maps "Source Code Pro" to a fixed-pitch face when it is still missing.
// Returns how many were registered.
int register_fonts();

// Steps 4 to 8 of a run, once the configuration is loaded and the application exists: style
// sheet, translators, the login dialog run modally, the event loop after a login, and the
// configuration written back to `config_path`. Unsaved script text is copied into the folder
// "recovery" beside it. Returns 0 in every case.
int run(QApplication &app, const char *config_path = "config");

// Path the program was started from (argv[0]); read by the language restart and the
// version check.
void set_program_path(const QString &path);
QString program_path();

} // namespace startup
