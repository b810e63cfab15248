// The about dialog: what the program is, its version and build date.
#pragma once

#include <QDialog>
#include <QPixmap>

class about_dlg : public QDialog {
    Q_OBJECT
public:
    explicit about_dlg(QWidget *parent = nullptr);

    // "Version: 0.2.2, Build Date: 2024-01-18", translated.
    static QString version_line();
    // The logo on a tile of the login dialog's blue, 96 pixels square.
    static QPixmap logo_tile();
};
