// The texts of the commands the data view, its follow, the grid edits and the client's exports
// send: composed here so that no window joins command words of its own.
#pragma once

#include "db/result_table.h"
#include "support/mem_time.h"

#include <QByteArray>
#include <QList>
#include <utility>

namespace cmd_texts {

// "view T f1 f2": every field when the list is empty.
QByteArray view(const QByteArray &table, const name_list &fields);
// "view T f1 f2 btw B E". The field list keeps its place even when empty ("view T  btw B E").
QByteArray view_between(const QByteArray &table, const name_list &fields, const ox::db::mem::date_time &begin,
                        const ox::db::mem::date_time &end);
// Appends " max K", the row limit of a view.
void append_max(QByteArray &cmd, int max_rows);

// A value text as it goes into a command: dates and times in double quotes; strings as a quoted
// token with the command language's escapes; integers without the blanks of their grouping;
// other numbers unchanged.
QByteArray literal_for(const QByteArray &text, const QByteArray &type_name);

// "push into T f1 f2 values", the start every push of those fields shares.
QByteArray push_head(const QByteArray &table, const name_list &fields);
// "push into T f1 f2 values v1 v2 at P": values are literals; at is the time point's text, or
// null when the row names none.
QByteArray push(const QByteArray &table, const name_list &fields, const name_list &values, const QByteArray *at);
// "update T set f1 v1 f2 v2 at P": each pair is a field and its literal.
using field_value = std::pair<QByteArray, QByteArray>;
QByteArray update(const QByteArray &table, const QList<field_value> &sets, const QByteArray *at);

} // namespace cmd_texts
