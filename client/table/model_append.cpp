// Adding the rows of a further query to a loaded grid without a reset, so views keep their
// scroll position, selection and editors while a table grows.
#include "table/tab_data_model.h"

#include "db/db_exec.h"
#include "db/result_table.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

using kind = value_kind;

namespace {

// Identifiers that name no row on the server: 0 (results that carry none) and all bits set
// (rows added in the grid).
bool names_a_row(uint64_t sid)
{
    return sid != 0 && sid != ~uint64_t(0);
}

} // namespace

grid_rows tab_data_model::fetch_rows(db_exec &db, const QByteArray &cmd, int quiet)
{
    grid_rows out;
    QByteArray line;
    result_set *rs = db.run(cmd, line, quiet);
    out.status = db_status::of(rs != nullptr, db);
    if (!rs)
        return out;
    const uint64_t nrows = rows_of(rs);
    const uint64_t ncols = cols_of(rs);
    for (uint64_t c = 0; c < ncols; ++c) {
        int len = 0;
        const char *p = col_name(&len, rs, int(c));
        out.names << QByteArray(p ? p : "", p ? len : 0);
        out.kinds.push_back(nrows > 0 ? kind_of(at(0, c, rs)) : kind::none);
    }
    for (uint64_t c = 0; c < ncols && nrows > 0; ++c) {
        out.stores.emplace_back(out.kinds[std::size_t(c)]);
        column_store &store = out.stores.back();
        store.reserve(std::size_t(nrows));
        for (uint64_t r = 0; r < nrows; ++r)
            store.append_cell(at(r, c, rs));
    }
    out.sids.reserve(std::size_t(nrows));
    for (uint64_t r = 0; r < nrows; ++r)
        out.sids.push_back(sid_of(rs, r));
    del_datas(rs);
    return out;
}

bool tab_data_model::added_rows_pending() const
{
    // Added rows sit behind the loaded ones in storage; loaded rows must stay in front of them.
    return !new_items_.empty() || (!columns_.empty() && columns_[0].store->size() != loaded_rows_);
}

tab_data_model::append_status tab_data_model::append_rows(db_exec &db, const QByteArray &cmd, int quiet, int *appended)
{
    if (appended)
        *appended = 0;
    if (added_rows_pending())
        return append_status::added_rows_pending;
    if (columns_.empty())
        return append_status::columns_differ;
    return take_rows(fetch_rows(db, cmd, quiet), appended);
}

tab_data_model::append_status tab_data_model::take_rows(grid_rows &&in, int *appended)
{
    if (appended)
        *appended = 0;
    if (added_rows_pending())
        return append_status::added_rows_pending;
    if (columns_.empty())
        return append_status::columns_differ;
    if (!in.status.ok)
        return append_status::query_failed;
    const std::size_t nrows = in.sids.size();
    const std::size_t ncols = std::size_t(in.names.size());
    bool same = ncols == columns_.size() && (nrows == 0 || in.stores.size() == ncols);
    for (std::size_t c = 0; same && c < ncols; ++c) {
        const column &col = columns_[c];
        same = QString::fromUtf8(in.names[int(c)]) == col.header->value(Qt::EditRole).toString() &&
               (nrows == 0 || (in.kinds[c] == col.kind && in.stores[c].size() == nrows));
    }
    if (!same)
        return append_status::columns_differ;

    // A query whose range starts at the newest loaded time point returns the rows of that time
    // point again.
    std::unordered_set<uint64_t> result_sids;
    for (uint64_t sid : in.sids)
        if (names_a_row(sid))
            result_sids.insert(sid);
    std::unordered_set<uint64_t> held;
    if (!result_sids.empty())
        for (uint64_t s : sids_)
            if (result_sids.count(s))
                held.insert(s);
    std::vector<std::size_t> take; // result rows to add, in result order
    for (std::size_t r = 0; r < nrows; ++r)
        if (!held.count(in.sids[r]))
            take.push_back(r);
    if (take.empty())
        return append_status::done;

    // Into storage first: rows that no grid row points to yet are invisible to the views.
    const std::size_t first_storage = loaded_rows_;
    for (std::size_t c = 0; c < ncols; ++c) {
        column_store &store = own_store(columns_[c]);
        store.reserve(first_storage + take.size());
        for (std::size_t r : take)
            store.append_row_of(in.stores[c], r);
    }
    std::vector<uint64_t> new_sids;
    new_sids.reserve(take.size());
    for (std::size_t r : take)
        new_sids.push_back(in.sids[r]);
    loaded_rows_ = first_storage + take.size();

    // Where each new row goes: after every row in an unsorted grid; in a sorted one, where a
    // new sort would put it (after its equals ascending, before them descending, as a later
    // loaded row sorts).
    const int n_old = rowCount();
    const std::size_t n_new = take.size();
    std::vector<std::size_t> batch(n_new); // offsets into the new rows, in the order they go in
    std::iota(batch.begin(), batch.end(), std::size_t(0));
    std::vector<int> old_pos(n_new, n_old);
    if (sort_column_ >= 0 && sort_column_ < columnCount()) {
        const kind k = columns_[std::size_t(sort_column_)].kind;
        const column_store &store = *columns_[std::size_t(sort_column_)].store;
        std::vector<QVariant> keys(n_new);
        for (std::size_t i = 0; i < n_new; ++i)
            keys[i] = store.value(first_storage + i);
        const bool down = sort_order_ == Qt::DescendingOrder;
        std::stable_sort(batch.begin(), batch.end(), [&](std::size_t a, std::size_t b) {
            return sorts_before(keys[a], keys[b], k);
        });
        if (down)
            std::reverse(batch.begin(), batch.end());
        for (std::size_t j = 0; j < n_new; ++j) {
            const QVariant &v = keys[batch[j]];
            // The grid rows that stay in front of the new one form a prefix.
            int lo = 0, hi = n_old;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                const QVariant here = value_at(mid, sort_column_);
                const bool in_front = down ? sorts_before(v, here, k) : !sorts_before(v, here, k);
                if (in_front)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            old_pos[j] = lo;
        }
        // A grid edited or added to after its sort is not in order; the batch must still go in
        // front to back.
        for (std::size_t j = 1; j < n_new; ++j)
            old_pos[j] = std::max(old_pos[j], old_pos[j - 1]);
    }

    // One insertion per run of new rows that land between the same two old rows.
    for (std::size_t j = 0; j < n_new;) {
        std::size_t end = j + 1;
        while (end < n_new && old_pos[end] == old_pos[j])
            ++end;
        const int first = old_pos[j] + int(j);
        const int last = first + int(end - j) - 1;
        beginInsertRows(QModelIndex(), first, last);
        std::vector<std::size_t> rows;
        std::vector<uint64_t> ids;
        for (std::size_t i = j; i < end; ++i) {
            rows.push_back(first_storage + batch[i]);
            ids.push_back(new_sids[batch[i]]);
        }
        order_.insert(order_.begin() + first, rows.begin(), rows.end());
        sids_.insert(sids_.begin() + first, ids.begin(), ids.end());
        endInsertRows();
        j = end;
    }
    if (appended)
        *appended = int(n_new);
    return append_status::done;
}
