// Importing a CSV file from the user's disk: the file is read and checked against the table
// first, a piece at a time (all or nothing, as the server's own import), then its rows go in as
// chunks of push lines, each one raw command-file load that the server appends whole or not at
// all; a server that does not append that way gets one push per row.
#include "db/csv_local.h"

#include "db/builder_support.h"
#include "db/client_log.h"
#include "db/cmd_builders.h"
#include "db/cmd_texts.h"
#include "db/csv_file_stream.h"
#include "db/log_lines.h"
#include "db/proto_text.h"
#include "db/push_lines.h"
#include "support/proto/csv_header.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstring>

using csv_text::csv_record;

namespace {

QByteArray line_error(qint64 line, std::string_view why) { return bytes_of(proto::csv::line_error(std::size_t(line), why)); }
QByteArray line_error(qint64 line, const QByteArray &why) { return line_error(line, view_of(why)); }
QByteArray line_error(qint64 line, const char *why) { return line_error(line, std::string_view(why)); }

// The fields' values, each where it lies in the text (no copy) unless it has doubled quotes to
// make single; valid while the text stays as it is.
void field_values(const QByteArray &text, const std::vector<csv_text::field_span> &spans, std::vector<QByteArray> &out)
{
    out.clear();
    for (const csv_text::field_span &f : spans)
        out.push_back(f.doubled ? csv_text::field_value(text, f)
                                : QByteArray::fromRawData(text.constData() + f.from, int(f.size)));
}

QByteArray size_text(qint64 bytes)
{
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return QByteArray::number(bytes >> 20) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QByteArray::number(bytes >> 10) + " KiB";
    return QByteArray::number(bytes) + " bytes";
}

// What a server answers to a load it does not take as appending rows, as against a line of
// the rows it refused: a reason that names no line, or a line that says the table is not
// there (a server that runs the file in an empty database of its own).
bool load_refused(const QByteArray &reason, const QByteArray &table, qint64 &line, QByteArray &rest)
{
    if (!reason.startsWith("line "))
        return true;
    const int colon = reason.indexOf(": ");
    bool number = false;
    line = colon > 5 ? reason.mid(5, colon - 5).toLongLong(&number) : 0;
    if (!number)
        return true;
    rest = reason.mid(colon + 2);
    return rest == "no table " + table || rest.startsWith("only create and push lines");
}

} // namespace

csv_local_import::csv_local_import(db_exec &db, const QByteArray &table) : db_(db), table_(table) {}

csv_local_import::~csv_local_import()
{
    if (ahead_.valid())
        ahead_.wait();
}

QByteArray csv_local_import::push_command(const QByteArray &table, const name_list &fields, const csv_record &rec)
{
    QByteArray cmd;
    const std::vector<QByteArray> values(rec.values.begin(), rec.values.end());
    push_lines::append(cmd, cmd_texts::push_head(table, fields), values.data(), int(values.size()));
    return cmd;
}

bool csv_local_import::check_header(const csv_record &head, bool typed, bool &create)
{
    name_list names, types, numbers;
    const bool exists = field_info(db_, table_, names, types, numbers, false);
    name_list file_types;
    for (int k = 0; k < head.values.size(); ++k) {
        std::string_view name, type_view;
        const std::string why = proto::csv::read_header_cell(view_of(head.values[k]), typed, k == 0, name, type_view);
        if (!why.empty()) {
            why_ = line_error(head.line, why);
            return false;
        }
        if (k == 0)
            continue;
        const QByteArray n = bytes_of(name), type = bytes_of(type_view);
        if (fields_.contains(n)) {
            why_ = line_error(head.line, proto::csv::named_twice(view_of(n)));
            return false;
        }
        fields_ << n;
        file_types << type;
    }
    if (!exists) {
        // Like the server, a typed file may bring its table along; it is made once every line
        // was found good, so a broken file leaves no table behind.
        if (!typed || fields_.isEmpty()) {
            why_ = "no table " + table_;
            return false;
        }
        types_ = file_types;
        create = true;
        return true;
    }
    for (int k = 0; k < fields_.size(); ++k) {
        const int idx = names.indexOf(fields_[k]);
        if (idx < 0) {
            why_ = line_error(head.line, proto::csv::no_field(view_of(fields_[k]), view_of(table_)));
            return false;
        }
        if (typed && types[idx] != file_types[k]) {
            why_ = line_error(head.line, proto::csv::has_type(view_of(fields_[k]), view_of(types[idx])));
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
    return op.done(ok, ok ? QFileInfo(path).size() : -1, why_);
}

bool csv_local_import::read_and_check(const QString &path, const csv_form &form)
{
    if (ahead_.valid())
        ahead_.wait();
    ahead_ = {};
    path_ = path;
    form_ = form;
    fields_.clear();
    types_.clear();
    chunks_.clear();
    rows_ = done_ = 0;
    next_chunk_ = 0;
    road_ = chunk_bytes_ > 0 ? road::undecided : road::rows;
    row_reader_.reset();
    row_text_.clear();
    why_.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        why_ = "cannot read " + path.toUtf8() + ": " + f.errorString().toUtf8();
        return false;
    }
    csv_file_stream in(f, form.sep);
    csv_record rec;
    if (!in.next(rec)) {
        why_ = in.error().isEmpty() ? QByteArray(proto::csv::header_missing) : in.error();
        return false;
    }
    const csv_record head = rec;
    bool create = false;
    if (!check_header(head, form.typed, create))
        return false;

    // Every value is checked; the file is cut into chunks on the way. The first are small, each
    // twice the last, up to the chunk size; a chunk ends after a multiple of 64 rows unless it
    // grew to twice its size first.
    const QByteArray push_head = cmd_texts::push_head(table_, fields_);
    const qint64 most = chunk_bytes_ > 0 ? chunk_bytes_ : default_chunk_bytes;
    qint64 limit = qMin<qint64>(most, 4096);
    std::vector<value_kind> kinds;
    for (const QByteArray &t : types_)
        kinds.push_back(kind_of(t));
    chunk c;
    c.begin = in.offset();
    c.first_line = in.line();
    std::vector<csv_text::field_span> spans;
    std::vector<QByteArray> values;
    qint64 line = 0;
    while (in.next(spans, line)) {
        if (int(spans.size()) != head.values.size()) {
            why_ = line_error(line, proto::csv::value_count(spans.size(), std::size_t(head.values.size())));
            return false;
        }
        field_values(in.window(), spans, values);
        if (!csv_text::check_value(value_kind::datetime, values[0]).isEmpty()) {
            why_ = line_error(line, proto::csv::invalid_time_point(view_of(values[0])));
            return false;
        }
        for (int k = 0; k < fields_.size(); ++k) {
            const QByteArray e = csv_text::check_value(kinds[size_t(k)], values[size_t(k) + 1]);
            if (!e.isEmpty()) {
                why_ = line_error(line, proto::csv::field_problem(view_of(fields_[k]), view_of(e)));
                return false;
            }
        }
        ++rows_;
        ++c.rows;
        c.push_bytes += push_lines::line_size(push_head, values.data(), int(values.size()));
        c.hash = qHashBits(in.record_bytes(), size_t(in.record_size()), c.hash);
        if (c.push_bytes >= limit && (c.rows % 64 == 0 || c.push_bytes >= 2 * limit)) {
            c.end = in.offset();
            chunks_.push_back(c);
            c = chunk();
            c.begin = in.offset();
            c.first_line = in.line();
            limit = qMin(most, 2 * limit);
        }
    }
    if (!in.error().isEmpty()) {
        why_ = in.error();
        return false;
    }
    if (c.rows > 0) {
        c.end = in.offset();
        chunks_.push_back(c);
    }
    if (create && !create_table(db_, table_, fields_, types_)) {
        why_ = "no table " + table_;
        return false;
    }
    return true;
}

QByteArray csv_local_import::read_chunk(const chunk &c, QByteArray &bytes, QByteArray *cmd,
                                        std::vector<qint64> *lines) const
{
    QFile f(path_);
    bool same = f.open(QIODevice::ReadOnly) && f.seek(c.begin);
    if (same) {
        if (bytes.capacity() < c.end - c.begin)
            bytes = QByteArray();
        bytes.reserve(int(c.end - c.begin));
        bytes.resize(int(c.end - c.begin));
        same = f.read(bytes.data(), c.end - c.begin) == c.end - c.begin;
    }
    // The rows are read again as prepare() found them, so the same records come out; each
    // push line is written straight into the command, escaped.
    csv_text::reader in(bytes, form_.sep, 0, c.first_line);
    std::vector<csv_text::field_span> spans;
    const QByteArray head = cmd_texts::push_head(table_, fields_);
    std::vector<QByteArray> values;
    qint64 from = 0, n = 0, line = 0;
    uint hash = 0;
    while (same && in.next(spans, line)) {
        hash = qHashBits(bytes.constData() + from, size_t(in.position() - from), hash);
        from = in.position();
        ++n;
        if (!cmd || spans.size() != size_t(fields_.size()) + 1)
            continue;
        lines->push_back(line);
        field_values(bytes, spans, values);
        const int at = cmd->size();
        cmd->resize(int(at + 4 * push_lines::line_size(head, values.data(), int(values.size()))));
        push_lines::put_escaped_line(cmd->data() + at, head, values.data(), int(values.size()));
    }
    if (!same || !in.error().isEmpty() || n != c.rows || hash != c.hash)
        return line_error(c.first_line, "the file changed after it was checked; its rows from here on were not sent");
    return {};
}

csv_local_import::built csv_local_import::build(std::size_t k, built b) const
{
    const chunk &c = chunks_[k];
    const QByteArray start = "load " + table_ + " from cmd from raw \"";
    const int need = int(start.size() + 4 * c.push_bytes + 2);
    if (b.cmd.capacity() < need)
        b.cmd = QByteArray();   // grown from empty: the old text is not copied
    b.cmd.reserve(need);
    b.cmd.resize(0);
    b.cmd += start;
    b.lines.clear();
    b.lines.reserve(size_t(c.rows));
    b.why = read_chunk(c, b.bytes, &b.cmd, &b.lines);
    if (b.why.isEmpty())
        b.cmd += "\";";
    return b;
}

void csv_local_import::start_ahead()
{
    if (next_chunk_ + 1 >= chunks_.size())
        return;
    ahead_index_ = next_chunk_ + 1;
    try {
        ahead_ = std::async(std::launch::async, [this, k = ahead_index_, room = std::move(spare_)]() mutable {
            return build(k, std::move(room));
        });
    } catch (const std::system_error &) {
        // No thread to be had: it is built when its turn comes.
    }
    spare_ = built();
}

bool csv_local_import::push_next()
{
    if (done_ >= rows_ || next_chunk_ >= chunks_.size())
        return false;
    const bool ok = road_ == road::rows ? push_row() : send_chunk();
    if (!ok)
        log_warn("import of a client csv file into '%s' stopped after %lld of %lld rows: %s", table_.constData(),
                 done_, rows_, why_.constData());
    else if (done_ == rows_)
        log_info("import of a client csv file into '%s': %lld rows sent in %.1f ms", table_.constData(), rows_,
                 clock_.nsecsElapsed() / 1e6);
    return ok;
}

bool csv_local_import::send_chunk()
{
    const chunk &c = chunks_[next_chunk_];
    built b = ahead_.valid() && ahead_index_ == next_chunk_ ? ahead_.get() : build(next_chunk_, std::move(spare_));
    if (!b.why.isEmpty()) {
        why_ = b.why;
        return false;
    }
    // The next chunk is made ready while the server takes this one.
    start_ahead();
    result_set *rs = db_.run(b.cmd);
    const bool ok = rs != nullptr;
    del_datas(rs);
    const std::vector<qint64> lines = std::move(b.lines);
    spare_ = std::move(b);
    if (ok) {
        if (road_ == road::undecided)
            log_road(QCoreApplication::translate(
                         "csv_local_import",
                         "import file '%1' to table '%2': %3 rows in loads of push lines of up to %4, each load "
                         "whole or not at all")
                         .arg(path_, QString::fromUtf8(table_))
                         .arg(rows_)
                         .arg(QString::fromUtf8(size_text(chunk_bytes_))));
        road_ = road::loads;
        done_ += c.rows;
        ++next_chunk_;
        return true;
    }
    if (ahead_.valid())
        ahead_.wait();   // not sent; its thread must not outlive what it reads
    const QByteArray reason = db_.last_reason().toUtf8();
    qint64 line = 0;
    QByteArray rest;
    const bool refused = load_refused(reason, table_, line, rest);
    if (road_ == road::undecided && db_.last_code() == 1 && refused) {
        road_ = road::rows;
        log_road(QCoreApplication::translate("csv_local_import",
                                             "import file '%1' to table '%2': %3 rows one push at a time, the "
                                             "server does not take them as a load (%4)")
                     .arg(path_, QString::fromUtf8(table_))
                     .arg(rows_)
                     .arg(QString::fromUtf8(reason)));
        return push_row();
    }
    if (!refused && line >= 1 && line <= qint64(lines.size()))
        why_ = line_error(lines[size_t(line - 1)], rest);
    else
        why_ = line_error(c.first_line, "lines " + QByteArray::number(c.first_line) + " to " +
                                            QByteArray::number(lines.empty() ? c.first_line : lines.back()) +
                                            " did not go in: " + reason);
    return false;
}

bool csv_local_import::push_row()
{
    const chunk &c = chunks_[next_chunk_];
    if (!row_reader_) {
        why_ = read_chunk(c, row_text_, nullptr, nullptr);
        if (!why_.isEmpty())
            return false;
        row_reader_.reset(new csv_text::reader(row_text_, form_.sep, 0, c.first_line));
        rows_in_chunk_ = 0;
    }
    csv_record rec;
    row_reader_->next(rec);
    if (!builder_support::run_plain(db_, push_command(table_, fields_, rec))) {
        why_ = line_error(rec.line, "the server refused the row");
        return false;
    }
    ++done_;
    if (++rows_in_chunk_ == c.rows) {
        row_reader_.reset();
        row_text_.clear();
        ++next_chunk_;
    }
    return true;
}

void csv_local_import::log_road(const QString &text)
{
    db_.append_log(log_time_text() + ' ' + text.toHtmlEscaped().toUtf8() + "<br>");
}
