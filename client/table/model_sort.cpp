// Sorting of the grid by one column, stable with respect to the rows' first order. Keys are taken once per row in the column's own
// type, so a million rows sort without a QVariant comparison per step.
#include "table/tab_data_model.h"

#include "support/mem_time.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using kind = value_kind;
namespace mem = ox::db::mem;

namespace {

// Equal values keep the order the rows were loaded or added in (their storage order), not
// the order of the moment: so sorting down and up again gives back the first order.
template <typename key, typename less_fn>
std::vector<std::size_t> stable_order(const std::vector<key> &keys, const std::vector<std::size_t> &rank,
                                      less_fn less)
{
    std::vector<std::size_t> perm(keys.size());
    std::iota(perm.begin(), perm.end(), std::size_t(0));
    std::sort(perm.begin(), perm.end(), [&](std::size_t a, std::size_t b) {
        if (less(keys[a], keys[b]))
            return true;
        if (less(keys[b], keys[a]))
            return false;
        return rank[a] < rank[b];
    });
    return perm;
}

template <typename key>
std::vector<std::size_t> stable_order(const std::vector<key> &keys, const std::vector<std::size_t> &rank)
{
    return stable_order(keys, rank, [](const key &a, const key &b) { return a < b; });
}

// NaN has no place among the numbers; putting it last keeps the order strict.
bool double_less(double a, double b)
{
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

// Any point in time as a date and time, so the three temporal kinds share one ordering.
mem::date_time temporal_key(const QVariant &v)
{
    if (v.userType() == qMetaTypeId<mem::date_time>())
        return v.value<mem::date_time>();
    if (v.userType() == qMetaTypeId<mem::date>())
        return mem::date_time::of(v.value<mem::date>(), mem::time{});
    if (v.userType() == qMetaTypeId<mem::time>())
        return mem::date_time::of(mem::date{}, v.value<mem::time>());
    return mem::date_time{};
}

} // namespace

void tab_data_model::sort(int column, Qt::SortOrder order)
{
    const int n = rowCount();
    if (column < 0 || column >= columnCount())
        return;
    // Remembered even for an empty grid: rows that arrive later go where this sort puts them.
    sort_column_ = column;
    sort_order_ = order;
    if (n == 0)
        return;
    const kind k = columns_[std::size_t(column)].kind;
    std::vector<std::size_t> perm;
    if (is_integer(k) && int_signed(k)) {
        std::vector<int64_t> keys(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[std::size_t(r)] = int64_t(value_text::int_bits(value_at(r, column), k));
        perm = stable_order(keys, order_);
    } else if (is_integer(k)) {
        std::vector<uint64_t> keys(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[std::size_t(r)] = value_text::int_bits(value_at(r, column), k);
        perm = stable_order(keys, order_);
    } else if (k == kind::flt || k == kind::dbl) {
        std::vector<double> keys(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[std::size_t(r)] = value_at(r, column).toDouble();
        perm = stable_order(keys, order_, double_less);
    } else if (is_temporal(k)) {
        std::vector<mem::date_time> keys(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[std::size_t(r)] = temporal_key(value_at(r, column));
        perm = stable_order(keys, order_);
    } else {
        std::vector<QString> keys(static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            keys[std::size_t(r)] = value_at(r, column).toString();
        perm = stable_order(keys, order_);
    }
    if (order == Qt::DescendingOrder)
        std::reverse(perm.begin(), perm.end());

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> new_row_of(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        new_row_of[perm[std::size_t(i)]] = i;
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &ix : before)
        after << index(new_row_of[std::size_t(ix.row())], ix.column());
    std::vector<std::size_t> moved(order_.size());
    std::vector<uint64_t> sids(sids_.size());
    for (int i = 0; i < n; ++i) {
        moved[std::size_t(i)] = order_[perm[std::size_t(i)]];
        sids[std::size_t(i)] = sids_[perm[std::size_t(i)]];
    }
    order_.swap(moved);
    sids_.swap(sids);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool tab_data_model::sorts_before(const QVariant &a, const QVariant &b, kind k)
{
    if (is_integer(k) && int_signed(k))
        return int64_t(value_text::int_bits(a, k)) < int64_t(value_text::int_bits(b, k));
    if (is_integer(k))
        return value_text::int_bits(a, k) < value_text::int_bits(b, k);
    if (k == kind::flt || k == kind::dbl)
        return double_less(a.toDouble(), b.toDouble());
    if (is_temporal(k))
        return temporal_key(a) < temporal_key(b);
    return a.toString() < b.toString();
}
