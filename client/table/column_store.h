// Compact storage of one grid column's values: fixed-width kinds as packed bytes, strings as one
// UTF-8 block with end offsets, so a million loaded rows cost no object per cell.
#pragma once

#include "support/mem_time.h"
#include "table/value_text.h"
#include "vorn_tsdb.h"

#include <QVariant>
#include <cstddef>
#include <cstdint>
#include <vector>

class column_store {
public:
    explicit column_store(::value_kind k = ::value_kind::none);

    ::value_kind value_kind() const { return kind_; }
    std::size_t size() const { return count_; }
    void reserve(std::size_t rows);

    // Appends the cell read with the library accessor of the column's kind.
    void append_cell(const cell *c);
    // Appends a value converted to the column's kind.
    void append(const QVariant &v);
    // Appends row `row` of another column of the same kind, bytes as they are.
    void append_row_of(const column_store &src, std::size_t row);
    // The value of a row as the QVariant the grid holds for its kind.
    QVariant value(std::size_t row) const;
    // Reads of the packed bytes without a QVariant, for a chart of a million rows. A number
    // for the integer and floating kinds (64-bit integers rounded to the nearest double); false
    // for other kinds or a row outside the column.
    bool number_at(std::size_t row, double *out) const;
    // A date or date and time as nanoseconds since 1970-01-01 on the same wall clock (no time
    // zone is applied); false for other kinds or a row outside the column.
    bool time_ns_at(std::size_t row, std::int64_t *ns) const;
    static std::int64_t time_ns_of(const ox::db::mem::date_time &dt);

    // Bytes held by the storage (capacity, not just what is used).
    std::size_t bytes_held() const;

private:
    void append_fixed(const void *p);

    ::value_kind kind_;
    std::size_t width_ = 0;
    std::size_t count_ = 0;
    std::vector<unsigned char> fixed_;
    std::vector<char> text_;
    std::vector<std::size_t> ends_;
};
