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

const char hex_digits[] = "0123456789abcdef";

// Each of n bytes as "\x" and two lowercase hex digits: 4 n characters at out.
void escape_into(char *out, const char *in, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        *out++ = '\\';
        *out++ = 'x';
        *out++ = hex_digits[b >> 4];
        *out++ = hex_digits[b & 0x0f];
    }
}

// The command "<head> from raw "<the file's bytes escaped>";" produced piece by piece as it goes
// out, the file read a block at a time: the client never holds the text (four bytes per byte of
// the file) whole.
class raw_clause_text {
public:
    // False when the file cannot be read, is empty or is too big for a client-side transfer.
    bool open(const QByteArray &head, const QByteArray &path)
    {
        file_.setFileName(local_path(path));
        if (!file_.open(QIODevice::ReadOnly))
            return false;
        size_ = file_.size();
        if (size_ <= 0 || size_ > client_file_limit)
            return false;
        head_ = head + " from raw \"";
        file_left_ = size_;
        block_.resize(block_bytes);
        return true;
    }

    qint64 length() const { return head_.size() + size_ * 4 + int(sizeof tail - 1); }

    size_t fill(char *buf, size_t cap, QByteArray &why)
    {
        size_t out = 0;
        while (out < cap) {
            const size_t room = cap - out;
            if (carry_at_ < 4) {
                // The rest of a byte's escape that the last piece had no room for.
                const size_t n = qMin(room, size_t(4 - carry_at_));
                std::memcpy(buf + out, carry_ + carry_at_, n);
                carry_at_ += int(n);
                out += n;
            } else if (head_at_ < head_.size()) {
                const size_t n = qMin(room, size_t(head_.size() - head_at_));
                std::memcpy(buf + out, head_.constData() + head_at_, n);
                head_at_ += int(n);
                out += n;
            } else if (block_at_ < block_len_) {
                const size_t n = qMin(room / 4, size_t(block_len_ - block_at_));
                if (n == 0) {
                    escape_into(carry_, block_.constData() + block_at_++, 1);
                    carry_at_ = 0;
                    continue;
                }
                escape_into(buf + out, block_.constData() + block_at_, n);
                block_at_ += int(n);
                out += 4 * n;
            } else if (file_left_ > 0) {
                const qint64 n = file_.read(block_.data(), qMin<qint64>(file_left_, block_.size()));
                if (n <= 0) {
                    // What is ready goes first; the next call ends the text.
                    if (out > 0)
                        return out;
                    why = n < 0 ? "the file " + file_.fileName().toUtf8() + " could not be read: " +
                                      file_.errorString().toUtf8()
                                : "the file " + file_.fileName().toUtf8() + " became shorter while it was sent";
                    return 0;
                }
                block_at_ = 0;
                block_len_ = int(n);
                file_left_ -= n;
            } else if (tail_at_ < int(sizeof tail - 1)) {
                const size_t n = qMin(room, size_t(sizeof tail - 1 - tail_at_));
                std::memcpy(buf + out, tail + tail_at_, n);
                tail_at_ += int(n);
                out += n;
            } else {
                break;
            }
        }
        return out;
    }

private:
    static constexpr int block_bytes = 1 << 18;
    static constexpr char tail[] = "\";";
    QFile file_;
    qint64 size_ = 0;
    QByteArray head_;   // the command's head and the clause's opening
    int head_at_ = 0;
    QByteArray block_;
    int block_at_ = 0, block_len_ = 0;
    qint64 file_left_ = 0;   // bytes not read yet
    char carry_[4] = {};
    int carry_at_ = 4;   // carry_[carry_at_, 4) still to go
    int tail_at_ = 0;
};

// Sends "<head> from raw "<hex>";" or "<head> "<path>"".
bool send_from_file(db_exec &db, QByteArray cmd, const QByteArray &path, bool raw)
{
    if (raw) {
        raw_clause_text text;
        if (!text.open(cmd, path))
            return false;
        result_set *rs = db.run_pieces(text.length(), [&text](char *buf, size_t cap, QByteArray &why) {
            return text.fill(buf, cap, why);
        });
        del_datas(rs);
        return rs != nullptr;
    }
    cmd += ' ';
    if (!append_quoted(cmd, path))
        return false;
    return run_plain(db, cmd);
}

// The decoded payload of a raw reply, written to the local file as the rows arrive. It goes to a
// file beside the target that replaces the target only once the reply came whole and was
// written, so a failed or cancelled transfer leaves an existing file as it was.
class payload_file {
public:
    explicit payload_file(const QString &path) : out_(path) {}
    bool open() { return out_.open(QIODevice::WriteOnly); }

    // Decodes the first cell of each row. A text that is not hexadecimal makes the transfer fail
    // (the bytes after it are lost, so the file would be a damaged copy reported as a good one);
    // the reply is always read to its end, and a file that cannot be written fails at commit.
    bool take(const result_set *rs)
    {
        const uint64_t n = rows_of(rs);
        for (uint64_t row = 0; row < n && decoding_ && !failed_; ++row) {
            decoding_ = hex_decode_append(text_of(at(row, 0, rs)), bytes_);
            if (bytes_.size() >= (1 << 20))
                flush();
        }
        return true;
    }

    bool commit()
    {
        flush();
        if (failed_ || !decoding_) {
            out_.cancelWriting();
            return false;
        }
        return out_.commit();
    }

private:
    void flush()
    {
        if (!failed_ && out_.write(bytes_) != bytes_.size())
            failed_ = true;
        bytes_.clear();
    }

    QSaveFile out_;
    QByteArray bytes_;
    bool decoding_ = true;
    bool failed_ = false;
};

// Runs a save or backup command; with raw the reply's payload goes into the local file.
bool save_to_file(db_exec &db, QByteArray cmd, const QByteArray &path, bool replace, bool raw)
{
    if (!raw) {
        cmd += ' ';
        if (!append_quoted(cmd, path))
            return false;
        if (replace)
            cmd += " replace";
        return run_plain(db, cmd);
    }
    cmd += " as raw";
    const QString file = local_path(path);
    payload_file out(file);
    if ((QFileInfo::exists(file) && !replace) || !out.open()) {
        // The command goes out all the same, as it always did; its reply is dropped.
        db.run_rows(cmd, {});
        return false;
    }
    return db.run_rows(cmd, [&out](const result_set *rs) { return out.take(rs); }) && out.commit();
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
    QByteArray out(bytes.size() * 4, Qt::Uninitialized);
    escape_into(out.data(), bytes.constData(), size_t(bytes.size()));
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
