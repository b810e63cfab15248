// Layout of the about dialog: logo, description, version line and an OK button.
#include "shell/about_dlg.h"

#include "common/log_file_wt.h"
#include "shell/update_check.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
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
    logo->setPixmap(logo_tile());
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

QPixmap about_dlg::logo_tile()
{
    // The logo is white on the login dialog's blue; on a light dialog it needs that blue under it.
    constexpr int edge = 96;
    QPixmap tile(edge, edge);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(132, 171, 204));
    p.drawRoundedRect(QRectF(0, 0, edge, edge), 14, 14);
    const QPixmap logo(QStringLiteral(":/img/logo.png"));
    if (!logo.isNull())
        p.drawPixmap(QRect(6, 6, edge - 12, edge - 12),
                     logo.scaled(edge - 12, edge - 12, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return tile;
}

QString about_dlg::version_line()
{
    return tr("Version: %1, Build Date: %2")
        .arg(QStringLiteral("%1.%2.%3").arg(version::major).arg(version::minor).arg(version::patch),
             QLatin1String(build_date));
}
