// The language menu: stores the chosen language, asks whether to restart now and, on Yes,
// restarts the program in the new language.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace language_switch {

// The restart question for a language code, untranslated source text chosen by code.
QString restart_question(int code);

// Checks only the action of `code` (by the order zh, en, fr, jp); other codes check none.
void check_only(const QList<QAction *> &actions, int code);

// Sets sys_config.lang, checks the chosen action and asks (No the default). On Yes
// save_files runs first, as when the window closes (no restart when it reports a failure, so
// no typed text is lost); then the configuration is written to `config_path`, so the new
// process reads the new language and reopens the files, the program is started again and the
// event loop is ended with 0. Returns whether the restart was started.
bool choose(QWidget *parent, int code, const QList<QAction *> &actions,
            const std::function<bool()> &save_files = {},
            const QString &config_path = QStringLiteral("config"));

// Ends the event loop after a restart; tests replace it so their own loops keep running.
void set_exit_hook(std::function<void(int)> hook);

} // namespace language_switch
