// Command dispatch and the readers of time points and values that every command shares.
#include "commands.h"

#include "support/proto/commands.h"

#include <cstring>

namespace devserver {

outcome done() { return {true, std::string()}; }

std::string verb_of(std::string_view command)
{
    std::size_t b = 0;
    while (b < command.size() && command[b] == ' ')
        ++b;
    std::size_t e = b;
    while (e < command.size() && e - b < 24 && command[e] != ' ' && command[e] != ';' && command[e] != '\n')
        ++e;
    std::string v(command.substr(b, e - b));
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    return v.empty() ? std::string("(empty)") : v;
}

bool read_time_point(const std::vector<token>& t, std::size_t& i, time_point& tp)
{
    if (i >= t.size())
        return false;
    civil c;
    if (t[i].quoted) {
        if (!parse_datetime(t[i].text, c)) {
            civil d;
            if (!parse_date(t[i].text, d))
                return false;
            c = d;
        }
        ++i;
    } else {
        if (i + 1 >= t.size() || !parse_date(t[i].text, c) || t[i + 1].quoted || !parse_time(t[i + 1].text, c))
            return false;
        i += 2;
    }
    tp = to_time_point(c);
    return true;
}

namespace {

bool binary_group(const std::string& s)
{
    std::size_t n = s.size();
    if (n >= 2 && s[n - 2] == 'u' && s[n - 1] == '1')
        n -= 2;
    if (n != 4)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (s[i] != '0' && s[i] != '1')
            return false;
    return true;
}

bool binary_head(const std::string& s)
{
    std::size_t p = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (s.size() < p + 3 || s[p] != '0' || (s[p + 1] != 'b' && s[p + 1] != 'B'))
        return false;
    for (std::size_t i = p + 2; i < s.size(); ++i)
        if (s[i] != '0' && s[i] != '1')
            return false;
    return true;
}

} // namespace

std::string read_value(kind k, const std::vector<token>& t, std::size_t& i, std::size_t end, std::string& bytes)
{
    if (i >= end)
        return "value missing";
    const std::string& first = t[i].text;
    ++i;
    if (k == kind::datetime && !t[i - 1].quoted && i < end && !t[i].quoted && first.size() == 10) {
        const std::string text = first + ' ' + t[i].text;
        ++i;
        return parse_literal(k, text, bytes);
    }
    if (k == kind::u08 && !t[i - 1].quoted && binary_head(first)) {
        // The grid shows u08 in binary as "0b0000 0101": take the second group along.
        std::string text = first;
        while (i < end && !t[i].quoted && binary_group(t[i].text) && text.size() - text.find_first_of("bB") - 1 < 8) {
            text += t[i].text;
            ++i;
        }
        return parse_literal(k, text, bytes);
    }
    return parse_literal(k, first, bytes);
}

std::string record_change(server_state& st, change kind, std::string_view payload)
{
    return st.sink ? st.sink->record(kind, payload, false) : std::string();
}

std::string record_command(server_state& st, bool frees_space)
{
    return st.sink ? st.sink->record(change::command, st.command, frees_space) : std::string();
}

table& own(std::shared_ptr<table>& entry)
{
    // Under the database lock no one takes a new hold of the entry, so a count of one stays one.
    if (entry.use_count() > 1)
        entry = std::make_shared<table>(*entry);
    return *entry;
}

bool is_remark(std::string_view command)
{
    const std::size_t b = command.find_first_not_of(" \t\r\n");
    return b != std::string_view::npos && command.compare(b, 2, "//") == 0;
}

std::string quote_start(std::string_view text)
{
    constexpr std::size_t most = 200;
    if (text.size() <= most)
        return std::string(text);
    // Cut before a UTF-8 continuation byte, never inside a character.
    std::size_t n = most;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return std::string(text.substr(0, n)) + "... (" + std::to_string(text.size()) + " bytes)";
}

outcome execute(server_state& st, std::string_view command)
{
    if (is_remark(command))
        return done();
    std::vector<token> t;
    const std::string err = tokenize(command, t);
    if (!err.empty())
        return fail(err);
    return execute_tokens(st, command, t);
}

outcome execute_locked(server_state& st, std::mutex& lock, std::string_view command, const std::vector<token>& t)
{
    outcome r;
    const proto::command_word* w = t.empty() || t[0].quoted ? nullptr : proto::find_command(t[0].text);
    if (w && w->family == proto::command_family::csv && is_word(t[0], "import"))
        r = run_import_unlocked(st, lock, command, t);
    else if (w && w->family == proto::command_family::csv)
        r = run_export_unlocked(st, lock, t);
    else if (w && w->family == proto::command_family::files)
        r = run_files_unlocked(st, lock, t);
    else {
        std::lock_guard<std::mutex> hold(lock);
        return execute_tokens(st, command, t);
    }
    if (!r.ok && r.body.size() > 200)
        r.body = quote_start(r.body);
    return r;
}

namespace {

outcome dispatch(server_state& st, std::string_view command, const std::vector<token>& t)
{
    st.command = command;
    if (t.empty())
        return fail("empty command");
    const std::string& v = t[0].text;
    if (t[0].quoted)
        return fail("unknown command");
    if (const proto::command_word* w = proto::find_command(v)) {
        switch (w->family) {
        case proto::command_family::schema: return run_schema(st, t);
        case proto::command_family::rows: return run_rows(st, t);
        case proto::command_family::csv: return run_csv(st, t);
        case proto::command_family::files: return run_files(st, t);
        case proto::command_family::space: return run_used_space(st, t);
        }
    }
    return fail("unknown command " + verb_of(v));
}

} // namespace

outcome execute_tokens(server_state& st, std::string_view command, const std::vector<token>& t)
{
    outcome r = dispatch(st, command, t);
    // Reasons may quote the command: a huge one must not be echoed into the reply and the log.
    if (!r.ok && r.body.size() > 200)
        r.body = quote_start(r.body);
    return r;
}

} // namespace devserver
