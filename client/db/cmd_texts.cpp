// The view, push and update texts and the value literals they carry.
#include "db/cmd_texts.h"

#include "db/proto_text.h"
#include "db/value_kinds.h"
#include "support/proto/quoting.h"

namespace cmd_texts {

QByteArray view(const QByteArray &table, const name_list &fields)
{
    QByteArray cmd = "view " + table;
    for (const QByteArray &f : fields)
        cmd += ' ' + f;
    return cmd;
}

QByteArray view_between(const QByteArray &table, const name_list &fields, const ox::db::mem::date_time &begin,
                        const ox::db::mem::date_time &end)
{
    QByteArray cmd = "view " + table + ' ' + fields.join(' ');
    cmd += " btw " + ox::db::mem::to_text(begin).toUtf8() + ' ' + ox::db::mem::to_text(end).toUtf8();
    return cmd;
}

void append_max(QByteArray &cmd, int max_rows) { cmd += " max " + QByteArray::number(max_rows); }

QByteArray literal_for(const QByteArray &text, const QByteArray &type_name)
{
    const value_kind k = kind_of(type_name);
    if (is_temporal(k))
        return '"' + text + '"';
    if (k == value_kind::str) {
        // Quoted, so blanks and command words inside a string stay part of the value.
        return bytes_of(proto::quoted(view_of(text)));
    }
    if (is_integer(k)) {
        QByteArray out = text; // the grouped binary text of u08 must stay one token
        out.replace(' ', QByteArray());
        return out;
    }
    return text;
}

QByteArray push_head(const QByteArray &table, const name_list &fields)
{
    QByteArray cmd = "push into " + table;
    for (const QByteArray &f : fields)
        cmd += ' ' + f;
    return cmd + " values";
}

QByteArray push(const QByteArray &table, const name_list &fields, const name_list &values, const QByteArray *at)
{
    QByteArray cmd = push_head(table, fields);
    for (const QByteArray &v : values)
        cmd += ' ' + v;
    if (at)
        cmd += " at " + *at;
    return cmd;
}

QByteArray update(const QByteArray &table, const QList<field_value> &sets, const QByteArray *at)
{
    QByteArray cmd = "update " + table + " set";
    for (const field_value &s : sets)
        cmd += ' ' + s.first + ' ' + s.second;
    if (at)
        cmd += " at " + *at;
    return cmd;
}

} // namespace cmd_texts
