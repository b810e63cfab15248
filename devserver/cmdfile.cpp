// Writing and reading command files; values are written so that they read back exactly.
#include "cmdfile.h"

#include <algorithm>

namespace devserver {

void append_table_commands(std::string& out, const std::string& name, const table& tab)
{
    out += "create " + name;
    for (const auto& f : tab.fields())
        out += " " + f.name + " " + info(f.type).name;
    out += '\n';
    std::string head = "push into " + name;
    for (const auto& f : tab.fields())
        head += " " + f.name;
    head += " values";
    for (std::size_t r = 0; r < tab.rows(); ++r) {
        out += head;
        for (std::size_t f = 0; f < tab.fields().size(); ++f) {
            const column& c = tab.col(f);
            out += ' ';
            if (c.type() == kind::str || c.type() >= kind::date)
                out += quote(c.width() ? text_of(c.type(), c.fixed_at(r), c.width()) : c.string_at(r));
            else
                out += text_of(c.type(), c.fixed_at(r), c.width(), true);
        }
        out += " at \"" + datetime_text(to_civil(tab.time_at(r))) + "\"\n";
    }
}

namespace {

// Calls line(number, text) for each line that is not blank or a remark, until it answers false.
template <class F> void for_each_line(std::string_view text, F line)
{
    std::size_t number = 0, pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view l = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!l.empty() && l.back() == '\r')
            l.remove_suffix(1);
        std::size_t b = 0;
        while (b < l.size() && (l[b] == ' ' || l[b] == '\t'))
            ++b;
        if (b == l.size() || l.substr(b, 2) == "//" || l[b] == '#')
            continue;
        if (!line(number, l))
            return;
    }
}

std::string line_error(std::size_t line, const std::string& why) { return "line " + std::to_string(line) + ": " + why; }

std::string_view first_word(std::string_view l)
{
    const std::size_t b = l.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    const std::size_t e = l.find_first_of(" ;\n", b);
    return l.substr(b, e == std::string_view::npos ? std::string_view::npos : e - b);
}

const char* const only_create_and_push = "only create and push lines are read from command files";

} // namespace

std::string run_command_file(std::string_view text, database& db)
{
    server_state scratch;
    scratch.db = std::move(db);
    scratch.files_enabled = false;
    std::string err;
    for_each_line(text, [&](std::size_t line, std::string_view l) {
        const std::string verb = verb_of(l);
        if (verb != "create" && verb != "push") {
            err = line_error(line, only_create_and_push);
            return false;
        }
        const outcome r = execute(scratch, l);
        if (!r.ok)
            err = line_error(line, r.body);
        return err.empty();
    });
    db = std::move(scratch.db);
    return err;
}

std::string read_push_lines(std::string_view text, const std::string& name, table& rows, bool& creates)
{
    creates = false;
    // A row a line, nearly: room for all of them at once instead of growing by copies.
    rows.reserve(std::size_t(std::count(text.begin(), text.end(), '\n')) + 1);
    std::string err;
    std::vector<token> t;
    std::vector<std::string> values;
    time_point tp;
    for_each_line(text, [&](std::size_t line, std::string_view l) {
        const std::string_view verb = first_word(l);
        if (verb == "create") {
            creates = true;
            return false;
        }
        if (verb != "push") {
            err = line_error(line, only_create_and_push);
            return false;
        }
        std::string why = tokenize(l, t);
        if (why.empty() && (t.size() < 3 || !is_word(t[1], "into")))
            why = "usage: push into TABLE FIELD... values VALUE... at TIMEPOINT";
        if (why.empty() && t[2].text != name)
            why = "push into " + quote_start(t[2].text) + " refused: this load goes into " + name + " only";
        if (why.empty())
            why = parse_push(rows, name, t, 3, tp, values);
        if (!why.empty()) {
            err = line_error(line, why);
            return false;
        }
        rows.push(tp, values);
        return true;
    });
    return creates ? std::string() : err;
}

} // namespace devserver
