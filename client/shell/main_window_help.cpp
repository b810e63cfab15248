// The help menu of the main window and the dialogs the window runs modally: the manual and the
// online command reference by language, about, the version check, preferences and the cluster
// manager. What the user is told goes through the modal seam.
#include "shell/main_window.h"

#include "cluster/cluster_dlg.h"
#include "common/modal_seam.h"
#include "config/sys_config.h"
#include "config/sys_pre_dlg.h"
#include "shell/about_dlg.h"
#include "shell/help_targets.h"
#include "shell/platform_open.h"
#include "shell/update_check.h"

#include <QDir>

// Japanese has neither manual nor web page: the user may take the English one instead.
static QString folder_or_english(MainWindow *w, const QString &title, const QString &question)
{
    const QString folder = help_targets::language_folder(sys_config.lang);
    if (!folder.isEmpty())
        return folder;
    if (modal_seam::question(w, title, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return QString();
    return help_targets::language_folder(1);
}

void MainWindow::help_local()
{
    const QString title = tr("local help information");
    const QString folder =
        folder_or_english(this, title, tr("there is no Japanese manual, do you want to open the English manual?"));
    if (folder.isEmpty())
        return;
    const QString path = help_targets::find_manual(folder);
    if (path.isEmpty()) {
        modal_seam::information(this, title, tr("the manual file '%1' is not found!")
                                                 .arg(QDir::toNativeSeparators(help_targets::manual_candidates(folder).first())));
        return;
    }
    if (!platform_open::document(path))
        modal_seam::information(this, title, tr("open the manual file '%1' failed!").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::help_online()
{
    const QString title = tr("online reference information");
    const QString folder = folder_or_english(
        this, title, tr("there is no Japanese command reference, do you want to open the English one?"));
    if (folder.isEmpty())
        return;
    const QString url = help_targets::online_address(folder);
    if (!platform_open::address(url))
        modal_seam::information(this, title, tr("open the address '%1' failed!").arg(url));
}

void MainWindow::about()
{
    about_dlg dlg(this);
    modal_seam::exec_dialog(&dlg);
}

void MainWindow::update()
{
    // One check at a time; the running one will still give its answer.
    for (update_check *c : findChildren<update_check *>(QString(), Qt::FindDirectChildrenOnly))
        if (c->running())
            return;
    auto *check = new update_check(this);
    connect(check, &update_check::finished, this, [this, check](update_check::outcome result) {
        check->deleteLater();
        QString text = tr("check version failed!");
        if (result == update_check::outcome::newer)
            text = tr("there is new version, please update from website!");
        else if (result == update_check::outcome::latest)
            text = tr("the current version is latest version!");
        modal_seam::information(this, tr("version infomation"), text);
    });
    check->start();
}

// The dialog writes into the live configuration and puts it back itself on cancel.
void MainWindow::preference()
{
    sys_pre_dlg dlg(this);
    modal_seam::exec_dialog(&dlg);
}

// The node manager reaches no master until the user asks it to, so opening it never waits.
void MainWindow::cluster()
{
    cluster_dlg dlg(this);
    modal_seam::exec_dialog(&dlg);
}
