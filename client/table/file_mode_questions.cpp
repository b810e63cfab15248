// Texts and answers of the client-mode and replace-mode warnings of the file dialogs.
#include "table/file_mode_questions.h"

#include "common/modal_seam.h"

#include <QCoreApplication>

namespace file_mode_questions {

namespace {
QString tr(const char *text) { return QCoreApplication::translate("file_mode_questions", text); }
} // namespace

bool client_mode(QWidget *parent, bool load)
{
    const QString text = load
        ? tr("note: change to client mode will use <span style='color:orange'>big memory</span> for transform, "
             "should not use for <span style='color:orange'>big data</span>, do you want to continue?")
        : tr("note: change to client mode will use <span style='color:orange'>big memory</span> store all data "
             "for transform, should not use for <span style='color:orange'>big data</span>, do you want to continue?");
    return modal_seam::warning(parent, tr("client mode information"), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

bool replace_mode(QWidget *parent)
{
    return modal_seam::warning(parent, tr("replace mode information"),
                               tr("note: the replace mode will <span style='color:orange'>replace exists file</span>, "
                                  "continue?"),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace file_mode_questions
