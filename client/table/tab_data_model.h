// The editable grid model behind the data view and the script editor's result tabs: loads one
// query's result, tracks edited cells and added rows, styles them, and turns them into the
// "push into" and "update" commands it runs through the execution wrapper.
#pragma once

#include "table/column_store.h"
#include "table/dbl_val_item.h"
#include "table/item_dlgt.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QMap>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

class db_exec;

class tab_data_model : public QAbstractItemModel {
    Q_OBJECT
public:
    tab_data_model(const QByteArray &table, db_exec *exec, QObject *parent = nullptr);
    ~tab_data_model() override;

    // Runs cmd (logged unless quiet) and replaces the whole grid with its result; without
    // column types in the result, the table's field list supplies them. filled, when given,
    // receives whether the grid got its columns. False when the command failed.
    bool load_result(const QByteArray &cmd, int quiet = 0, bool *filled = nullptr,
                     QByteArray *log_line = nullptr);
    enum class append_status { done, query_failed, columns_differ, added_rows_pending };
    // Runs cmd (logged unless quiet) and adds its rows to the loaded grid without a reset, as
    // loaded rows. Rows whose identifier the grid already holds are skipped. While the grid is
    // sorted, each row goes where the sort puts it. Nothing is run while added rows wait to be
    // applied; a result with other columns than the grid's adds nothing. appended receives the
    // number of rows added.
    append_status append_rows(const QByteArray &cmd, int quiet = 0, int *appended = nullptr);
    // Runs the commands of the pending edits in row order, stopping at the first failure.
    // True when all ran (also when there was nothing to run). The grid is not reset.
    // progress, when given, is called before each command with the number run so far and the
    // total, and once more when all ran; returning false stops before that command.
    bool apply_changes(const std::function<bool(int done, int total)> &progress = {});
    // The commands apply_changes would run, in row order.
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
        column_store store;
        std::unordered_map<std::size_t, cell_extra> extras; // by storage row
    };

    void clear_grid();
    bool inside(int row, int col) const;
    std::size_t storage_row(int row) const { return order_[std::size_t(row)]; }
    const cell_extra *extra_at(int row, int col) const;
    dbl_val_item *ensure_item(int row, int col);
    QVariant value_at(int row, int col) const;
    QString header_text(int col) const;
    void emit_changed();
    void add_column(const QByteArray &name, const QByteArray &type);
    bool fill_from(const result_set *rs);
    bool types_from_fields(const QList<QByteArray> &names, QList<QByteArray> &types);
    bool is_new_row(int row) const;
    // Whether a sits before b in an ascending sort of a column of kind k.
    static bool sorts_before(const QVariant &a, const QVariant &b, value_kind k);
    // The text after " at " of the row's command: an edited row is found by the time point it
    // was loaded with.
    QByteArray at_time_point(int row) const;

    QByteArray table_;
    db_exec *exec_;
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
// A value text as it goes into a command: dates and times in double quotes; strings as a quoted
// token with backslash and double quote escaped; numbers unchanged.
QByteArray literal_for(const QByteArray &text, const QByteArray &type_name);
