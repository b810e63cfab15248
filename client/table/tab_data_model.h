// The editable grid model behind the data view and the script editor's result tabs: takes one
// query's result, tracks edited cells and added rows, styles them, and turns them into the
// "push into" and "update" commands. Reading a result happens apart from the model (fetch, on
// the thread that holds the connection); the model takes what was read in one step.
#pragma once

#include "db/cmd_texts.h"
#include "db/db_link.h"
#include "table/column_store.h"
#include "table/dbl_val_item.h"
#include "table/item_dlgt.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QMap>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

class db_exec;

// One query's result in the grid's column storage, read where the connection is.
struct grid_data {
    db_status status;           // how the command ended
    QByteArray log_line;        // the command's log line (also when it ran quietly)
    bool filled = false;        // the result gave the grid its columns
    name_list names, types;     // the columns, when filled
    std::vector<column_store> stores;
    std::vector<uint64_t> sids; // by row
    std::vector<std::size_t> order;
};

// The rows of a further query, for a grid that has its columns already.
struct grid_rows {
    db_status status;
    name_list names;
    std::vector<value_kind> kinds; // of the first row; none without rows
    std::vector<column_store> stores;
    std::vector<uint64_t> sids;
};

// How sending a list of commands ended.
struct sent_commands {
    db_status status;     // of the command that failed, else a success
    int done = 0;         // commands that went and succeeded
    int total = 0;
    bool cancelled = false;
};

class tab_data_model : public QAbstractItemModel {
    Q_OBJECT
public:
    // table names the table the grid's rows come from (may be empty).
    explicit tab_data_model(const QByteArray &table, QObject *parent = nullptr);
    ~tab_data_model() override;

    // Runs cmd through db (logged unless quiet) and reads its result into column storage;
    // without column types in the result, the table's field list supplies them. Touches no
    // model: runs on the connection thread.
    static grid_data fetch(db_exec &db, const QByteArray &table, const QByteArray &cmd, int quiet = 0);
    // A result without rows carries no types; the table's field list has them, matched by name
    // so that a view of some of the fields still gets the right ones. False when the list
    // cannot be read.
    static bool types_from_fields(db_exec &db, const QByteArray &table, const name_list &names, name_list &types);
    // Replaces the whole grid with what fetch read, in one reset: an empty grid when the command
    // failed or the result gave no columns. Costs no work per row.
    void take(grid_data &&data);
    // fetch and take on the calling thread, for callers that hold their thread's connection
    // (tools, benchmarks, tests). filled receives whether the grid got its columns. False when
    // the command failed.
    bool load_result(db_exec &db, const QByteArray &cmd, int quiet = 0, bool *filled = nullptr,
                     QByteArray *log_line = nullptr);

    enum class append_status { done, query_failed, columns_differ, added_rows_pending };
    // Runs cmd (logged unless quiet) for rows to add to a grid; the connection thread's half of
    // append_rows.
    static grid_rows fetch_rows(db_exec &db, const QByteArray &cmd, int quiet = 0);
    // Adds fetched rows to the loaded grid without a reset, as loaded rows. Rows whose
    // identifier the grid already holds are skipped. While the grid is sorted, each row goes
    // where the sort puts it. Nothing is added while added rows wait to be applied; a result
    // with other columns than the grid's adds nothing. appended receives the number added.
    append_status take_rows(grid_rows &&rows, int *appended = nullptr);
    // Whether added rows wait to be applied (rows may not be appended then).
    bool added_rows_pending() const;
    // fetch_rows and take_rows on the calling thread; nothing is run while added rows wait.
    append_status append_rows(db_exec &db, const QByteArray &cmd, int quiet = 0, int *appended = nullptr);

    // Runs commands in order through db (each logged), stopping at the first failure. Before each
    // command stop is read (set: the run ends there, cancelled); after each, done is raised.
    // For the connection thread; touches no model.
    static sent_commands send_commands(db_exec &db, const QList<QByteArray> &commands,
                                       const std::atomic<bool> *stop = nullptr, std::atomic<int> *done = nullptr);
    // The commands of the pending edits, in row order: what Apply sends.
    QList<QByteArray> pending_commands() const;
    // An update names its row by time point, so it changes every row of that time point.
    struct shared_update {
        int row = 0;          // grid row of the edit
        int rows_changed = 0; // loaded rows of its time point, the edited one included
    };
    // The edited rows whose time point other loaded rows share, in row order.
    QList<shared_update> shared_time_point_updates() const;

    void set_read_only(bool on);
    void set_display_mode(value_text::display_mode mode);
    value_text::display_mode display_mode() const { return mode_; }

    // The cell's search mark, or null outside the grid. The flag stays where it is while rows
    // are sorted or added; a marked cell shows a yellow background.
    bool *mark_of(int row, int column);
    // Takes every search mark away; an edited cell shows its dark green again.
    void clear_marks();
    QByteArray display_text_of(const QModelIndex &index) const;
    QByteArray type_of(int column) const;
    QVariant from_text(const QString &text, int column) const;
    item_dlgt *delegate_of(int column) const;
    const QByteArray &table() const { return table_; }
    // The row's __id; all bits set for a row added in the grid.
    uint64_t sid_of_row(int row) const;
    // The first column named "time point", or -1.
    int time_point_column() const { return time_point_col_; }
    int changed_count() const { return int(changed_items_.size()); }
    int new_count() const { return int(new_items_.size()); }
    // The cell's item when one exists (edited, marked or added cells), else null.
    dbl_val_item *item_at(int row, int column) const;
    // Typed reads for charts, from the column storage or the cell's edited value: a number for
    // the integer and floating columns (ok false elsewhere, outside the grid or for an invalid
    // value); a date or date and time as wall-clock nanoseconds since 1970-01-01.
    double number_at(int row, int col, bool *ok) const;
    bool time_ns_at(int row, int col, qint64 *ns) const;
    // The stored values of a column, for a reader on another thread; they stay as they are
    // while the reader holds them. Null unless every grid row r is storage row r and no cell
    // was edited, added or marked: only then are the stored values what the grid shows.
    std::shared_ptr<const column_store> stored_values(int col) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The column of the last sort since the grid was loaded, or -1: the rows are then in the
    // order they were loaded and added in.
    int sort_column() const { return sort_column_; }
    Qt::SortOrder sort_order() const { return sort_order_; }

signals:
    void changed(const bool &pending);

private:
    // What a cell has beyond its stored value; only cells that were edited, marked or added
    // have one.
    struct cell_extra {
        bool marked = false;
        dbl_val_item *item = nullptr;
    };
    struct column {
        value_kind kind = value_kind::none;
        item_dlgt *delegate = nullptr;
        std::unique_ptr<dbl_val_item> header;
        // Shared with readers on other threads (the chart's time order), who see it unchanged:
        // rows are appended to a copy while it is shared.
        std::shared_ptr<column_store> store;
        std::unordered_map<std::size_t, cell_extra> extras; // by storage row
    };

    void clear_grid();
    // The column's storage for appending: a copy first while others read it.
    static column_store &own_store(column &c);
    bool inside(int row, int col) const;
    std::size_t storage_row(int row) const { return order_[std::size_t(row)]; }
    const cell_extra *extra_at(int row, int col) const;
    dbl_val_item *ensure_item(int row, int col);
    QVariant value_at(int row, int col) const;
    QString header_text(int col) const;
    void emit_changed();
    void add_column(const QByteArray &name, const QByteArray &type);
    bool is_new_row(int row) const;
    // Whether a sits before b in an ascending sort of a column of kind k.
    static bool sorts_before(const QVariant &a, const QVariant &b, value_kind k);
    // The text after " at " of the row's command: an edited row is found by the time point it
    // was loaded with.
    QByteArray at_time_point(int row) const;

    QByteArray table_;
    std::vector<column> columns_;
    std::vector<std::size_t> order_; // grid row -> storage row
    std::vector<uint64_t> sids_;     // by grid row
    std::size_t loaded_rows_ = 0;    // storage rows below this came from the server
    int time_point_col_ = -1;
    std::map<QByteArray, item_dlgt *> delegate_map_;
    std::set<dbl_val_item *> changed_items_;
    std::set<dbl_val_item *> new_items_;
    value_text::display_mode mode_ = value_text::display_mode::decimal;
    int sort_column_ = -1;
    Qt::SortOrder sort_order_ = Qt::AscendingOrder;
};

// A column name as the header shows it and commands name it: "[name]" without its brackets.
QString shown_name(const QString &name);
// The value a new cell of the type starts with; invalid for an unknown type name.
QVariant default_value(const QByteArray &type_name);
// The icon ":/img/type_<type>.svg" of a grid type name; an empty icon for another name.
class QIcon;
QIcon type_icon(const QByteArray &type_name);
using cmd_texts::literal_for;
