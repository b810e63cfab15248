// Language choice and restart.
#include "shell/language_switch.h"

#include "config/sys_config.h"
#include "common/modal_seam.h"
#include "shell/startup.h"

#include <QAction>

namespace language_switch {

namespace {

std::function<void(int)> &exit_hook()
{
    static std::function<void(int)> hook = [](int code) { QCoreApplication::exit(code); };
    return hook;
}


} // namespace

void set_exit_hook(std::function<void(int)> hook)
{
    exit_hook() = hook ? std::move(hook) : [](int code) { QCoreApplication::exit(code); };
}

QString restart_question(int code)
{
    switch (code) {
    case 0:
        return QCoreApplication::translate(
            "MainWindow", "the language change to Chinese, the application need restart, restart now?");
    case 1:
        return QCoreApplication::translate(
            "MainWindow", "the language change to English, the application need restart, restart now?");
    case 2:
        return QCoreApplication::translate(
            "MainWindow", "the language change to Français, the application need restart, restart now?");
    case 3:
        return QCoreApplication::translate(
            "MainWindow", "the language change to Japanese, the application need restart, restart now?");
    default:
        return QString();
    }
}

void check_only(const QList<QAction *> &actions, int code)
{
    for (int i = 0; i < actions.size(); ++i)
        actions[i]->setChecked(i == code);
}

bool choose(QWidget *parent, int code, const QList<QAction *> &actions, const std::function<bool()> &save_files,
            const QString &config_path)
{
    sys_config.lang = code;
    check_only(actions, code);
    const auto answer = modal_seam::information(
        parent, QCoreApplication::translate("MainWindow", "language changed"), restart_question(code),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    if (save_files && !save_files())
        return false;
    // The new process reads the file as soon as it starts, long before this one would write it
    // at its end.
    sys_config.save(config_path.toStdString());
    if (!modal_seam::start_process(startup::program_path(), {}))
        return false;
    exit_hook()(0);
    return true;
}

} // namespace language_switch
