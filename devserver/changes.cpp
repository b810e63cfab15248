// Replaying journal records, and the command that reports the bytes the tables hold.
#include "binfile.h"

#include "support/proto/commands.h"
#include "commands.h"
#include "result_writer.h"

namespace devserver {

std::string append_rows_payload(const std::string& name, bool created, const table& rows)
{
    std::string p;
    p += char(name.size() & 0xFF);
    p += char(name.size() >> 8);
    p += name;
    p += created ? '\1' : '\0';
    p += encode_table_file(rows);
    return p;
}

std::string apply_change(server_state& st, change kind, std::string_view payload)
{
    switch (kind) {
    case change::command: {
        const outcome r = execute(st, payload);
        return r.ok ? std::string() : r.body;
    }
    case change::add_tables:
    case change::replace_all: {
        database fresh;
        std::string err = decode_backup_file(payload, fresh);
        if (!err.empty())
            return err;
        if (kind == change::replace_all) {
            st.db = std::move(fresh);
        } else {
            for (auto& entry : fresh)
                st.db[entry.first] = std::move(entry.second);
        }
        return {};
    }
    case change::append_rows: {
        if (payload.size() < 3)
            return "short record";
        const std::size_t len = std::size_t(static_cast<unsigned char>(payload[0])) |
                                std::size_t(static_cast<unsigned char>(payload[1])) << 8;
        if (payload.size() < 3 + len)
            return "short record";
        const std::string name(payload.substr(2, len));
        const bool created = payload[2 + len] != 0;
        std::shared_ptr<table> rows;
        std::string err = decode_table_file(payload.substr(3 + len), rows);
        if (!err.empty())
            return err;
        auto& tab = st.db[name];
        if (created || !tab)
            tab = std::make_shared<table>(rows->fields());
        if (tab->fields().size() != rows->fields().size())
            return "rows do not fit table " + name;
        own(tab).append_rows(std::move(*rows));
        return {};
    }
    }
    return "unknown record";
}

outcome run_used_space(server_state& st, const std::vector<token>& t)
{
    if (t.size() != 2 || !is_word(t[1], "space"))
        return fail(std::string("usage: ") + proto::used_space_command);
    std::uint64_t bytes = 0;
    for (const auto& entry : st.db)
        bytes += entry.second->memory();
    outcome r{true, {}};
    result_writer w(r.body, {proto::used_space_command}, {kind::u64}, 1);
    w.row_id(0);
    w.u64(bytes);
    return r;
}

} // namespace devserver
