// Commands on rows: push into, update and view.
#include "commands.h"

#include "support/proto/commands.h"
#include "result_writer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace devserver {

namespace {

// Index of the "at" that starts the trailing time point, or 0 when the text has none.
std::size_t trailing_at(const std::vector<token>& t, std::size_t from)
{
    if (t.empty())
        return 0;
    const std::size_t n = t.size();
    const std::size_t at = t.back().quoted ? n - 2 : n - 3;
    if (n < 3 || at < from || at >= n || !is_word(t[at], "at"))
        return 0;
    return at;
}

std::shared_ptr<table> find_table(server_state& st, const std::string& name)
{
    auto it = st.db.find(name);
    return it == st.db.end() ? nullptr : it->second;
}

outcome push(server_state& st, const std::vector<token>& t)
{
    if (t.size() < 3 || !is_word(t[1], "into"))
        return fail("usage: push into TABLE FIELD... values VALUE... at TIMEPOINT");
    auto tab = find_table(st, t[2].text);
    if (!tab)
        return fail("no table " + t[2].text);
    time_point tp;
    std::vector<std::string> values;
    const std::string err = parse_push(*tab, t[2].text, t, 3, tp, values);
    if (!err.empty())
        return fail(err);
    if (std::string e = record_command(st); !e.empty())
        return fail(e);
    tab.reset();   // only the database's hold counts for own()
    own(st.db[t[2].text]).push(tp, values);
    return done();
}

outcome update(server_state& st, const std::vector<token>& t)
{
    if (t.size() < 3 || !is_word(t[2], "set"))
        return fail("usage: update TABLE set FIELD VALUE [FIELD VALUE ...] at TIMEPOINT");
    auto tab = find_table(st, t[1].text);
    if (!tab)
        return fail("no table " + t[1].text);
    const std::size_t at = trailing_at(t, 3);
    if (at == 0)
        return fail("at TIMEPOINT expected at the end");
    time_point tp;
    std::size_t j = at + 1;
    if (!read_time_point(t, j, tp) || j != t.size())
        return fail("invalid time point");
    std::vector<std::pair<std::size_t, std::string>> sets;
    std::size_t i = 3;
    while (i < at) {
        const int f = tab->field_index(t[i].text);
        if (f < 0)
            return fail("no field " + t[i].text + " in " + t[1].text);
        ++i;
        std::string bytes;
        const std::string err = read_value(tab->fields()[std::size_t(f)].type, t, i, at, bytes);
        if (!err.empty())
            return fail(tab->fields()[std::size_t(f)].name + ": " + err);
        sets.emplace_back(std::size_t(f), std::move(bytes));
    }
    if (sets.empty())
        return fail("nothing to set");
    std::size_t first, last;
    tab->range(tp, tp, first, last);
    if (first == last)
        return fail("no row at that time point");
    if (std::string e = record_command(st); !e.empty())
        return fail(e);
    tab.reset();
    table& target = own(st.db[t[1].text]);
    for (std::size_t r = first; r < last; ++r)
        for (const auto& s : sets)
            target.assign(r, s.first, s.second);
    return done();
}

outcome view(server_state& st, const std::vector<token>& t)
{
    selection sel;
    std::size_t i = 1;
    const std::string err = parse_selection(st, t, i, t.size(), sel);
    if (!err.empty())
        return fail(err);
    if (i != t.size())
        return fail("unexpected " + t[i].text);
    const table& tab = *sel.tab;
    std::vector<std::string> names{proto::time_point_name};
    std::vector<kind> kinds{kind::datetime};
    for (int f : sel.fields) {
        names.push_back(tab.fields()[std::size_t(f)].name);
        kinds.push_back(tab.fields()[std::size_t(f)].type);
    }
    outcome r{true, {}};
    const std::size_t n = sel.last - sel.first;
    result_writer w(r.body, names, kinds, n);
    // Exact size first, then one pass of plain copies into the buffer: a million rows must
    // not cost a million small appends.
    std::size_t total = n * (8 + 11);
    for (int f : sel.fields) {
        const column& c = tab.col(std::size_t(f));
        if (c.width()) {
            total += n * c.width();
        } else {
            for (std::size_t row = sel.first; row < sel.last; ++row)
                total += 2 + std::min<std::size_t>(c.string_at(row).size(), 65535);
        }
    }
    const std::size_t head = r.body.size();
    r.body.resize(head + total);
    char* out = &r.body[head];
    std::int64_t cached_day = -1;
    char day_bytes[4] = {};
    for (std::size_t row = sel.first; row < sel.last; ++row) {
        const std::uint64_t id = tab.id_at(row);
        for (int b = 0; b < 8; ++b)
            out[b] = char((id >> (8 * b)) & 0xFF);
        out += 8;
        const time_point tp = tab.time_at(row);
        const std::int64_t day = tp.sec / 86400;
        if (day != cached_day) {
            put_date(day_bytes, to_civil(time_point{day * 86400, 0}));
            cached_day = day;
        }
        std::memcpy(out, day_bytes, 4);
        const std::int64_t rem = tp.sec - day * 86400;
        out[4] = char(rem / 3600);
        out[5] = char(rem / 60 % 60);
        out[6] = char(rem % 60);
        for (int b = 0; b < 4; ++b)
            out[7 + b] = char((tp.ns >> (8 * b)) & 0xFF);
        out += 11;
        for (int f : sel.fields) {
            const column& c = tab.col(std::size_t(f));
            if (const std::size_t width = c.width()) {
                std::memcpy(out, c.fixed_at(row), width);
                out += width;
            } else {
                const std::string& str = c.string_at(row);
                const std::size_t len = std::min<std::size_t>(str.size(), 65535);
                out[0] = char(len & 0xFF);
                out[1] = char(len >> 8);
                std::memcpy(out + 2, str.data(), len);
                out += 2 + len;
            }
        }
    }
    return r;
}

bool parse_count(const std::string& s, std::uint64_t& k)
{
    if (s.empty() || s.size() > 19)
        return false;
    k = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        k = k * 10 + std::uint64_t(c - '0');
    }
    return true;
}

} // namespace

std::string parse_push(const table& tab, const std::string& name, const std::vector<token>& t, std::size_t i,
                       time_point& tp, std::vector<std::string>& values)
{
    // Kept per thread: a load reads many thousands of push lines.
    thread_local std::vector<int> named;
    named.clear();
    while (i < t.size() && !is_word(t[i], "values")) {
        const int f = tab.field_index(t[i].text);
        if (f < 0)
            return "no field " + t[i].text + " in " + name;
        if (std::find(named.begin(), named.end(), f) != named.end())
            return "field " + t[i].text + " named twice";
        named.push_back(f);
        ++i;
    }
    if (i >= t.size())
        return "values expected";
    const std::size_t at = trailing_at(t, i + 1);
    if (at == 0)
        return "at TIMEPOINT expected at the end";
    std::size_t j = at + 1;
    if (!read_time_point(t, j, tp) || j != t.size())
        return "invalid time point";
    values.resize(tab.fields().size());
    for (std::size_t f = 0; f < values.size(); ++f)
        values[f] = zero_bytes(tab.fields()[f].type);
    ++i;
    for (int f : named) {
        if (i >= at)
            return "field and value counts differ";
        const std::string err = read_value(tab.fields()[std::size_t(f)].type, t, i, at, values[std::size_t(f)]);
        if (!err.empty())
            return tab.fields()[std::size_t(f)].name + ": " + err;
    }
    if (i != at)
        return "field and value counts differ";
    return {};
}

std::string parse_selection(server_state& st, const std::vector<token>& t, std::size_t& i, std::size_t end,
                            selection& sel)
{
    if (i >= end)
        return "table name expected";
    sel.tab = find_table(st, t[i].text);
    if (!sel.tab)
        return "no table " + t[i].text;
    const table& tab = *sel.tab;
    ++i;
    while (i < end && !is_word(t[i], "btw") && !is_word(t[i], "at") && !is_word(t[i], "max") &&
           !is_word(t[i], "as")) {
        const int f = tab.field_index(t[i].text);
        if (f < 0)
            return "no field " + t[i].text;
        sel.fields.push_back(f);
        ++i;
    }
    if (sel.fields.empty())
        for (std::size_t f = 0; f < tab.fields().size(); ++f)
            sel.fields.push_back(int(f));
    time_point begin = min_time_point(), stop = max_time_point();
    if (i < end && is_word(t[i], "btw")) {
        ++i;
        if (!read_time_point(t, i, begin) || !read_time_point(t, i, stop))
            return "btw needs two time points";
    } else if (i < end && is_word(t[i], "at")) {
        ++i;
        if (!read_time_point(t, i, begin))
            return "at needs a time point";
        stop = begin;
    }
    tab.range(begin, stop, sel.first, sel.last);
    if (i < end && is_word(t[i], "max")) {
        std::uint64_t k;
        if (i + 1 >= end || !parse_count(t[i + 1].text, k))
            return "max needs a count";
        i += 2;
        if (k < sel.last - sel.first)
            sel.last = sel.first + std::size_t(k);
    }
    if (i > end)
        return "incomplete selection";
    return {};
}

outcome run_rows(server_state& st, const std::vector<token>& t)
{
    if (t[0].text == "push")
        return push(st, t);
    if (t[0].text == "update")
        return update(st, t);
    return view(st, t);
}

} // namespace devserver
