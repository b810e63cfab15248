// The database tree: the server's tables and their fields under one root, rebuilt on refresh with
// the selection, the expanded items and the scroll position kept, and the actions and context
// menu that follow the selected item.
#pragma once

#include "db/result_table.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <functional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class db_link;
struct main_actions;

// Table name -> its field names, in server order.
using field_map = QMap<QByteArray, name_list>;

class db_tree : public QObject {
    Q_OBJECT
public:
    enum level { no_item = -1, root_level = 0, table_level = 1, field_level = 2 };

    db_tree(QTreeWidget *tree, db_link *link, QObject *parent = nullptr);

    // Asks the connection thread for "show tables" and "field_of" of every table, then rebuilds
    // the tree and calls then. The item that was current before (same text at the same level,
    // for a field under the same table) becomes current again; a table that is gone loses the
    // selection. Every item keeps its expanded state (new tables come expanded), the root is
    // always expanded and the scroll position stays. A refresh asked while one is under way
    // runs once after it.
    void refresh(std::function<void()> then = {});
    bool refreshing() const { return in_flight_; }

    // Makes the current item's parent current without scrolling the view.
    void select_parent();

    // Fetches the fields of a table item that has none yet and adds them under it.
    void add_fields(QTreeWidgetItem *item);

    // Empties the context menu and disables the table and field actions, then enables and lists
    // the actions that fit the item.
    void apply_selection(const QTreeWidgetItem *item, const main_actions &a);

    static int level_of(const QTreeWidgetItem *item);

    // What the last refresh found; handed to the script editors for completion.
    const name_list &tables() const { return tables_; }
    const field_map &fields() const { return fields_; }

    QTreeWidget *widget() const { return tree_; }

    static const char *root_text() { return "vorn_tsdb"; }

signals:
    // After each rebuild.
    void refreshed();

private:
    struct listing {
        name_list tables;
        field_map fields;
    };
    void rebuild(const listing &l);
    QTreeWidgetItem *add_item(QTreeWidgetItem *parent, const QByteArray &text, const char *icon);

    QTreeWidget *tree_;
    db_link *link_;
    name_list tables_;
    field_map fields_;
    bool in_flight_ = false;
    bool again_ = false;
    std::vector<std::function<void()>> then_;       // for the refresh under way
    std::vector<std::function<void()>> then_next_;  // for the one asked meanwhile
};
