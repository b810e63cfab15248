// Writing and reading command files; values are written so that they read back exactly.
#include "cmdfile.h"

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

std::string run_command_file(std::string_view text, database& db)
{
    server_state scratch;
    scratch.db = std::move(db);
    scratch.files_enabled = false;
    std::size_t line = 0, pos = 0;
    std::string err;
    while (pos < text.size() && err.empty()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view l = text.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!l.empty() && l.back() == '\r')
            l.remove_suffix(1);
        std::size_t b = 0;
        while (b < l.size() && (l[b] == ' ' || l[b] == '\t'))
            ++b;
        if (b == l.size() || l.substr(b, 2) == "//" || l[b] == '#')
            continue;
        const std::string verb = verb_of(l);
        if (verb != "create" && verb != "push") {
            err = "line " + std::to_string(line) + ": only create and push lines are read from command files";
            break;
        }
        const outcome r = execute(scratch, l);
        if (!r.ok)
            err = "line " + std::to_string(line) + ": " + r.body;
    }
    db = std::move(scratch.db);
    return err;
}

} // namespace devserver
