// Conversion of a result set into the grid form: names, type names, QVariant rows, row ids.
#include "db/result_table.h"

#include "db/value_kinds.h"
#include "support/mem_time.h"

#include <cstdio>

namespace {

void report_bad_type()
{
    std::fputs("bad type\n", stdout);
    std::fflush(stdout);
}

} // namespace

void to_table(const result_set *rs, name_list &names, row_list &rows, name_list &types, sid_list *sids)
{
    ox::db::mem::register_meta_types();
    const uint64_t nrow = rows_of(rs);
    const uint64_t ncol = cols_of(rs);
    for (uint64_t col = 0; col < ncol; ++col) {
        int len = 0;
        const char *name = col_name(&len, rs, static_cast<int>(col));
        names.append(name ? QByteArray(name, len) : QByteArray());
    }
    for (uint64_t col = 0; col < ncol; ++col) {
        const cell *c = at(0, col, rs);
        if (!c)
            break;
        const QByteArray type = type_name(kind_of(c));
        if (type.isEmpty()) {
            report_bad_type();
            return;
        }
        types.append(type);
    }
    if (static_cast<uint64_t>(types.size()) != ncol || types.size() != names.size())
        return;
    for (uint64_t row = 0; row < nrow; ++row) {
        QVariantList values;
        values.reserve(static_cast<int>(ncol));
        for (uint64_t col = 0; col < ncol; ++col) {
            const cell *c = at(row, col, rs);
            QVariant v = cell_value(c, kind_of(c));
            if (!v.isValid()) {
                report_bad_type();
                names.clear();
                rows.clear();
                if (sids)
                    sids->clear();
                return;
            }
            values.append(std::move(v));
        }
        if (sids)
            sids->push_back(sid_of(rs, row));
        rows.append(std::move(values));
    }
}

void to_table(const result_set *rs, result_table &out, bool with_sids)
{
    to_table(rs, out.names, out.rows, out.types, with_sids ? &out.sids : nullptr);
}
