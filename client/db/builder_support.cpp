// Shared pieces of the command builders.
#include "db/builder_support.h"

#include "db/proto_text.h"
#include "support/proto/quoting.h"

#include <cstdlib>

namespace builder_support {

bool run_plain(db_exec &db, const QByteArray &cmd)
{
    result_set *rs = db.run(cmd);
    if (!rs)
        return false;
    del_datas(rs);
    return true;
}

QByteArray text_of(const cell *c)
{
    if (!c || val_type(c) != 2)
        return QByteArray();
    char *bytes = nullptr;
    uint64_t len = 0;
    as_str(&bytes, &len, c);
    QByteArray s(bytes, static_cast<int>(len));
    std::free(bytes);
    return s;
}

bool append_quoted(QByteArray &cmd, const QByteArray &value)
{
    std::string q;
    if (!proto::append_quoted_path(q, view_of(value)))
        return false;
    cmd += bytes_of(q);
    return true;
}

} // namespace builder_support
