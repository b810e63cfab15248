// Builds the database tree from the server's answers and keeps the selection across rebuilds.
#include "shell/db_tree.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "shell/main_actions.h"

#include <QAction>
#include <QTreeWidget>

namespace {

// What identifies an item across a rebuild: the items themselves are all new.
struct remembered {
    int level = db_tree::no_item;
    QString text;
    QString parent_text;
    bool expanded = false;

    bool matches(int lvl, const QString &t, const QString &parent) const
    {
        return lvl == level && t == text && (lvl != db_tree::field_level || parent == parent_text);
    }
};

void add_separator(QWidget *w)
{
    auto *sep = new QAction(w);
    sep->setSeparator(true);
    w->addAction(sep);
}

} // namespace

db_tree::db_tree(QTreeWidget *tree, db_exec *db, QObject *parent)
    : QObject(parent), tree_(tree), db_(db)
{
}

int db_tree::level_of(const QTreeWidgetItem *item)
{
    if (!item)
        return no_item;
    int level = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

QTreeWidgetItem *db_tree::add_item(QTreeWidgetItem *parent, const QByteArray &text, const char *icon)
{
    auto *item = new QTreeWidgetItem(parent, QStringList{QString::fromUtf8(text)});
    item->setIcon(0, QIcon(QString::fromLatin1(icon)));
    return item;
}

void db_tree::refresh()
{
    remembered old;
    if (QTreeWidgetItem *cur = tree_->currentItem()) {
        old.level = level_of(cur);
        old.text = cur->text(0);
        old.expanded = cur->isExpanded();
        if (cur->parent())
            old.parent_text = cur->parent()->text(0);
    }

    tree_->clear();
    auto *root = new QTreeWidgetItem(tree_, QStringList{QString::fromLatin1(root_text())});
    root->setIcon(0, QIcon(QStringLiteral(":/img/db.svg")));
    QTreeWidgetItem *restore = old.matches(root_level, root->text(0), QString()) ? root : nullptr;

    tables_.clear();
    fields_.clear();
    if (db_)
        show_tables(*db_, tables_);

    for (const QByteArray &table : qAsConst(tables_)) {
        QTreeWidgetItem *t = add_item(root, table, ":/img/tab.svg");
        t->setExpanded(true);
        if (!restore && old.matches(table_level, t->text(0), QString()))
            restore = t;
        name_list names;
        if (db_)
            fields_of(*db_, table, names);
        fields_.insert(table, names);
        for (const QByteArray &field : qAsConst(names)) {
            QTreeWidgetItem *f = add_item(t, field, ":/img/col.svg");
            if (!restore && old.matches(field_level, f->text(0), t->text(0)))
                restore = f;
        }
    }

    if (restore) {
        tree_->setCurrentItem(restore);
        restore->setExpanded(old.expanded);
        for (QTreeWidgetItem *p = restore->parent(); p; p = p->parent())
            p->setExpanded(true);
    }
    root->setExpanded(true);
}

void db_tree::add_fields(QTreeWidgetItem *item)
{
    // Only a table can have fields; asking the server for the fields of the root or of a field
    // would only leave a failed command in the log.
    if (!item || item->childCount() > 0 || level_of(item) != table_level || !db_)
        return;
    const QByteArray table = item->text(0).toUtf8();
    name_list names;
    fields_of(*db_, table, names);
    if (tables_.contains(table))
        fields_.insert(table, names);
    for (const QByteArray &field : qAsConst(names))
        add_item(item, field, ":/img/col.svg");
}

void db_tree::apply_selection(const QTreeWidgetItem *item, const main_actions &a)
{
    for (QAction *act : tree_->actions()) {
        tree_->removeAction(act);
        if (act->isSeparator() && act->parent() == tree_)
            delete act;
    }
    for (QAction *act : a.table_actions() + a.field_actions())
        act->setEnabled(false);

    switch (level_of(item)) {
    case root_level:
        for (QAction *act : {a.refresh, a.create_table, a.reconnect, a.exec_cmd, a.backup, a.restore})
            act->setEnabled(true);
        tree_->addActions({a.refresh, a.create_table, a.reconnect, a.load});
        add_separator(tree_);
        tree_->addActions({a.backup, a.restore});
        add_separator(tree_);
        tree_->addAction(a.exec_cmd);
        add_separator(tree_);
        break;
    case table_level:
        for (QAction *act : a.table_actions())
            act->setEnabled(true);
        tree_->addActions({a.drop_table, a.truncate_table, a.view_cols, a.view_data});
        add_separator(tree_);
        tree_->addActions({a.import_data, a.export_data});
        add_separator(tree_);
        tree_->addAction(a.save);
        break;
    case field_level:
        for (QAction *act : a.field_actions())
            act->setEnabled(true);
        tree_->addActions({a.delete_col, a.rename_col, a.modify_col});
        break;
    default:
        break;
    }
}
