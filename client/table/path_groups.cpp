// Builds the server and client path groups of the file dialogs.
#include "table/path_groups.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QGroupBox *group(QWidget *owner, const QString &title, const char *name, bool checked)
{
    auto *gb = new QGroupBox(title, owner);
    gb->setObjectName(QLatin1String(name));
    gb->setCheckable(true);
    gb->setChecked(checked);
    return gb;
}

QLineEdit *path_row(QGroupBox *gb, const char *label_name, const char *edit_name)
{
    auto *lay = new QHBoxLayout(gb);
    auto *label = new QLabel(QCoreApplication::translate("path_groups", "Path"), gb);
    label->setObjectName(QLatin1String(label_name));
    auto *edit = new QLineEdit(gb);
    edit->setObjectName(QLatin1String(edit_name));
    lay->addWidget(label);
    lay->addWidget(edit);
    return edit;
}

} // namespace

path_groups add_path_groups(QWidget *owner, QVBoxLayout *top, const QString &server_title, const char *client_label)
{
    path_groups g;
    g.s_gb = group(owner, server_title, "s_gb", true);
    g.s_path_le = path_row(g.s_gb, "label_3", "s_path_le");
    top->addWidget(g.s_gb);

    g.c_gb = group(owner, QCoreApplication::translate("path_groups", "Client"), "c_gb", false);
    g.c_path_le = path_row(g.c_gb, client_label, "c_path_le");
    g.path_tb = new QToolButton(g.c_gb);
    g.path_tb->setObjectName(QStringLiteral("path_tb"));
    g.path_tb->setText(QStringLiteral("..."));
    g.c_gb->layout()->addWidget(g.path_tb);
    top->addWidget(g.c_gb);
    return g;
}
