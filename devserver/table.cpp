// Row storage of the in-memory tables.
#include "table.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace devserver {

void column::insert(std::size_t row, const std::string& bytes)
{
    if (width_ == 0) {
        strings_.insert(strings_.begin() + std::ptrdiff_t(row), bytes);
        return;
    }
    if (row * width_ == fixed_.size())
        fixed_.insert(fixed_.end(), bytes.begin(), bytes.begin() + std::ptrdiff_t(width_));
    else
        fixed_.insert(fixed_.begin() + std::ptrdiff_t(row * width_), bytes.begin(), bytes.begin() + std::ptrdiff_t(width_));
}

void column::assign(std::size_t row, const std::string& bytes)
{
    if (width_ == 0)
        strings_[row] = bytes;
    else
        std::copy(bytes.begin(), bytes.begin() + std::ptrdiff_t(width_), fixed_.begin() + std::ptrdiff_t(row * width_));
}

void column::append(column&& other)
{
    fixed_.insert(fixed_.end(), other.fixed_.begin(), other.fixed_.end());
    strings_.insert(strings_.end(), std::make_move_iterator(other.strings_.begin()),
                    std::make_move_iterator(other.strings_.end()));
    other.erase_all();
}

void column::reserve(std::size_t rows)
{
    if (width_ == 0)
        strings_.reserve(rows);
    else
        fixed_.reserve(rows * width_);
}

std::string column::bytes_at(std::size_t row) const
{
    if (width_ == 0)
        return strings_[row];
    return std::string(fixed_at(row), width_);
}

std::size_t column::memory() const
{
    std::size_t n = fixed_.capacity() + strings_.capacity() * sizeof(std::string);
    for (const auto& s : strings_)
        if (s.capacity() > 15)
            n += s.capacity() + 1;
    return n;
}

table::table(std::vector<field> fields) : fields_(std::move(fields))
{
    static std::atomic<std::uint64_t> made{0};
    identity_ = ++made;
    cols_.reserve(fields_.size());
    for (const auto& f : fields_)
        cols_.emplace_back(f.type);
}

int table::field_index(const std::string& name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name == name)
            return int(i);
    return -1;
}

std::size_t table::insert_position(time_point tp) const
{
    // Appending in time order is the common case; rows sharing a time point keep id order.
    if (times_.empty() || times_.back() <= tp)
        return times_.size();
    return std::size_t(std::upper_bound(times_.begin(), times_.end(), tp) - times_.begin());
}

std::uint64_t table::push(time_point tp, const std::vector<std::string>& values)
{
    const std::uint64_t id = next_id_;
    push_with_id(tp, id, values);
    return id;
}

void table::push_with_id(time_point tp, std::uint64_t id, const std::vector<std::string>& values)
{
    std::size_t pos = insert_position(tp);
    // Identifiers read from a file need not be in order; keep (time point, id) sorted.
    while (pos > 0 && times_[pos - 1] == tp && ids_[pos - 1] > id)
        --pos;
    for (std::size_t i = 0; i < cols_.size(); ++i)
        cols_[i].insert(pos, values[i]);
    times_.insert(times_.begin() + std::ptrdiff_t(pos), tp);
    ids_.insert(ids_.begin() + std::ptrdiff_t(pos), id);
    if (id >= next_id_)
        next_id_ = id + 1;
}

void table::append_rows(table&& rows)
{
    if (rows.rows() == 0)
        return;
    const std::uint64_t base = next_id_ - 1;
    std::uint64_t last_id = next_id_;
    if (times_.empty() || times_.back() <= rows.times_.front()) {
        // Rows from a file usually come after everything the table holds: whole columns.
        for (std::size_t i = 0; i < cols_.size(); ++i)
            cols_[i].append(std::move(rows.cols_[i]));
        times_.insert(times_.end(), rows.times_.begin(), rows.times_.end());
        // Grown as push_back grows it: appends of many chunks stay linear in the rows.
        if (ids_.capacity() < ids_.size() + rows.ids_.size())
            ids_.reserve(std::max(ids_.size() + rows.ids_.size(), 2 * ids_.capacity()));
        for (std::uint64_t id : rows.ids_) {
            ids_.push_back(base + id);
            last_id = std::max(last_id, base + id + 1);
        }
        next_id_ = last_id;
        return;
    }
    std::vector<std::string> values(cols_.size());
    for (std::size_t r = 0; r < rows.rows(); ++r) {
        for (std::size_t i = 0; i < cols_.size(); ++i)
            values[i] = rows.cols_[i].bytes_at(r);
        push_with_id(rows.times_[r], base + rows.ids_[r], values);
    }
}

void table::truncate()
{
    for (auto& c : cols_)
        c.erase_all();
    times_.clear();
    ids_.clear();
}

void table::reserve(std::size_t rows)
{
    for (auto& c : cols_)
        c.reserve(rows);
    times_.reserve(rows);
    ids_.reserve(rows);
}

void table::range(time_point begin, time_point end, std::size_t& first, std::size_t& last) const
{
    first = std::size_t(std::lower_bound(times_.begin(), times_.end(), begin) - times_.begin());
    last = std::size_t(std::upper_bound(times_.begin(), times_.end(), end) - times_.begin());
    if (last < first)
        last = first;
}

std::size_t table::memory() const
{
    std::size_t n = times_.capacity() * sizeof(time_point) + ids_.capacity() * sizeof(std::uint64_t);
    for (const auto& c : cols_)
        n += c.memory();
    return n;
}

std::string zero_bytes(kind k)
{
    const kind_info& ki = info(k);
    std::string z(ki.width, '\0');
    civil c;   // 0001-01-01 00:00:00
    if (k == kind::date)
        put_date(&z[0], c);
    else if (k == kind::datetime)
        put_datetime(&z[0], c);
    return z;
}

bool valid_name(const std::string& name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace devserver
