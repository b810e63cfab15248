// The log file's row: its path (selectable, to copy into a mail) and the folder button, which
// is off when the program logs into no file.
#include "common/log_file_wt.h"

#include "common/modal_seam.h"
#include "support/log/log_control.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

log_file_wt::log_file_wt(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("log_file_wt"));
    const QString file = QString::fromStdString(vorn_log::file_path());
    path_ = new QLabel(file.isEmpty() ? tr("Log file: none (logging into a file is off)")
                                      : tr("Log file: %1").arg(QDir::toNativeSeparators(file)),
                       this);
    path_->setObjectName(QStringLiteral("lbl_log_file"));
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A path broken at one of its slashes reads as two; the box grows to the path instead.
    open_ = new QPushButton(tr("open log folder(&l)"), this);
    open_->setObjectName(QStringLiteral("pb_log_folder"));
    open_->setAutoDefault(false);
    open_->setEnabled(!file.isEmpty());
    connect(open_, &QPushButton::clicked, this, &log_file_wt::open_folder);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(path_, 1);
    row->addWidget(open_);
}

QString log_file_wt::folder_opener()
{
#ifdef _WIN32
    return QStringLiteral("explorer");
#else
    return QStringLiteral("xdg-open");
#endif
}

bool log_file_wt::open_folder()
{
    const QString file = QString::fromStdString(vorn_log::file_path());
    if (file.isEmpty())
        return false;
    const QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    if (modal_seam::start_process(folder_opener(), {folder}))
        return true;
    modal_seam::information(this, tr("log file information"), tr("open the folder '%1' failed!").arg(folder));
    return false;
}
