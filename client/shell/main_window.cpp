// Placeholder main window: keeps the connection values and carries the window title.
#include "shell/main_window.h"

MainWindow::MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
                       QWidget *parent)
    : QMainWindow(parent), ip_(ip), port_(port), user_(user), passwd_(passwd)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("vorn tsdb database gui client"));
    resize(1001, 615);
}
