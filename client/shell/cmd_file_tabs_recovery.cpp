// Recovery copies of the script tabs: written a moment after the typing pauses, removed by saves,
// closes and a clean end, and offered back after a start that followed a crash or a kill.
#include "shell/cmd_file_tabs.h"

#include "common/modal_seam.h"
#include "shell/script_recovery.h"
#include "shell/tab_area.h"

#include <QDateTime>

void cmd_file_tabs::note_edit(QWidget *page)
{
    if (!recovery_->active() || !page)
        return;
    if (!uncopied_.contains(page))
        uncopied_.append(page);
    if (!first_uncopied_.isValid())
        first_uncopied_.start();
    // Steady typing postpones the copy, but never for long.
    const qint64 left = copy_delay_max_ms - first_uncopied_.elapsed();
    copy_timer_.start(int(qBound<qint64>(0, left, copy_delay_ms)));
}

void cmd_file_tabs::write_copies()
{
    copy_timer_.stop();
    first_uncopied_.invalidate();
    const QList<QPointer<QWidget>> pages = uncopied_;
    uncopied_.clear();
    for (const QPointer<QWidget> &page : pages) {
        if (!page || !is_script(page))
            continue;
        const QByteArray path = path_of(page);
        if (path.isEmpty())
            continue;
        if (hooks_.modified(page))
            recovery_->keep(path, hooks_.text(page));
        else
            recovery_->drop(path);
    }
}

void cmd_file_tabs::end_session()
{
    copy_timer_.stop();
    uncopied_.clear();
    first_uncopied_.invalidate();
    recovery_->finish();
}

QString cmd_file_tabs::age_text(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    if (seconds < 120)
        return tr("%n second(s)", nullptr, int(seconds));
    if (seconds < 120 * 60)
        return tr("%n minute(s)", nullptr, int(seconds / 60));
    if (seconds < 48 * 3600)
        return tr("%n hour(s)", nullptr, int(seconds / 3600));
    return tr("%n day(s)", nullptr, int(qMin<qint64>(seconds / 86400, INT_MAX)));
}

void cmd_file_tabs::offer_left_copies()
{
    const QDateTime now = QDateTime::currentDateTime();
    for (const script_recovery::left_copy &copy : recovery_->take_left()) {
        const QString path = QString::fromUtf8(copy.path);
        const auto answer = modal_seam::question(
            dialog_parent_, tr("restore unsaved changes"),
            tr("the client ended without saving the changes of \"%1\" (last change %2 ago).\n%3\n"
               "Yes puts them into its tab, where they wait to be saved; No discards them.")
                .arg(file_name_of(copy.path), age_text(copy.written.secsTo(now)), path),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            QWidget *page = open_path(copy.path);
            hooks_.restore(page, copy.text);
            // This client's own copy first: a kill right now still leaves the text somewhere.
            if (!hooks_.modified(page) || recovery_->keep(copy.path, hooks_.text(page)))
                recovery_->forget(copy);
            continue;
        }
        recovery_->forget(copy);
    }
}
