// Entry point of the client: the configuration is read before the application object exists,
// then start-up runs the login and the event loop and writes the configuration back.
#include "editor/sys_config.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    startup::set_program_path(QString::fromLocal8Bit(argc > 0 ? argv[0] : ""));
    sys_config.load("config");
    QApplication app(argc, argv);
    startup::register_fonts();
    return startup::run(app);
}
