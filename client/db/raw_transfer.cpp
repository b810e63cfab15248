// Builders for table files and database backups, with the raw form that carries the file's
// bytes through the connection as hexadecimal text instead of leaving the file to the server.
#include "db/cmd_builders.h"
#include "support/hex_digit.h"

#include "db/builder_support.h"
#include "db/client_log.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

using builder_support::append_quoted;
using builder_support::run_plain;
using builder_support::text_of;

namespace {

const char *kind_of(bool binary) { return binary ? "bin" : "cmd"; }

using ox::hex_value;

QString local_path(const QByteArray &path) { return QString::fromUtf8(path); }

// Appends " from raw "<hex>";" with the file's bytes escaped straight into the command: the
// command is the only copy of the payload (four bytes per byte of the file). False when the
// file cannot be read, is empty or is too big for a client-side transfer.
bool append_raw_clause(QByteArray &cmd, const QByteArray &path)
{
    QFile f(local_path(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = f.size();
    if (size <= 0 || size > client_file_limit)
        return false;
    static const char digits[] = "0123456789abcdef";
    const QByteArray open = " from raw \"";
    const int head = cmd.size();
    cmd.resize(int(head + open.size() + size * 4 + 2));
    char *p = cmd.data() + head;
    std::memcpy(p, open.constData(), size_t(open.size()));
    p += open.size();
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    qint64 left = size;
    while (left > 0) {
        const qint64 n = f.read(chunk.data(), qMin<qint64>(left, chunk.size()));
        if (n <= 0)
            return false;
        for (qint64 i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(chunk[int(i)]);
            *p++ = '\\';
            *p++ = 'x';
            *p++ = digits[b >> 4];
            *p++ = digits[b & 0x0f];
        }
        left -= n;
    }
    *p++ = '"';
    *p++ = ';';
    return true;
}

// Sends "<head> from raw "<hex>";" or "<head> "<path>"".
bool send_from_file(db_exec &db, QByteArray cmd, const QByteArray &path, bool raw)
{
    if (raw) {
        // The wrapper logs a command this size by its start and length, without a copy.
        if (!append_raw_clause(cmd, path))
            return false;
        return run_plain(db, cmd);
    }
    cmd += ' ';
    if (!append_quoted(cmd, path))
        return false;
    return run_plain(db, cmd);
}

// Writes the decoded payload of a raw reply to path; false when the file exists and may not
// be replaced, or cannot be written whole. The old file stays intact until the new one is
// complete, so a failed write never loses it. The bytes go out a piece at a time, so the
// reply is the only whole copy of the payload.
bool write_payload(const result_set *rs, const QByteArray &path, bool replace)
{
    const QString file = local_path(path);
    if (QFileInfo::exists(file) && !replace)
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    const uint64_t n = rows_of(rs);
    bool more = true;
    for (uint64_t row = 0; row < n && more; ++row) {
        more = hex_decode_append(text_of(at(row, 0, rs)), bytes);
        if (bytes.size() >= (1 << 20) || !more || row + 1 == n) {
            if (out.write(bytes) != bytes.size()) {
                out.cancelWriting();
                return false;
            }
            bytes.clear();
        }
    }
    return out.commit();
}

// Runs a save or backup command; with raw the reply's payload goes into the local file.
bool save_to_file(db_exec &db, QByteArray cmd, const QByteArray &path, bool replace, bool raw)
{
    if (raw) {
        cmd += " as raw";
    } else {
        cmd += ' ';
        if (!append_quoted(cmd, path))
            return false;
        if (replace)
            cmd += " replace";
    }
    result_set *rs = db.run(cmd);
    if (!rs)
        return false;
    const bool ok = !raw || write_payload(rs, path, replace);
    del_datas(rs);
    return ok;
}

// The log line of a table file or backup; with raw the client moved the file, so its size is
// known.
bool logged(client_log::file_op &op, bool ok, const QByteArray &path, bool raw)
{
    return op.done(ok, raw && ok ? QFileInfo(local_path(path)).size() : -1);
}

} // namespace

QByteArray hex_escape(const QByteArray &bytes)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray out(bytes.size() * 4, Qt::Uninitialized);
    char *p = out.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *p++ = '\\';
        *p++ = 'x';
        *p++ = digits[b >> 4];
        *p++ = digits[b & 0x0f];
    }
    return out;
}

bool hex_decode_append(const QByteArray &text, QByteArray &out)
{
    const int pairs = text.size() / 2;
    out.reserve(out.size() + pairs);
    for (int i = 0; i < pairs; ++i) {
        const int hi = hex_value(text[2 * i]);
        const int lo = hex_value(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi << 4 | lo);
    }
    return text.size() % 2 == 0;
}

bool load_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool binary, bool raw)
{
    client_log::file_op op(raw ? "load table from client file" : "load table from server file", table, local_path(path));
    return logged(op, send_from_file(db, "load " + table + " from " + kind_of(binary), path, raw), path, raw);
}

bool restore_db(db_exec &db, const QByteArray &path, bool binary, bool raw)
{
    client_log::file_op op(raw ? "restore from client file" : "restore from server file", {}, local_path(path));
    return logged(op, send_from_file(db, QByteArray("restore from ") + kind_of(binary), path, raw), path, raw);
}

bool save_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool binary,
                bool replace, bool raw)
{
    client_log::file_op op(raw ? "save table to client file" : "save table to server file", table, local_path(path));
    return logged(op, save_to_file(db, "save " + table + " as " + kind_of(binary), path, replace, raw), path, raw);
}

bool backup_db(db_exec &db, const QByteArray &path, bool binary, bool replace, bool raw)
{
    client_log::file_op op(raw ? "backup to client file" : "backup to server file", {}, local_path(path));
    return logged(op, save_to_file(db, QByteArray("backup as ") + kind_of(binary), path, replace, raw), path, raw);
}
