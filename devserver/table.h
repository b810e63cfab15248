// In-memory tables: rows kept in time-point order, each field stored as one column of wire bytes.
#pragma once

#include "value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace devserver {

struct field {
    std::string name;
    kind type;
};

// One column of values. Fixed-width kinds hold their wire bytes back to back, so a view
// copies them straight into the reply; strings keep one std::string per row.
class column {
public:
    explicit column(kind k) : kind_(k), width_(info(k).width) {}
    kind type() const { return kind_; }
    std::size_t width() const { return width_; }
    void insert(std::size_t row, const std::string& bytes);
    void assign(std::size_t row, const std::string& bytes);
    void erase_all() { fixed_.clear(); strings_.clear(); }
    // Appends every value of another column of the same kind, which is left empty.
    void append(column&& other);
    void reserve(std::size_t rows);
    const char* fixed_at(std::size_t row) const { return fixed_.data() + row * width_; }
    const std::string& string_at(std::size_t row) const { return strings_[row]; }
    // Bytes of row as parse_literal would produce them.
    std::string bytes_at(std::size_t row) const;
    std::size_t memory() const;

private:
    kind kind_;
    std::size_t width_;
    std::vector<char> fixed_;
    std::vector<std::string> strings_;
};

class table {
public:
    explicit table(std::vector<field> fields);
    const std::vector<field>& fields() const { return fields_; }
    int field_index(const std::string& name) const;
    std::size_t rows() const { return ids_.size(); }
    time_point time_at(std::size_t row) const { return times_[row]; }
    std::uint64_t id_at(std::size_t row) const { return ids_[row]; }
    const column& col(std::size_t i) const { return cols_[i]; }
    std::uint64_t next_id() const { return next_id_; }
    void set_next_id(std::uint64_t id) { next_id_ = id; }

    // values: one entry per field, in field order. Returns the new row's identifier.
    std::uint64_t push(time_point tp, const std::vector<std::string>& values);
    // Row with a given identifier, used when a table is read back from a file.
    void push_with_id(time_point tp, std::uint64_t id, const std::vector<std::string>& values);
    void assign(std::size_t row, std::size_t field, const std::string& bytes) { cols_[field].assign(row, bytes); }
    void truncate();
    void reserve(std::size_t rows);
    // Adds the rows of a table with the same fields, as if each were pushed in the order of
    // its identifier there: identifiers continue this table's, ties in time keep that order.
    void append_rows(table&& rows);

    // Tells a table from one dropped and made again under the same name; a copy keeps it.
    std::uint64_t identity() const { return identity_; }

    // Rows [first, last) whose time point lies in [begin, end].
    void range(time_point begin, time_point end, std::size_t& first, std::size_t& last) const;
    std::size_t memory() const;

private:
    std::size_t insert_position(time_point tp) const;

    std::vector<field> fields_;
    std::vector<column> cols_;
    std::vector<time_point> times_;
    std::vector<std::uint64_t> ids_;
    std::uint64_t next_id_ = 1;
    std::uint64_t identity_;
};

using database = std::map<std::string, std::shared_ptr<table>>;

// Zero of a kind: 0, the empty string, 0001-01-01, 00:00:00.
std::string zero_bytes(kind k);

bool valid_name(const std::string& name);

// Most fields a table may have; the table and backup files hold no more.
constexpr std::size_t max_fields = 4096;

} // namespace devserver
