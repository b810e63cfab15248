// The wait notice: follows the connection thread's wait signals.
#include "common/wait_notice.h"

#include "db/db_link.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

wait_notice::wait_notice(db_link *link, QObject *owner, QWidget *parent)
    : QWidget(parent), link_(link), owner_(owner), filtered_(owner != nullptr)
{
    setObjectName(QStringLiteral("wait_notice"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(6);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lbl_wait"));
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("pb_cancel_wait"));
    cancel_->setToolTip(tr("stop waiting: the connection is closed and can be made again"));
    row->addWidget(label_);
    row->addWidget(cancel_);
    hide();
    if (!link)
        return;
    connect(cancel_, &QPushButton::clicked, link, &db_link::cancel);
    connect(link, &db_link::wait_started, this, [this](QObject *asker) { show_wait(asker, 0); });
    connect(link, &db_link::wait_tick, this, &wait_notice::show_wait);
    connect(link, &db_link::wait_ended, this, &wait_notice::end_wait);
    connect(link, &db_link::cancelled, this, &QWidget::hide);
    if (link->waiting())
        show_wait(link->waiting_asker(), link->waited_seconds());
}

bool wait_notice::mine(QObject *asker) const
{
    if (!filtered_)
        return true;
    if (!owner_)
        return false;
    for (QObject *o = asker; o; o = o->parent())
        if (o == owner_)
            return true;
    return false;
}

void wait_notice::show_wait(QObject *asker, int seconds)
{
    if (!mine(asker))
        return;
    retranslate(seconds);
    show();
}

void wait_notice::end_wait(QObject *)
{
    hide();
}

void wait_notice::retranslate(int seconds)
{
    label_->setText(tr("waiting for the server's answer: %1 s").arg(seconds));
}
