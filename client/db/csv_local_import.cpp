// Importing a CSV file from the user's disk: the whole file is read and checked against the
// table first (all or nothing, as the server's own import), then each row goes in with "push".
#include "db/csv_local.h"

#include "db/builder_support.h"
#include "db/client_log.h"
#include "db/cmd_builders.h"

#include <QFile>

using csv_text::csv_record;

namespace {

QByteArray line_error(qint64 line, const QByteArray &why) { return "line " + QByteArray::number(line) + ": " + why; }

// A value as a quoted token of the command language.
void append_literal(QByteArray &cmd, const QByteArray &v)
{
    cmd += '"';
    for (char c : v) {
        switch (c) {
        case '"': cmd += "\\\""; break;
        case '\\': cmd += "\\\\"; break;
        case '\n': cmd += "\\n"; break;
        case '\r': cmd += "\\r"; break;
        case '\t': cmd += "\\t"; break;
        default: cmd += c;
        }
    }
    cmd += '"';
}

} // namespace

csv_local_import::csv_local_import(db_exec &db, const QByteArray &table) : db_(db), table_(table) {}

QByteArray csv_local_import::push_command(const QByteArray &table, const name_list &fields, const csv_record &rec)
{
    QByteArray cmd = "push into " + table;
    for (const QByteArray &f : fields)
        cmd += ' ' + f;
    cmd += " values";
    for (int i = 1; i < rec.values.size(); ++i) {
        cmd += ' ';
        append_literal(cmd, rec.values[i]);
    }
    cmd += " at ";
    append_literal(cmd, rec.values.value(0));
    return cmd;
}

bool csv_local_import::check_header(const csv_record &head, bool typed)
{
    name_list names, types, numbers;
    const bool exists = field_info(db_, table_, names, types, numbers, false);
    name_list file_types;
    for (int k = 0; k < head.values.size(); ++k) {
        QByteArray n = head.values[k], type;
        if (typed) {
            const int colon = n.lastIndexOf(':');
            if (colon < 0) {
                why_ = line_error(head.line, "name:type expected in " + n);
                return false;
            }
            type = n.mid(colon + 1);
            n.truncate(colon);
        }
        if (k == 0) {
            if (n != time_point_field || (typed && type != "datetime")) {
                why_ = line_error(head.line, "the first column must be the time point");
                return false;
            }
            continue;
        }
        if (typed && !csv_text::is_type_name(type)) {
            why_ = line_error(head.line, "unknown type " + type);
            return false;
        }
        if (fields_.contains(n)) {
            why_ = line_error(head.line, "field " + n + " named twice");
            return false;
        }
        fields_ << n;
        file_types << type;
    }
    if (!exists) {
        // Like the server, a typed file may bring its table along.
        if (!typed || fields_.isEmpty() || !create_table(db_, table_, fields_, file_types)) {
            why_ = "no table " + table_;
            return false;
        }
        types_ = file_types;
        return true;
    }
    for (int k = 0; k < fields_.size(); ++k) {
        const int idx = names.indexOf(fields_[k]);
        if (idx < 0) {
            why_ = line_error(head.line, "no field " + fields_[k] + " in " + table_);
            return false;
        }
        if (typed && types[idx] != file_types[k]) {
            why_ = line_error(head.line, "field " + fields_[k] + " has type " + types[idx]);
            return false;
        }
        types_ << types[idx];
    }
    return true;
}

bool csv_local_import::prepare(const QString &path, const csv_form &form)
{
    client_log::file_op op("read client csv file for import", table_, path);
    const bool ok = read_and_check(path, form);
    clock_.start();
    return op.done(ok, ok ? text_.size() : -1, why_);
}

bool csv_local_import::read_and_check(const QString &path, const csv_form &form)
{
    form_ = form;
    fields_.clear();
    types_.clear();
    rows_ = done_ = 0;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        why_ = "cannot read " + path.toUtf8() + ": " + f.errorString().toUtf8();
        return false;
    }
    if (f.size() > client_file_limit) {
        why_ = "the file is larger than a client-side import takes";
        return false;
    }
    text_ = f.readAll();
    f.close();

    // First pass: every value checked, nothing kept but the count.
    csv_text::reader check(text_, form.sep);
    csv_record rec;
    if (!check.next(rec)) {
        why_ = check.error().isEmpty() ? QByteArray("line 1: header line missing") : check.error();
        return false;
    }
    const csv_record head = rec;
    fields_.clear();
    // The header is checked against the table only after the values have been read, so a file
    // with a broken line creates no table.
    while (check.next(rec)) {
        if (rec.values.size() != head.values.size()) {
            why_ = line_error(rec.line, QByteArray::number(rec.values.size()) + " values, " +
                                            QByteArray::number(head.values.size()) + " expected");
            return false;
        }
        ++rows_;
    }
    if (!check.error().isEmpty()) {
        why_ = check.error();
        return false;
    }
    if (!check_header(head, form.typed))
        return false;
    csv_text::reader values(text_, form.sep);
    values.next(rec);
    while (values.next(rec)) {
        const QByteArray tp = csv_text::check_value("datetime", rec.values[0]);
        if (!tp.isEmpty()) {
            why_ = line_error(rec.line, "invalid time point " + rec.values[0]);
            return false;
        }
        for (int k = 0; k < fields_.size(); ++k) {
            const QByteArray e = csv_text::check_value(types_[k], rec.values[k + 1]);
            if (!e.isEmpty()) {
                why_ = line_error(rec.line, fields_[k] + ": " + e);
                return false;
            }
        }
    }
    reader_.reset(new csv_text::reader(text_, form.sep));
    reader_->next(rec);
    return true;
}

bool csv_local_import::push_next()
{
    csv_record rec;
    if (!reader_ || done_ >= rows_ || !reader_->next(rec))
        return false;
    if (!builder_support::run_plain(db_, push_command(table_, fields_, rec))) {
        why_ = line_error(rec.line, "the server refused the row");
        log_warn("import of a client csv file into '%s' stopped after %lld of %lld rows: %s", table_.constData(),
                 done_, rows_, why_.constData());
        return false;
    }
    ++done_;
    if (done_ == rows_) {
        log_info("import of a client csv file into '%s': %lld rows sent in %.1f ms", table_.constData(), rows_,
                 clock_.nsecsElapsed() / 1e6);
        reader_.reset();
        text_.clear();
    }
    return true;
}
