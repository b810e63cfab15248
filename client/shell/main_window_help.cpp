// The help menu of the main window and the dialogs the window runs modally: the manual and the
// online command reference by language, about, the version check, preferences and the cluster
// manager.
#include "shell/main_window.h"

#include "editor/sys_config.h"
#include "common/modal_seam.h"

#include <QDir>

namespace {

// Where the command reference lives on the web; the path below it depends on the language.
const char reference_site[] = "https://www.vorn-tsdb.example";

const char *language_folder(int code)
{
    switch (code) {
    case 0: return "zh";
    case 1: return "en";
    case 2: return "fr";
    default: return nullptr; // no manual exists for any other language
    }
}

// The system's opener of documents and addresses.
QString opener()
{
#ifdef _WIN32
    return QStringLiteral("explorer");
#else
    return QStringLiteral("xdg-open");
#endif
}

} // namespace

void MainWindow::help_local()
{
    if (const char *folder = language_folder(sys_config.lang))
        modal_seam::start_process(opener(),
                                  {QDir::toNativeSeparators(QStringLiteral("./doc/%1/vorn_cli.pdf").arg(QLatin1String(folder)))});
}

void MainWindow::help_online()
{
    if (const char *folder = language_folder(sys_config.lang))
        modal_seam::start_process(opener(),
                                  {QStringLiteral("%1/%2/cmd_ref_0.2.1.html")
                                       .arg(QLatin1String(reference_site), QLatin1String(folder))});
}

// The about dialog, the version check, the preferences and the cluster manager are separate
// windows that are not there yet.
void MainWindow::about() {}
void MainWindow::update() {}
void MainWindow::preference() {}
void MainWindow::cluster() {}
