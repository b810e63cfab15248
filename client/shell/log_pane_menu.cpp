// The log pane's two documents, the one it shows, and its context menu.
#include "shell/log_pane_menu.h"

#include "db/db_exec.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

log_pane_menu::log_pane_menu(QTextEdit *pane, db_exec *db, QObject *parent)
    : QObject(parent), pane_(pane), all_(pane->document())
{
    // Both documents belong to the pane itself: showing one must not destroy the other, which
    // the pane does to a document it made.
    all_->setParent(pane_);
    user_ = new QTextDocument(pane_);
    user_->setDefaultFont(all_->defaultFont());
    user_->setDefaultStyleSheet(all_->defaultStyleSheet());
    user_->setUndoRedoEnabled(false);
    db->set_user_log(user_);

    clear_ = new QAction(tr("clear"), this);
    clear_->setObjectName(QStringLiteral("act_log_clear"));
    connect(clear_, &QAction::triggered, this, &log_pane_menu::clear);
    filter_ = new QAction(tr("only my commands"), this);
    filter_->setObjectName(QStringLiteral("act_log_filter"));
    filter_->setCheckable(true);
    connect(filter_, &QAction::toggled, this, &log_pane_menu::set_filtered);

    pane_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane_, &QTextEdit::customContextMenuRequested, this, &log_pane_menu::popup);
}

bool log_pane_menu::filtered() const
{
    return pane_->document() == user_;
}

QMenu *log_pane_menu::make_menu()
{
    QMenu *menu = pane_->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("log_menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addAction(clear_);
    menu->addAction(filter_);
    return menu;
}

void log_pane_menu::popup(const QPoint &pos)
{
    make_menu()->popup(pane_->viewport()->mapToGlobal(pos));
}

void log_pane_menu::clear()
{
    all_->clear();
    user_->clear();
}

void log_pane_menu::set_filtered(bool on)
{
    if (filter_->isChecked() != on)
        filter_->setChecked(on);   // comes back here through toggled
    QTextDocument *shown = on ? user_ : all_;
    if (pane_->document() == shown)
        return;
    pane_->setDocument(shown);
    // The newest entry stands on top.
    pane_->verticalScrollBar()->setValue(0);
}
