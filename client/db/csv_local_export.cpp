// Writing CSV files on the user's disk: a whole table read through "view", or the rows of a grid,
// byte for byte as the server's own export would write them.
#include "db/csv_local.h"

#include "db/client_log.h"
#include "db/cmd_builders.h"
#include "db/cmd_texts.h"
#include "db/value_kinds.h"
#include "support/mem_time.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <charconv>
#include <cstdlib>

namespace mem = ox::db::mem;
using csv_text::append_field;

namespace {

void append_datetime(QByteArray &out, const mem::date_time &v)
{
    csv_text::append_date(out, v.year, v.month, v.day);
    out += ' ';
    csv_text::append_time(out, v.hour, v.minute, v.second, int(v.nanos));
}

// The header line: each column's name, with ":type" in the typed form.
void append_header(QByteArray &out, const name_list &names, const name_list &types, const csv_form &form)
{
    for (int i = 0; i < names.size(); ++i) {
        if (i)
            out += form.sep;
        append_field(out, form.typed ? names[i] + ':' + types.value(i) : names[i], form.sep);
    }
    out += '\n';
}

// The cell's text form (appended to text, which the caller then quotes as a whole field).
template <class T> void append_int(QByteArray &text, T v)
{
    char buf[24];
    text.append(buf, int(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

void cell_text(QByteArray &text, const cell *c, value_kind k)
{
    switch (k) {
    case value_kind::i08: append_int(text, int(as_int8(c))); break;
    case value_kind::i16: append_int(text, int(as_int16(c))); break;
    case value_kind::i32: append_int(text, as_int32(c)); break;
    case value_kind::i64: append_int(text, as_int64(c)); break;
    case value_kind::u08: append_int(text, unsigned(as_uint8(c))); break;
    case value_kind::u16: append_int(text, unsigned(as_uint16(c))); break;
    case value_kind::u32: append_int(text, as_uint32(c)); break;
    case value_kind::u64: append_int(text, as_uint64(c)); break;
    case value_kind::flt: csv_text::append_float(text, as_float(c)); break;
    case value_kind::dbl: csv_text::append_double(text, as_double(c)); break;
    case value_kind::str: read_string(c, [&](const char *s, uint64_t len) { text.append(s, int(len)); }); break;
    case value_kind::date: {
        int y, m, d;
        as_date(&y, &m, &d, c);
        csv_text::append_date(text, y, m, d);
        break;
    }
    case value_kind::time: {
        int h, mi, s, ns;
        as_time(&h, &mi, &s, &ns, c);
        csv_text::append_time(text, h, mi, s, ns);
        break;
    }
    case value_kind::datetime: {
        int y, m, d, h, mi, s, ns;
        as_datetime(&y, &m, &d, &h, &mi, &s, &ns, c);
        csv_text::append_date(text, y, m, d);
        text += ' ';
        csv_text::append_time(text, h, mi, s, ns);
        break;
    }
    case value_kind::none: break;
    }
}

void variant_text(QByteArray &text, const QVariant &v, value_kind k)
{
    switch (k) {
    case value_kind::i08: case value_kind::i16: case value_kind::i32: case value_kind::i64:
        text += QByteArray::number(v.toLongLong());
        break;
    case value_kind::u08: case value_kind::u16: case value_kind::u32: case value_kind::u64:
        text += QByteArray::number(v.toULongLong());
        break;
    case value_kind::flt: csv_text::append_float(text, v.toFloat()); break;
    case value_kind::dbl: csv_text::append_double(text, v.toDouble()); break;
    case value_kind::str: text += v.toString().toUtf8(); break;
    case value_kind::date: {
        const auto d = v.value<mem::date>();
        csv_text::append_date(text, d.year, d.month, d.day);
        break;
    }
    case value_kind::time: {
        const auto t = v.value<mem::time>();
        csv_text::append_time(text, t.hour, t.minute, t.second, int(t.nanos));
        break;
    }
    case value_kind::datetime: append_datetime(text, v.value<mem::date_time>()); break;
    case value_kind::none: break;
    }
}

// Streams the text into a file that replaces the old one only when complete.
class chunked_file {
public:
    explicit chunked_file(const QString &path) : file_(path) {}
    bool open() { return file_.open(QIODevice::WriteOnly); }
    // Writes the buffer out once it is big enough (or always with force) and empties it.
    bool flush(QByteArray &buf, bool force)
    {
        if (!force && buf.size() < (1 << 20))
            return true;
        const bool ok = file_.write(buf) == buf.size();
        buf.resize(0);   // keeps the reserved buffer
        return ok;
    }
    bool commit() { return file_.commit(); }
    void cancel() { file_.cancelWriting(); }
    QString error() const { return file_.errorString(); }

private:
    QSaveFile file_;
};

bool may_write(const QString &path, bool replace, QByteArray &why)
{
    if (!replace && QFileInfo::exists(path)) {
        why = "file exists (replace mode overwrites it): " + path.toUtf8();
        return false;
    }
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        why = "cannot create the folder " + dir.toUtf8();
        return false;
    }
    return true;
}

} // namespace

static bool write_whole(const QString &path, const QByteArray &text, bool replace, QByteArray &why)
{
    if (!may_write(path, replace, why))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        why = out.errorString().toUtf8();
        return false;
    }
    return true;
}

bool write_local_file(const QString &path, const QByteArray &text, bool replace, QByteArray &why)
{
    client_log::file_op op("write client csv file", {}, path);
    const bool ok = write_whole(path, text, replace, why);
    return op.done(ok, ok ? text.size() : -1, why);
}

static bool write_table(db_exec &db, const QByteArray &table, const QString &path, const csv_form &form,
                        bool replace, QByteArray &why)
{
    name_list fields, types, numbers;
    if (!field_info(db, table, fields, types, numbers, false)) {
        why = "cannot read the fields of " + table;
        return false;
    }
    if (!may_write(path, replace, why))
        return false;
    result_set *rs = db.run(cmd_texts::view(table, {}));
    if (!rs) {
        why = "cannot read the rows of " + table;
        return false;
    }
    const uint64_t ncol = cols_of(rs);
    if (ncol != uint64_t(fields.size()) + 1) {
        del_datas(rs);
        why = "the rows of " + table + " do not match its fields";
        return false;
    }
    // The rows start with their time point, and so does the header.
    fields.prepend(time_point_field);
    types.prepend(proto::info(proto::kind::datetime).name);
    std::vector<value_kind> kinds;
    for (const QByteArray &t : types)
        kinds.push_back(kind_of(t));

    chunked_file file(path);
    bool ok = file.open();
    QByteArray buf;
    buf.reserve((1 << 20) + 4096);
    // Every field, numbers and time points included, is quoted when the separator needs it.
    QByteArray text;
    text.reserve(256);
    append_header(buf, fields, types, form);
    const uint64_t nrow = rows_of(rs);
    for (uint64_t r = 0; ok && r < nrow; ++r) {
        for (uint64_t c = 0; c < ncol; ++c) {
            if (c)
                buf += form.sep;
            text.resize(0);
            cell_text(text, at(r, c, rs), kinds[c]);
            append_field(buf, text, form.sep);
        }
        buf += '\n';
        ok = file.flush(buf, false);
    }
    del_datas(rs);
    ok = ok && file.flush(buf, true) && file.commit();
    if (!ok) {
        why = file.error().toUtf8();
        file.cancel();
    }
    return ok;
}

bool export_table_local(db_exec &db, const QByteArray &table, const QString &path, const csv_form &form,
                        bool replace, QByteArray &why)
{
    client_log::file_op op("export table to client csv file", table, path);
    const bool ok = write_table(db, table, path, form, replace, why);
    return op.done(ok, ok ? QFileInfo(path).size() : -1, why);
}

QByteArray grid_csv(const name_list &names, const name_list &types, const row_list &rows, const csv_form &form)
{
    QByteArray out;
    append_header(out, names, types, form);
    std::vector<value_kind> kinds;
    for (const QByteArray &t : types)
        kinds.push_back(kind_of(t));
    QByteArray text;
    for (const QVariantList &row : rows) {
        for (int c = 0; c < row.size() && c < int(kinds.size()); ++c) {
            if (c)
                out += form.sep;
            text.resize(0);
            variant_text(text, row[c], kinds[size_t(c)]);
            append_field(out, text, form.sep);
        }
        out += '\n';
    }
    return out;
}
