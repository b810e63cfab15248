// The search and replace dialog of a data grid: finds in the cells' shown texts row by row,
// moves the current cell, marks every hit yellow, and replaces by writing typed values the
// grid keeps as pending edits until its window applies them.
#pragma once

#include "common/search_form.h"

#include <QPointer>
#include <vector>

class QTableView;
class tab_data_model;

class search_tab_dlg : public search_form {
    Q_OBJECT
public:
    // can_replace off: the grid is read-only and the dialog only finds.
    search_tab_dlg(QTableView *view, tab_data_model *model, bool can_replace);
    // The grid's own dialog, made on first use as a child of the view.
    static search_tab_dlg *of(QTableView *view, tab_data_model *model, bool can_replace);

public slots:
    void search_all(bool checked = false) override;
    void next(bool checked = false) override;
    void prev(bool checked = false) override;
    void replace(bool checked = false) override;
    void replace_all(bool checked = false) override;
    // Takes the marks of the last Find All away.
    void clear_select();
    // Closing the dialog also takes its marks away.
    void reject() override;

protected:
    QString title_for(bool replace_mode) const override;

private:
    // The cells the constraint allows, in search order: rows, then columns as the header shows them.
    struct cell_order {
        std::vector<int> rows;  // empty with all_rows set
        bool all_rows = false;
        int row_count = 0;
        std::vector<int> columns;
        qint64 size() const { return qint64(all_rows ? row_count : int(rows.size())) * qint64(columns.size()); }
        int row_at(qint64 i) const;
        int column_at(qint64 i) const { return columns[std::size_t(i % qint64(columns.size()))]; }
    };
    cell_order order() const;
    // Position of the current cell in the order; -1 before the first cell.
    qint64 current_in(const cell_order &o) const;
    // Next or Previous from the position `at` (the current cell's, or -1).
    void search_from(const text_search::matcher &m, const cell_order &o, qint64 at, bool forward);
    // Calls f(row, column) for each cell in the order whose text holds a match, until f is false.
    template <typename F>
    void each_hit(const text_search::matcher &m, const cell_order &o, F &&f) const;
    // The matcher, when there is a grid (and, for replacing, it may be changed) and a target.
    std::optional<text_search::matcher> ready(bool replacing);
    QString cell_text(int row, int column) const;
    void go_to(int row, int column);
    bool replaceable(int column) const;
    // The cell's value after replacing its matches, or invalid (the user was told) when the new
    // text is not a value of the column's type; `count` gets the number of matches.
    QVariant replaced_value(const text_search::matcher &m, int row, int column, int *count);

    QPointer<QTableView> view_;
    QPointer<tab_data_model> model_;
};
