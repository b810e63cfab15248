// Entry point of the client: configuration, style sheet, translators, login, event loop, and
// the configuration written back at the end.
#include "editor/sys_config.h"
#include "shell/login_dlg.h"
#include "shell/modal_seam.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    startup::set_program_path(QString::fromLocal8Bit(argc > 0 ? argv[0] : ""));
    sys_config.load("config");

    auto *app = new QApplication(argc, argv);
    startup::register_fonts();
    startup::install_style_sheet(*app);

    QTranslator qt_tr;
    QTranslator app_tr;
    startup::load_language(sys_config.lang, qt_tr, app_tr);
    app->installTranslator(&qt_tr);
    app->installTranslator(&app_tr);

    auto *dlg = new login_dlg();
    if (modal_seam::exec_dialog(dlg) == QDialog::Accepted)
        app->exec();

    sys_config.save("config");

    // The main window stays alive until the process ends, as its owner (the dialog) only
    // keeps a pointer to it.
    delete dlg;
    app->removeTranslator(&app_tr);
    app->removeTranslator(&qt_tr);
    delete app;
    return 0;
}
