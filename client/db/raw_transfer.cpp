// Builders for table files and database backups, with the raw form that carries the file's
// bytes through the connection as hexadecimal text instead of leaving the file to the server.
#include "db/cmd_builders.h"
#include "support/hex_digit.h"

#include "db/builder_support.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <climits>

using builder_support::append_quoted;
using builder_support::run_plain;
using builder_support::text_of;

namespace {

const char *kind_of(bool binary) { return binary ? "bin" : "cmd"; }

using ox::hex_value;

QString local_path(const QByteArray &path) { return QString::fromUtf8(path); }

// The whole file, or false when it cannot be read, is empty, or would not fit in one command.
bool read_payload(const QByteArray &path, QByteArray &bytes)
{
    QFile f(local_path(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError || bytes.isEmpty())
        return false;
    // Every byte takes four characters; the command's length travels as an int.
    return bytes.size() < (INT_MAX - 4096) / 4;
}

// Sends "<head> from raw "<hex>";" or "<head> "<path>"".
bool send_from_file(db_exec &db, QByteArray cmd, const QByteArray &path, bool raw)
{
    if (raw) {
        QByteArray bytes;
        if (!read_payload(path, bytes))
            return false;
        const QByteArray hex = hex_escape(bytes);
        bytes.clear();
        cmd.reserve(cmd.size() + hex.size() + 16);
        cmd += " from raw \"";
        cmd += hex;
        cmd += "\";";
    } else {
        cmd += ' ';
        if (!append_quoted(cmd, path))
            return false;
    }
    return run_plain(db, cmd);
}

// Writes the decoded payload of a raw reply to path; false when the file exists and may not
// be replaced, or cannot be written whole. The old file stays intact until the new one is
// complete, so a failed write never loses it.
bool write_payload(const result_set *rs, const QByteArray &path, bool replace)
{
    const QString file = local_path(path);
    if (QFileInfo::exists(file) && !replace)
        return false;
    QByteArray bytes;
    const uint64_t n = rows_of(rs);
    for (uint64_t row = 0; row < n; ++row)
        if (!hex_decode_append(text_of(at(row, 0, rs)), bytes))
            break;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
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
    return send_from_file(db, "load " + table + " from " + kind_of(binary), path, raw);
}

bool restore_db(db_exec &db, const QByteArray &path, bool binary, bool raw)
{
    return send_from_file(db, QByteArray("restore from ") + kind_of(binary), path, raw);
}

bool save_table(db_exec &db, const QByteArray &table, const QByteArray &path, bool binary,
                bool replace, bool raw)
{
    return save_to_file(db, "save " + table + " as " + kind_of(binary), path, replace, raw);
}

bool backup_db(db_exec &db, const QByteArray &path, bool binary, bool replace, bool raw)
{
    return save_to_file(db, QByteArray("backup as ") + kind_of(binary), path, replace, raw);
}
