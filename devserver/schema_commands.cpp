// Commands on the table list and table definitions: show tables, field_of, create, drop, truncate.
#include "commands.h"
#include "result_writer.h"

namespace devserver {

namespace {

outcome show_tables(server_state& st)
{
    outcome r{true, {}};
    result_writer w(r.body, {"table", "begin", "end", "rows"}, {kind::str, kind::datetime, kind::datetime, kind::u64},
                    st.db.size());
    for (const auto& [name, tab] : st.db) {
        w.row_id(0);
        w.str(name);
        if (tab->rows() == 0) {
            w.datetime(min_time_point());
            w.datetime(max_time_point());
        } else {
            w.datetime(tab->time_at(0));
            w.datetime(tab->time_at(tab->rows() - 1));
        }
        w.u64(tab->rows());
    }
    return r;
}

outcome field_list(server_state& st, const std::vector<token>& t)
{
    if (t.size() != 2)
        return fail("usage: field_of TABLE");
    auto it = st.db.find(t[1].text);
    if (it == st.db.end())
        return fail("no table " + t[1].text);
    const auto& fields = it->second->fields();
    outcome r{true, {}};
    result_writer w(r.body, {"field", "type", "index"}, {kind::str, kind::str, kind::u64}, fields.size());
    std::uint64_t n = 0;
    for (const auto& f : fields) {
        w.row_id(++n);
        w.str(f.name);
        w.str(info(f.type).name);
        w.u64(0);
    }
    return r;
}

outcome create(server_state& st, const std::vector<token>& t)
{
    if (t.size() < 2)
        return fail("usage: create TABLE FIELD TYPE [FIELD TYPE ...]");
    const std::string& name = t[1].text;
    if (!valid_name(name))
        return fail("invalid table name " + name);
    if (st.db.count(name))
        return fail("table " + name + " exists");
    if (t.size() < 4 || t.size() % 2 != 0)
        return fail("create needs pairs of field name and type");
    std::vector<field> fields;
    for (std::size_t i = 2; i + 1 < t.size(); i += 2) {
        field f;
        f.name = t[i].text;
        if (!valid_name(f.name))
            return fail("invalid field name " + f.name);
        for (const auto& g : fields)
            if (g.name == f.name)
                return fail("field " + f.name + " named twice");
        if (!kind_from_name(t[i + 1].text, f.type))
            return fail("unknown type " + t[i + 1].text);
        fields.push_back(f);
    }
    if (fields.size() > max_fields)
        return fail("more than " + std::to_string(max_fields) + " fields");
    if (std::string e = record_command(st); !e.empty())
        return fail(e);
    st.db[name] = std::make_shared<table>(std::move(fields));
    return done();
}

} // namespace

outcome run_schema(server_state& st, const std::vector<token>& t)
{
    const std::string& v = t[0].text;
    if (v == "show") {
        if (t.size() != 2 || !is_word(t[1], "tables"))
            return fail("usage: show tables");
        return show_tables(st);
    }
    if (v == "field_of" || v == "fields_of")
        return field_list(st, t);
    if (v == "create")
        return create(st, t);
    if (t.size() != 2)
        return fail("usage: " + v + " TABLE");
    auto it = st.db.find(t[1].text);
    if (it == st.db.end())
        return fail("no table " + t[1].text);
    if (std::string e = record_command(st, true); !e.empty())
        return fail(e);
    if (v == "drop")
        st.db.erase(it);
    else
        own(it->second).truncate();
    return done();
}

} // namespace devserver
