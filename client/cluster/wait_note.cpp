// The wait line: shown after a short delay, then the seconds go up once a second.
#include "cluster/wait_note.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

wait_note::wait_note(QWidget *parent) : QWidget(parent)
{
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lbl_wait"));
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 0);   // no known end: the bar only moves
    bar_->setTextVisible(false);
    bar_->setMaximumWidth(120);
    bar_->setMaximumHeight(label_->sizeHint().height());
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(bar_);
    row->addWidget(label_, 1);
    setVisible(false);
    ticker_.setInterval(show_after_ms);
    connect(&ticker_, &QTimer::timeout, this, &wait_note::tick);
}

void wait_note::start(const QString &what)
{
    what_ = what;
    clock_.start();
    ticker_.setInterval(show_after_ms);
    ticker_.start();
}

void wait_note::stop()
{
    ticker_.stop();
    clock_.invalidate();
    setVisible(false);
}

void wait_note::tick()
{
    ticker_.setInterval(1000);
    label_->setText(tr("%1 (%2 s)").arg(what_).arg(clock_.elapsed() / 1000));
    setVisible(true);
}
