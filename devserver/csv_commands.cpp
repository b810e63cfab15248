// export, import and export_data with CSV files ("csvs": CSV with a typed header).
#include "commands.h"

#include "support/proto/csv_header.h"

#include "binfile.h"
#include "csv.h"
#include "paths.h"
#include "platform.h"

namespace devserver {

namespace {

struct file_clause {
    bool typed = false;   // csvs
    std::string path, sep;
    bool replace = false;
};

// Reads `csv|csvs PATH split by SEP [replace]` from tokens[i] to the end.
std::string read_clause(const std::vector<token>& t, std::size_t i, bool allow_replace, file_clause& c)
{
    if (i >= t.size() || (!is_word(t[i], "csv") && !is_word(t[i], "csvs")))
        return "csv or csvs expected";
    c.typed = t[i].text == "csvs";
    if (i + 1 >= t.size())
        return "expected: " + t[i].text + " \"PATH\" split by \"SEPARATOR\"";
    c.path = t[i + 1].text;
    i += 2;
    // Without a split clause the separator is a comma.
    c.sep = ",";
    if (i < t.size() && is_word(t[i], "split")) {
        if (i + 2 >= t.size() || !is_word(t[i + 1], "by"))
            return "expected: split by \"SEPARATOR\"";
        c.sep = t[i + 2].text;
        i += 3;
    }
    if (c.sep.empty() || c.sep.find_first_of("\"\r\n") != std::string::npos)
        return "invalid separator";
    if (allow_replace && i < t.size() && is_word(t[i], "replace")) {
        c.replace = true;
        ++i;
    }
    if (i != t.size())
        return "unexpected " + t[i].text;
    return {};
}

std::string write_csv(server_state& st, const selection& sel, const file_clause& c)
{
    if (!st.files_enabled)
        return "file access is disabled";
    std::string full;
    std::string err = resolve_path(st.data_dir, c.path, true, full);
    if (!err.empty())
        return err;
    if (!c.replace && platform::file_exists(full))
        return "file exists (add replace to overwrite): " + c.path;
    const table& tab = *sel.tab;
    std::string text;
    append_csv_value(text, proto::csv::time_point_cell(c.typed), c.sep);
    for (int f : sel.fields) {
        const field& fd = tab.fields()[std::size_t(f)];
        text += c.sep;
        append_csv_value(text, proto::csv::header_cell(fd.name, c.typed ? info(fd.type).name : ""), c.sep);
    }
    text += '\n';
    text.reserve(text.size() + (sel.last - sel.first) * (24 + 24 * sel.fields.size()));
    char buf[value_text_room];
    std::int64_t cached_day = -1;
    civil day;
    for (std::size_t r = sel.first; r < sel.last; ++r) {
        // Rows of one day share its date: the calendar is worked out once per day.
        const time_point tp = tab.time_at(r);
        const std::int64_t d = tp.sec >= 0 ? tp.sec / 86400 : (tp.sec - 86399) / 86400;
        if (d != cached_day) {
            day = to_civil(time_point{d * 86400, 0});
            cached_day = d;
        }
        civil cv = day;
        const std::int64_t rem = tp.sec - d * 86400;
        cv.hour = int(rem / 3600);
        cv.minute = int(rem / 60 % 60);
        cv.second = int(rem % 60);
        cv.ns = tp.ns;
        append_csv_value(text, std::string_view(buf, format_datetime(buf, cv)), c.sep);
        for (int f : sel.fields) {
            const column& col = tab.col(std::size_t(f));
            text += c.sep;
            if (col.width())
                append_csv_value(text, std::string_view(buf, format_value(buf, col.type(), col.fixed_at(r), true)), c.sep);
            else
                append_csv_value(text, col.string_at(r), c.sep);
        }
        text += '\n';
    }
    // An export is a copy that can be made again: it is not worth a flush to the disk, which
    // costs more than writing the text.
    if (!platform::write_file_atomic(full, text, err, false))
        return err;
    return {};
}

// The selection made under `lock` (when given), so the file is written without holding up
// the other clients.
std::string select_rows(server_state& st, std::mutex* lock, const std::vector<token>& head, std::size_t& i, selection& sel)
{
    // The selection holds the table: changes meanwhile go to the database's copy (own()).
    std::unique_lock<std::mutex> hold;
    if (lock)
        hold = std::unique_lock<std::mutex>(*lock);
    return parse_selection(st, head, i, head.size(), sel);
}

outcome export_table(server_state& st, const std::vector<token>& t, std::mutex* lock = nullptr)
{
    if (t.size() < 3 || !is_word(t[2], "as"))
        return fail("usage: export TABLE as csv|csvs \"PATH\" split by \"SEPARATOR\" [replace]");
    selection sel;
    std::size_t i = 1;
    std::vector<token> head(t.begin(), t.begin() + 2);
    std::string err = select_rows(st, lock, head, i, sel);
    if (err.empty()) {
        file_clause c;
        err = read_clause(t, 3, true, c);
        if (err.empty())
            err = write_csv(st, sel, c);
    }
    return err.empty() ? done() : fail(err);
}

outcome export_data(server_state& st, const std::vector<token>& t, std::mutex* lock = nullptr)
{
    std::size_t as = 0;
    for (std::size_t i = t.size(); i-- > 2;)
        if (is_word(t[i], "as") && i + 1 < t.size() && (is_word(t[i + 1], "csv") || is_word(t[i + 1], "csvs"))) {
            as = i;
            break;
        }
    if (as == 0)
        return fail("usage: export_data TABLE [FIELD ...] [btw|at ...] [max K] as csv|csvs \"PATH\" split by \"SEPARATOR\" [replace]");
    const std::vector<token> head(t.begin(), t.begin() + std::ptrdiff_t(as));
    selection sel;
    std::size_t i = 1;
    std::string err = select_rows(st, lock, head, i, sel);
    if (err.empty() && i != head.size())
        err = "unexpected " + head[i].text;
    file_clause c;
    if (err.empty())
        err = read_clause(t, as + 1, true, c);
    if (err.empty())
        err = write_csv(st, sel, c);
    return err.empty() ? done() : fail(err);
}

using proto::csv::line_error;

// The header names the time point column first, then fields (with their types for csvs).
std::string read_header(const std::vector<std::string_view>& h, std::size_t line, bool typed, std::vector<field>& cols)
{
    for (std::size_t k = 0; k < h.size(); ++k) {
        std::string_view n, type;
        const std::string why = proto::csv::read_header_cell(h[k], typed, k == 0, n, type);
        if (!why.empty())
            return line_error(line, why);
        if (k == 0)
            continue;
        field f{std::string(n), kind::str};
        if (typed)
            kind_from_name(type, f.type);
        cols.push_back(f);
    }
    if (cols.size() > max_fields)
        return line_error(line, "more than " + std::to_string(max_fields) + " fields");
    return {};
}

// An import read and checked, ready to go in.
struct prepared_import {
    std::string name;
    std::shared_ptr<table> seen;     // the table as it was when the file was read; null if none
    std::shared_ptr<table> target;   // seen, or the table the import creates
    std::unique_ptr<table> rows;
};

// Reads and checks the whole file against the table as it is: touches no shared state, so it
// needs no lock.
std::string prepare_import(const server_state& st, const std::vector<token>& t, prepared_import& out)
{
    if (t.size() < 3 || !is_word(t[2], "from"))
        return "usage: import TABLE from csv|csvs \"PATH\" split by \"SEPARATOR\"";
    const std::string& name = t[1].text;
    file_clause c;
    std::string err = read_clause(t, 3, false, c);
    if (!err.empty())
        return err;
    if (!st.files_enabled)
        return "file access is disabled";
    std::string full, text;
    if (!(err = resolve_path(st.data_dir, c.path, false, full)).empty() || !platform::read_regular_file(full, text, err))
        return err;
    csv_reader in(text, c.sep);
    std::vector<std::string_view> values;
    if (!in.next(values))
        return in.error().empty() ? proto::csv::header_missing : in.error();
    const std::size_t header_line = in.line();
    std::vector<field> cols;
    if (!(err = read_header(values, header_line, c.typed, cols)).empty())
        return err;

    std::shared_ptr<table> tab = out.seen;
    if (!tab) {
        if (!c.typed)
            return "no table " + name;
        if (!valid_name(name))
            return "invalid table name " + name;
        if (cols.empty())
            return line_error(header_line, proto::csv::no_fields);
        for (std::size_t a = 0; a < cols.size(); ++a) {
            if (!valid_name(cols[a].name))
                return line_error(header_line, "invalid field name " + cols[a].name);
            for (std::size_t b = 0; b < a; ++b)
                if (cols[a].name == cols[b].name)
                    return line_error(header_line, proto::csv::named_twice(cols[a].name));
        }
        tab = std::make_shared<table>(cols);
    }
    std::vector<int> map;
    for (const auto& f : cols) {
        const int idx = tab->field_index(f.name);
        if (idx < 0)
            return line_error(header_line, proto::csv::no_field(f.name, name));
        if (c.typed && tab->fields()[std::size_t(idx)].type != f.type)
            return line_error(header_line, proto::csv::has_type(f.name, info(tab->fields()[std::size_t(idx)].type).name));
        for (int m : map)
            if (m == idx)
                return line_error(header_line, proto::csv::named_twice(f.name));
        map.push_back(idx);
    }

    // Every line is checked into a table of its own before the first row goes in: all or nothing.
    const auto& fields = tab->fields();
    auto rows = std::make_unique<table>(fields);
    std::vector<std::string> row(fields.size()), zero(fields.size());
    for (std::size_t f = 0; f < fields.size(); ++f)
        zero[f] = zero_bytes(fields[f].type);
    while (in.next(values)) {
        if (values.size() != cols.size() + 1)
            return line_error(in.line(), proto::csv::value_count(values.size(), cols.size() + 1));
        civil cv;
        if (!parse_datetime(values[0], cv))
            return line_error(in.line(), proto::csv::invalid_time_point(values[0]));
        if (map.size() != fields.size())
            row = zero;
        for (std::size_t k = 0; k < map.size(); ++k) {
            const field& fd = fields[std::size_t(map[k])];
            const std::string e = parse_literal(fd.type, values[k + 1], row[std::size_t(map[k])]);
            if (!e.empty())
                return line_error(in.line(), proto::csv::field_problem(fd.name, e));
        }
        rows->push(to_time_point(cv), row);
    }
    if (!in.error().empty())
        return in.error();
    out.name = name;
    out.target = tab;
    out.rows = std::move(rows);
    return {};
}

std::shared_ptr<table> table_named(const server_state& st, const std::string& name)
{
    const auto it = st.db.find(name);
    return it == st.db.end() ? nullptr : it->second;
}

outcome finish_import(server_state& st, prepared_import& p)
{
    if (st.sink) {
        const std::string err = record_change(st, change::append_rows, append_rows_payload(p.name, !p.seen, *p.rows));
        if (!err.empty())
            return fail(err);
    }
    if (p.seen) {
        p.seen.reset();
        p.target.reset();
        own(st.db[p.name]).append_rows(std::move(*p.rows));
    } else {
        p.target->append_rows(std::move(*p.rows));
        st.db[p.name] = p.target;
    }
    return done();
}

outcome import_table(server_state& st, const std::vector<token>& t)
{
    prepared_import p;
    if (t.size() > 1)
        p.seen = table_named(st, t[1].text);
    const std::string err = prepare_import(st, t, p);
    return err.empty() ? finish_import(st, p) : fail(err);
}

} // namespace

outcome run_import_unlocked(server_state& st, std::mutex& lock, std::string_view command, const std::vector<token>& t)
{
    prepared_import p;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (t.size() > 1)
            p.seen = table_named(st, t[1].text);
    }
    // The fields of a table never change, so its file is read against them without the lock.
    const std::string err = prepare_import(st, t, p);
    std::lock_guard<std::mutex> hold(lock);
    const auto now = t.size() > 1 ? st.db.find(t[1].text) : st.db.end();
    if ((now != st.db.end() ? now->second->identity() : 0) != (p.seen ? p.seen->identity() : 0))
        return execute_tokens(st, command, t);   // dropped or made meanwhile: again, in order
    return err.empty() ? finish_import(st, p) : fail(err);
}

outcome run_export_unlocked(server_state& st, std::mutex& lock, const std::vector<token>& t)
{
    return t[0].text == "export" ? export_table(st, t, &lock) : export_data(st, t, &lock);
}

outcome run_csv(server_state& st, const std::vector<token>& t)
{
    if (t[0].text == "export")
        return export_table(st, t);
    if (t[0].text == "import")
        return import_table(st, t);
    return export_data(st, t);
}

} // namespace devserver
