// Builders for the table list, the fields of a table and creating, dropping and emptying tables.
#include "db/cmd_builders.h"

#include "db/builder_support.h"
#include "db/value_kinds.h"

using builder_support::run_plain;
using builder_support::text_of;

namespace {

// Appends the first cell's text of every row; the number appended.
int append_first_cells(const result_set *rs, name_list &out)
{
    const uint64_t n = rows_of(rs);
    for (uint64_t row = 0; row < n; ++row)
        out.append(text_of(at(row, 0, rs)));
    return static_cast<int>(n);
}

ox::db::mem::date_time date_time_of(const cell *c)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ns = 0;
    as_datetime(&y, &mo, &d, &h, &mi, &s, &ns, c);
    return ox::db::mem::date_time{ static_cast<uint16_t>(y), static_cast<uint8_t>(mo), static_cast<uint8_t>(d),
                                   static_cast<uint8_t>(h), static_cast<uint8_t>(mi), static_cast<uint8_t>(s),
                                   static_cast<uint32_t>(ns) };
}

} // namespace

int show_tables(db_exec &db, name_list &names)
{
    result_set *rs = db.run("show tables");
    if (!rs)
        return 0;
    append_first_cells(rs, names);
    del_datas(rs);
    return names.size();
}

bool table_time_range(db_exec &db, const QByteArray &table, ox::db::mem::date_time &first,
                      ox::db::mem::date_time &last, bool quiet, uint64_t *rows)
{
    result_set *rs = db.run("show tables", quiet ? 1 : 0);
    if (!rs)
        return false;
    if (!quiet)
        print(rs);
    bool found = false;
    const uint64_t n = rows_of(rs);
    for (uint64_t row = 0; row < n && !found; ++row) {
        if (text_of(at(row, 0, rs)) != table)
            continue;
        // The date accessors must not see a missing cell: a reply without the two time columns
        // names the table but gives no range.
        const cell *from = at(row, 1, rs);
        const cell *to = at(row, 2, rs);
        if (!from || !to)
            break;
        first = date_time_of(from);
        last = date_time_of(to);
        found = true;
        const cell *count = at(row, 3, rs);
        const value_kind k = count ? kind_of(count) : value_kind::none;
        if (rows && k == value_kind::u64)
            *rows = as_uint64(count);
        else if (rows && k == value_kind::i64 && as_int64(count) >= 0)
            *rows = uint64_t(as_int64(count));
    }
    del_datas(rs);
    return found;
}

bool fields_of(db_exec &db, const QByteArray &table, name_list &names)
{
    result_set *rs = db.run("field_of " + table);
    if (!rs)
        return false;
    const int read = append_first_cells(rs, names);
    del_datas(rs);
    return read > 0;
}

bool field_info(db_exec &db, const QByteArray &table, name_list &names, name_list &types,
                name_list &numbers, bool with_time_point)
{
    result_set *rs = db.run("field_of " + table);
    if (!rs)
        return false;
    if (with_time_point) {
        names.append(time_point_field);
        types.append("datetime");
        numbers.append("0");
    }
    const uint64_t n = rows_of(rs);
    for (uint64_t row = 0; row < n; ++row) {
        names.append(text_of(at(row, 0, rs)));
        types.append(text_of(at(row, 1, rs)));
        const cell *number = at(row, 2, rs);
        numbers.append(QByteArray::number(number ? qulonglong(as_uint64(number)) : 0ULL));
    }
    del_datas(rs);
    return !names.isEmpty();
}

name_fault plain_name_fault(const QByteArray &name, int *bad_at)
{
    if (name.isEmpty())
        return name_fault::empty;
    if (name[0] >= '0' && name[0] <= '9')
        return name_fault::leading_digit;
    for (int i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            if (bad_at)
                *bad_at = i;
            return name_fault::bad_char;
        }
    }
    return name_fault::none;
}

bool create_table(db_exec &db, const QByteArray &table, const name_list &names, const name_list &types)
{
    if (names.isEmpty() || names.size() != types.size() || !is_plain_name(table))
        return false;
    for (int i = 0; i < names.size(); ++i)
        if (!is_plain_name(names[i]) || names.indexOf(names[i]) != i || kind_of(types[i]) == value_kind::none)
            return false;
    QByteArray cmd = "create " + table;
    for (int i = 0; i < names.size(); ++i) {
        cmd += ' ';
        cmd += names[i];
        cmd += ' ';
        cmd += types[i];
    }
    return run_plain(db, cmd);
}

bool drop_table(db_exec &db, const QByteArray &table) { return run_plain(db, "drop " + table); }

bool truncate_table(db_exec &db, const QByteArray &table) { return run_plain(db, "truncate " + table); }

bool change_field(db_exec &, const QByteArray &, const field_change &)
{
    // Nothing to send until the server has a command for it; the caller reports the failure.
    return false;
}
