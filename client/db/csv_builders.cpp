// Builders for the CSV exports and imports that the server carries out on its own files.
#include "db/cmd_builders.h"

#include "db/builder_support.h"
#include "db/client_log.h"

using builder_support::append_quoted;
using builder_support::run_plain;

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Appends the quoted path and the split clause; false when either cannot be quoted.
bool append_file_clause(QByteArray &cmd, const QByteArray &path, const QByteArray &separator)
{
    cmd += ' ';
    if (!append_quoted(cmd, path))
        return false;
    cmd += " split by ";
    return append_quoted(cmd, separator);
}

const char *format_of(bool csv) { return csv ? "csv" : "csvs"; }

} // namespace

QByteArray export_verb(const QByteArray &query)
{
    int start = 0;
    while (start < query.size() && is_blank(query[start]))
        ++start;
    int end = start;
    while (end < query.size() && !is_blank(query[end]))
        ++end;
    // A short text with no words after its verb is left alone: there is nothing to export.
    if (end == query.size() && query.size() <= 3)
        return query;
    return "export_data" + query.mid(end);
}

bool export_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool replace, bool suppress)
{
    client_log::file_op op("export table to server csv file", table, QString::fromUtf8(path));
    QByteArray cmd = "export " + table + " as ";
    if (!suppress) {
        cmd += format_of(csv);
        if (!append_file_clause(cmd, path, separator))
            return op.done(false, -1, "the path or separator cannot be quoted");
        if (replace)
            cmd += " replace";
    }
    return op.done(run_plain(db, cmd));
}

bool import_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool suppress)
{
    client_log::file_op op("import table from server csv file", table, QString::fromUtf8(path));
    QByteArray cmd = "import " + table + " from ";
    if (!suppress) {
        cmd += format_of(csv);
        if (!append_file_clause(cmd, path, separator))
            return op.done(false, -1, "the path or separator cannot be quoted");
    }
    return op.done(run_plain(db, cmd));
}

bool export_query(db_exec &db, const QByteArray &query, const QByteArray &path, bool csv,
                  const QByteArray &separator, bool replace, bool suppress)
{
    client_log::file_op op("export query to server csv file", {}, QString::fromUtf8(path));
    QByteArray cmd = export_verb(query);
    if (!suppress) {
        cmd += " as ";
        cmd += format_of(csv);
        if (!append_file_clause(cmd, path, separator))
            return op.done(false, -1, "the path or separator cannot be quoted");
        if (replace)
            cmd += " replace";
    }
    return op.done(run_plain(db, cmd));
}
