// The two path groups the file dialogs share: the server path (checked at start) and the client
// path with its "..." chooser (unchecked at start); the dialogs keep them exclusive.
#pragma once

#include <QString>

class QGroupBox;
class QLineEdit;
class QToolButton;
class QVBoxLayout;
class QWidget;

struct path_groups {
    QGroupBox *s_gb = nullptr;
    QLineEdit *s_path_le = nullptr;
    QGroupBox *c_gb = nullptr;
    QLineEdit *c_path_le = nullptr;
    QToolButton *path_tb = nullptr;
};

// Adds both groups to top. client_label is the object name of the client group's "Path" label
// (the dialogs' forms name it differently).
path_groups add_path_groups(QWidget *owner, QVBoxLayout *top, const QString &server_title, const char *client_label);
