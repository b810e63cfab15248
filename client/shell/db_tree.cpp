// Builds the database tree from the server's answers and keeps the selection across rebuilds.
#include "shell/db_tree.h"

#include "db/cmd_builders.h"
#include "db/db_link.h"
#include "shell/main_actions.h"

#include <QAction>
#include <QScrollBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <set>
#include <tuple>

namespace {

// What identifies an item across a rebuild: the items themselves are all new.
struct item_key {
    int level = db_tree::no_item;
    QString text;
    QString parent_text;

    bool operator<(const item_key &o) const
    {
        return std::tie(level, text, parent_text) < std::tie(o.level, o.text, o.parent_text);
    }
};

item_key key_of(const QTreeWidgetItem *item)
{
    item_key k;
    k.level = db_tree::level_of(item);
    k.text = item->text(0);
    if (k.level == db_tree::field_level && item->parent())
        k.parent_text = item->parent()->text(0);
    return k;
}

void add_separator(QWidget *w)
{
    auto *sep = new QAction(w);
    sep->setSeparator(true);
    w->addAction(sep);
}

} // namespace

db_tree::db_tree(QTreeWidget *tree, db_link *link, QObject *parent)
    : QObject(parent), tree_(tree), link_(link)
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

void db_tree::refresh(std::function<void()> then)
{
    if (in_flight_) {
        again_ = true;
        if (then)
            then_next_.push_back(std::move(then));
        return;
    }
    if (then)
        then_.push_back(std::move(then));
    if (!link_) {
        rebuild(listing{});
        return;
    }
    in_flight_ = true;
    link_->post(this, [](db_exec &db) {
        // The program's own look at the server: a filtered log leaves it out.
        db.set_background(true);
        listing l;
        show_tables(db, l.tables);
        for (const QByteArray &table : qAsConst(l.tables)) {
            name_list names;
            fields_of(db, table, names);
            l.fields.insert(table, names);
        }
        return l;
    }, [this](const listing &l) {
        in_flight_ = false;
        rebuild(l);
        if (again_) {
            again_ = false;
            then_.swap(then_next_);
            then_next_.clear();
            refresh();
        }
    });
}

void db_tree::rebuild(const listing &l)
{
    std::set<item_key> collapsed;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (!(*it)->isExpanded())
            collapsed.insert(key_of(*it));
    const QTreeWidgetItem *cur = tree_->currentItem();
    const bool had_current = cur != nullptr;
    const item_key current = cur ? key_of(cur) : item_key{};
    const int scroll = tree_->verticalScrollBar()->value();

    // Signals stay off while the items change hands, so the window hears of one selection only.
    const bool was_blocked = tree_->blockSignals(true);
    tree_->clear();
    auto *root = new QTreeWidgetItem(tree_, QStringList{QString::fromLatin1(root_text())});
    root->setIcon(0, QIcon(QStringLiteral(":/img/db.svg")));
    QTreeWidgetItem *restore = had_current && key_of(root).level == current.level &&
                                       root->text(0) == current.text ? root : nullptr;
    tables_ = l.tables;
    fields_ = l.fields;
    for (const QByteArray &table : qAsConst(tables_)) {
        QTreeWidgetItem *t = add_item(root, table, ":/img/tab.svg");
        const item_key tk = key_of(t);
        if (!restore && had_current && !(tk < current) && !(current < tk))
            restore = t;
        for (const QByteArray &field : fields_.value(table)) {
            QTreeWidgetItem *f = add_item(t, field, ":/img/col.svg");
            const item_key fk = key_of(f);
            if (!restore && had_current && !(fk < current) && !(current < fk))
                restore = f;
        }
        // A table the user folded stays folded; one not seen before comes unfolded.
        t->setExpanded(!collapsed.count(tk));
    }
    root->setExpanded(true);
    if (restore) {
        for (QTreeWidgetItem *p = restore->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree_->setCurrentItem(restore);
    } else {
        // A view that has items picks a current one by itself; the user picked none.
        tree_->setCurrentIndex(QModelIndex());
    }
    tree_->blockSignals(was_blocked);
    // The new items are laid out later; the scroll bar only takes the old position once its range
    // holds it, so the layout goes first.
    tree_->doItemsLayout();
    tree_->verticalScrollBar()->setValue(scroll);

    std::vector<std::function<void()>> done;
    done.swap(then_);
    for (auto &f : done)
        f();
    emit refreshed();
}

void db_tree::select_parent()
{
    QTreeWidgetItem *cur = tree_->currentItem();
    if (!cur || !cur->parent())
        return;
    // The parent may be far above: the view stays where the user was looking.
    const int scroll = tree_->verticalScrollBar()->value();
    tree_->setCurrentItem(cur->parent());
    tree_->verticalScrollBar()->setValue(scroll);
}

void db_tree::add_fields(QTreeWidgetItem *item)
{
    // Only a table can have fields; asking the server for the fields of the root or of a field
    // would only leave a failed command in the log.
    if (!item || item->childCount() > 0 || level_of(item) != table_level || !link_)
        return;
    const QByteArray table = item->text(0).toUtf8();
    link_->post(this, [table](db_exec &db) {
        name_list names;
        fields_of(db, table, names);
        return names;
    }, [this, table](const name_list &names) {
        // The tree may have been rebuilt meanwhile: the fields go under the table's item of now.
        QTreeWidgetItem *root = tree_->topLevelItemCount() > 0 ? tree_->topLevelItem(0) : nullptr;
        for (int i = 0; root && i < root->childCount(); ++i) {
            QTreeWidgetItem *t = root->child(i);
            if (t->text(0).toUtf8() != table || t->childCount() > 0)
                continue;
            if (tables_.contains(table))
                fields_.insert(table, names);
            for (const QByteArray &field : names)
                add_item(t, field, ":/img/col.svg");
        }
    });
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
        tree_->addActions({a.drop_table, a.truncate_table, a.view_cols, a.new_field, a.view_data});
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
