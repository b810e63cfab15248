// The fixture of the tests that start servers on a kept database file: a scratch folder, the
// file, its journal, the arguments that use them, and the rows a table holds.
#pragma once

#include "ds_client_helper.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

class kept_db_fixture : public QObject {
protected:
    QTemporaryDir dir;

    QString db() const { return dir.filePath("keep.sbk"); }
    QString journal() const { return db() + ".journal"; }
    QStringList args(const QStringList& more = {}) const
    {
        return QStringList{"--db", db(), "--data", dir.filePath("data")} + more;
    }
    // Rows of a table over this thread's connection; 0 when the view fails.
    static std::uint64_t rows(const std::string& table)
    {
        rs_ptr rs = run("view " + table);
        return rs ? rows_of(rs.get()) : 0;
    }
    // Pushes v = i for i in first .. first + n - 1 into `table`, at "2024-01-01 00:00:00.<i>".
    static bool push_rows(const std::string& table, int first, int n)
    {
        for (int i = first; i < first + n; ++i)
            if (!ok("push into " + table + " v values " + std::to_string(i) + " at \"2024-01-01 00:00:00." +
                    std::to_string(i) + "\""))
                return false;
        return true;
    }
};
