// Runs a command through the execution wrapper and tells whether the server took it, for the
// tests that prepare tables; the result set is released at once. Only for tests that link the
// command layer.
#pragma once

#include "db/db_exec.h"

inline bool run_ok(db_exec &db, const QByteArray &cmd, int quiet = 0)
{
    result_set *rs = db.run(cmd, quiet);
    del_datas(rs);
    return rs != nullptr;
}
