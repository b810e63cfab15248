// Layout of the about dialog: logo, description, version line and an OK button.
#include "shell/about_dlg.h"

#include "common/log_file_wt.h"
#include "shell/update_check.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
const char build_date[] = "2024-01-18";
}

about_dlg::about_dlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("about_dlg"));
    setWindowTitle(tr("about vorn tsdb client"));
    // A message, not a window to arrange: only the title and the close button.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("lbl_logo"));
    const QPixmap pix(QStringLiteral(":/img/logo.png"));
    if (!pix.isNull())
        logo->setPixmap(pix.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *text = new QLabel(tr("About: time sequence database client is GUI client develop by vorn time "
                               "sequence database team."),
                            this);
    text->setObjectName(QStringLiteral("lbl_about"));
    text->setWordWrap(true);
    text->setMinimumWidth(320);

    auto *ver = new QLabel(version_line(), this);
    ver->setObjectName(QStringLiteral("lbl_version"));
    ver->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *texts = new QVBoxLayout;
    texts->addWidget(text);
    texts->addSpacing(8);
    texts->addWidget(ver);
    texts->addStretch(1);

    auto *row = new QHBoxLayout;
    row->addWidget(logo);
    row->addSpacing(12);
    row->addLayout(texts, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(row, 1);
    lay->addWidget(new log_file_wt(this));
    lay->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(440, 170)));
}

QString about_dlg::version_line()
{
    return tr("Version: %1, Build Date: %2")
        .arg(QStringLiteral("%1.%2.%3").arg(version::major).arg(version::minor).arg(version::patch),
             QLatin1String(build_date));
}
