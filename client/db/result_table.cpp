// Conversion of a result set into the grid form: names, type names, QVariant rows, row ids.
#include "db/result_table.h"

#include "support/mem_time.h"

#include <cstdio>
#include <cstdlib>

namespace {

void report_bad_type()
{
    std::fputs("bad type\n", stdout);
    std::fflush(stdout);
}

QString string_of(const cell *c)
{
    char *bytes = nullptr;
    uint64_t len = 0;
    as_str(&bytes, &len, c);
    QString s = QString::fromUtf8(bytes, static_cast<int>(len));
    std::free(bytes);
    if (s.isNull())
        s = QLatin1String(""); // an empty cell is an empty text, not a missing value
    return s;
}

ox::db::mem::date date_of(const cell *c)
{
    int y = 0, m = 0, d = 0;
    as_date(&y, &m, &d, c);
    return ox::db::mem::date{ static_cast<uint16_t>(y), static_cast<uint8_t>(m), static_cast<uint8_t>(d) };
}

ox::db::mem::time time_of(const cell *c)
{
    int h = 0, mi = 0, s = 0, ns = 0;
    as_time(&h, &mi, &s, &ns, c);
    return ox::db::mem::time{ static_cast<uint8_t>(h), static_cast<uint8_t>(mi), static_cast<uint8_t>(s),
                              static_cast<uint32_t>(ns) };
}

} // namespace

QByteArray type_name_of(const cell *c)
{
    switch (val_type(c)) {
    case 0: {
        const bool u = val_sign(c) == 1;
        switch (val_size(c)) {
        case 1: return u ? "u08" : "i08";
        case 2: return u ? "u16" : "i16";
        case 4: return u ? "u32" : "i32";
        default: return u ? "u64" : "i64";
        }
    }
    case 1: return val_size(c) == 4 ? "float" : "double";
    case 2: return "string";
    case 3: return "date";
    case 4: return "time";
    case 5: return "datetime";
    default: return QByteArray();
    }
}

QVariant value_of(const cell *c)
{
    switch (val_type(c)) {
    case 0: {
        const bool u = val_sign(c) == 1;
        switch (val_size(c)) {
        case 1: return u ? QVariant(int(as_uint8(c))) : QVariant(int(as_int8(c)));
        case 2: return u ? QVariant(int(as_uint16(c))) : QVariant(int(as_int16(c)));
        case 4: return u ? QVariant(uint(as_uint32(c))) : QVariant(int(as_int32(c)));
        default: return u ? QVariant(qulonglong(as_uint64(c))) : QVariant(qlonglong(as_int64(c)));
        }
    }
    case 1:
        if (val_size(c) == 4)
            return QVariant(as_float(c));
        return QVariant(as_double(c));
    case 2: return QVariant(string_of(c));
    case 3: return QVariant::fromValue(date_of(c));
    case 4: return QVariant::fromValue(time_of(c));
    case 5: return QVariant::fromValue(ox::db::mem::date_time::of(date_of(c), time_of(c)));
    default: return QVariant();
    }
}

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
        const QByteArray type = type_name_of(c);
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
            QVariant v = value_of(at(row, col, rs));
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
