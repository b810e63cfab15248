// The grid form of a result set: column names, type names, rows of QVariants and row identifiers.
#pragma once

#include "vorn_tsdb.h"

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <cstdint>
#include <vector>

using name_list = QList<QByteArray>;
using row_list = QList<QVariantList>;
using sid_list = std::vector<uint64_t>;

// Everything one conversion fills; the members are the outputs of to_table.
struct result_table {
    name_list names;   // column names, UTF-8
    name_list types;   // "i08" ... "u64", "float", "double", "string", "date", "time", "datetime"
    row_list rows;     // one QVariant per column
    sid_list sids;     // the row identifiers (__id), one per row
};

// Appends the result set's columns and rows to the outputs (which callers pass in empty).
// Integers of up to 32 bits become int (u32: unsigned int), 64-bit ones qlonglong / qulonglong,
// float and double stay so, strings become (never null) QStrings, the temporal kinds the
// ox::db::mem types. A result without rows gives the names only. A cell of an unknown kind
// writes "bad type" to standard output and stops the conversion (see the source for what stays).
void to_table(const result_set *rs, name_list &names, row_list &rows, name_list &types,
              sid_list *sids = nullptr);
void to_table(const result_set *rs, result_table &out, bool with_sids = true);
