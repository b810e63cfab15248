// Search and replace in a grid. A cell is a hit when its shown text (in the grid's number
// display mode) holds a match; replacing parses the new text with the column's type.
#include "table/search_tab_dlg.h"

#include "common/modal_seam.h"
#include "table/item_dlgt.h"
#include "table/tab_data_model.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

search_tab_dlg::search_tab_dlg(QTableView *view, tab_data_model *model, bool can_replace)
    : search_form(extra::constraint, view), view_(view), model_(model)
{
    setObjectName(QStringLiteral("search_tab_dlg"));
    set_replace_allowed(can_replace);
    setWindowTitle(title_for(false));
    // Another constraint is another search: the question about the other end comes again.
    for (QRadioButton *b : {row_rb, col_rb, none_rb})
        connect(b, &QRadioButton::toggled, this, [this] { target_changed(target()); });
}

search_tab_dlg *search_tab_dlg::of(QTableView *view, tab_data_model *model, bool can_replace)
{
    if (auto *d = view->findChild<search_tab_dlg *>(QString(), Qt::FindDirectChildrenOnly))
        return d;
    return new search_tab_dlg(view, model, can_replace);
}

QString search_tab_dlg::title_for(bool replace_mode) const
{
    return replace_mode ? tr("replace text in current table") : tr("find text in current table");
}

int search_tab_dlg::cell_order::row_at(qint64 i) const
{
    const int n = int(i / qint64(columns.size()));
    return all_rows ? n : rows[std::size_t(n)];
}

search_tab_dlg::cell_order search_tab_dlg::order() const
{
    cell_order o;
    if (!view_ || !model_ || model_->rowCount() == 0)
        return o;
    const QModelIndex cur = view_->currentIndex();
    const QHeaderView *header = view_->horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (!header->isSectionHidden(logical))
            o.columns.push_back(logical);
    }
    if (col_rb->isChecked()) {
        const int c = cur.isValid() ? cur.column() : (o.columns.empty() ? 0 : o.columns.front());
        o.columns.assign(1, c);
    }
    if (row_rb->isChecked()) {
        o.rows.assign(1, cur.isValid() ? cur.row() : 0);
    } else {
        o.all_rows = true;
        o.row_count = model_->rowCount();
    }
    return o;
}

qint64 search_tab_dlg::current_in(const cell_order &o) const
{
    const QModelIndex cur = view_ ? view_->currentIndex() : QModelIndex();
    if (!cur.isValid() || o.size() == 0)
        return -1;
    const qint64 row_pos = o.all_rows ? cur.row() : 0;
    const qint64 cols = qint64(o.columns.size());
    for (qint64 c = 0; c < cols; ++c)
        if (o.columns[std::size_t(c)] == cur.column())
            return row_pos * cols + c;
    return row_pos * cols - 1;
}

QString search_tab_dlg::cell_text(int row, int column) const
{
    return model_->data(model_->index(row, column), Qt::DisplayRole).toString();
}

void search_tab_dlg::go_to(int row, int column)
{
    const QModelIndex idx = model_->index(row, column);
    view_->setCurrentIndex(idx);
    view_->scrollTo(idx);
}

bool search_tab_dlg::replaceable(int column) const
{
    if (!model_ || column == model_->time_point_column())
        return false;
    const item_dlgt *d = model_->delegate_of(column);
    return d && !d->read_only() && model_->rowCount() > 0 &&
           (model_->flags(model_->index(0, column)) & Qt::ItemIsEditable);
}

QVariant search_tab_dlg::replaced_value(const text_search::matcher &m, int row, int column, int *count)
{
    const QString now = m.replaced(cell_text(row, column), rep_le->text(), count);
    const QVariant v = model_->from_text(now, column);
    if (!v.isValid())
        modal_seam::warning(this, tr("replace result"),
                            tr("the text '%1' is not a valid %2 value (row %3, column '%4'); nothing is replaced.")
                                .arg(now, QString::fromUtf8(model_->type_of(column)))
                                .arg(row + 1)
                                .arg(model_->headerData(column, Qt::Horizontal).toString()));
    return v;
}

void search_tab_dlg::search_from(const text_search::matcher &m, const cell_order &o, qint64 at, bool forward)
{
    const qint64 n = o.size();
    auto hit = [&](qint64 i) {
        if (!m.contains(cell_text(o.row_at(i), o.column_at(i))))
            return false;
        go_to(o.row_at(i), o.column_at(i));
        return true;
    };
    step(forward, [&](bool from_edge) {
        if (forward) {
            for (qint64 i = from_edge ? 0 : at + 1; i < n; ++i)
                if (hit(i))
                    return true;
        } else {
            for (qint64 i = from_edge ? n - 1 : std::min(at, n) - 1; i >= 0; --i)
                if (hit(i))
                    return true;
        }
        return false;
    });
}

template <typename F>
void search_tab_dlg::each_hit(const text_search::matcher &m, const cell_order &o, F &&f) const
{
    const qint64 n = o.size();
    for (qint64 i = 0; i < n; ++i) {
        const int r = o.row_at(i), c = o.column_at(i);
        if (m.contains(cell_text(r, c)) && !f(r, c))
            return;
    }
}

std::optional<text_search::matcher> search_tab_dlg::ready(bool replacing)
{
    if (!model_ || !view_ || (replacing && !replace_allowed()))
        return std::nullopt;
    return make_matcher();
}

void search_tab_dlg::next(bool)
{
    std::optional<text_search::matcher> m = ready(false);
    if (!m)
        return;
    const cell_order o = order();
    search_from(*m, o, current_in(o), true);
}

void search_tab_dlg::prev(bool)
{
    std::optional<text_search::matcher> m = ready(false);
    if (!m)
        return;
    const cell_order o = order();
    const qint64 at = current_in(o);
    search_from(*m, o, at < 0 ? o.size() : at, false);
}

void search_tab_dlg::search_all(bool)
{
    std::optional<text_search::matcher> m = ready(false);
    if (!m)
        return;
    model_->clear_marks();
    int count = 0;
    each_hit(*m, order(), [&](int r, int c) {
        if (bool *mark = model_->mark_of(r, c))
            *mark = true;
        ++count;
        return true;
    });
    view_->viewport()->update();
    tell_found(count);
}

void search_tab_dlg::clear_select()
{
    if (!model_)
        return;
    model_->clear_marks();
    if (view_)
        view_->viewport()->update();
}

void search_tab_dlg::reject()
{
    clear_select();
    search_form::reject();
}

// The current cell is replaced when it holds a match, then the search goes on to the next hit.
// A text the column cannot take stops here with the box, the cell unchanged.
void search_tab_dlg::replace(bool)
{
    std::optional<text_search::matcher> m = ready(true);
    if (!m)
        return;
    const cell_order o = order();
    const qint64 at = current_in(o);
    const QModelIndex cur = view_->currentIndex();
    if (at >= 0 && cur.isValid() && replaceable(cur.column()) && m->contains(cell_text(cur.row(), cur.column()))) {
        int count = 0;
        const QVariant v = replaced_value(*m, cur.row(), cur.column(), &count);
        if (!v.isValid())
            return;
        model_->setData(cur, v, Qt::EditRole);
    }
    search_from(*m, o, at, true);
}

// All or nothing: the first text that is no value of its column stops the whole replacement
// before any cell changed.
void search_tab_dlg::replace_all(bool)
{
    std::optional<text_search::matcher> m = ready(true);
    if (!m)
        return;
    const cell_order o = order();
    std::vector<char> can(std::size_t(model_->columnCount()), 0);
    for (int c : o.columns)
        can[std::size_t(c)] = replaceable(c);
    struct edit {
        int row, column;
        QVariant value;
    };
    std::vector<edit> edits;
    bool refused = false;
    QStringList kept; // columns whose hits stay as they are
    each_hit(*m, o, [&](int r, int c) {
        if (!can[std::size_t(c)]) {
            const QString name = QStringLiteral("'%1'").arg(model_->headerData(c, Qt::Horizontal).toString());
            if (!kept.contains(name))
                kept << name;
            return true;
        }
        int count = 0;
        const QVariant v = replaced_value(*m, r, c, &count);
        refused = !v.isValid();
        edits.push_back({r, c, v});
        return !refused;
    });
    if (refused)
        return;
    // Hits there are, only where nothing can be replaced: "not found" would be untrue.
    if (edits.empty() && !kept.isEmpty()) {
        modal_seam::information(this, tr("replace result"),
                                tr("the string '%1' is found only in columns that cannot be replaced: %2.")
                                    .arg(target(), kept.join(QStringLiteral(", "))));
        return;
    }
    for (const edit &e : edits)
        model_->setData(model_->index(e.row, e.column), e.value, Qt::EditRole);
    view_->viewport()->update();
    tell_replaced(int(edits.size()));
}
