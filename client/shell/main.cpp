// Entry point of the client: the log starts first, the configuration is read before the
// application object exists, then start-up runs the login and the event loop and writes the
// configuration back.
#include "db/client_log.h"
#include "config/sys_config.h"
#include "shell/startup.h"
#include "shell/update_check.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    client_log::start_program();
    startup::set_program_path(QString::fromLocal8Bit(argc > 0 ? argv[0] : ""));
    const QString config_unreadable = client_log::why_unreadable(QStringLiteral("config"));
    sys_config.load("config");
    QApplication app(argc, argv);
    client_log::started(QStringLiteral("%1.%2.%3").arg(version::major).arg(version::minor).arg(version::patch),
                        QStringLiteral("config"), config_unreadable);
    startup::register_fonts();
    const int rc = startup::run(app);
    log_info("vorn_tsdb_cli ends (%d)", rc);
    return rc;
}
