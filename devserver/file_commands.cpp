// save, load, backup and restore with bin and cmd files, or raw transfers as hex rows.
#include "commands.h"

#include "binfile.h"
#include "cmdfile.h"
#include "paths.h"
#include "platform.h"
#include "result_writer.h"

#include <algorithm>

namespace devserver {

namespace {

constexpr std::size_t raw_row_bytes = 32000;

// Where the bytes go or come from: a file in the data folder or the reply/command itself.
struct target {
    bool bin = false;
    bool raw = false;
    std::string path;      // file path
    std::string_view raw_bytes;   // the payload inside the command's tokens (loading raw)
    bool replace = false;
};

// Reads `bin|cmd "PATH" [replace]` or `bin|cmd as raw` (saving) or `bin|cmd from raw "BYTES"`
// (loading) from tokens[i] to the end.
std::string read_target(const std::vector<token>& t, std::size_t i, bool saving, target& out)
{
    if (i >= t.size() || (!is_word(t[i], "bin") && !is_word(t[i], "cmd")))
        return "bin or cmd expected";
    out.bin = t[i].text == "bin";
    ++i;
    const char* raw_word = saving ? "as" : "from";
    if (i + 1 < t.size() && is_word(t[i], raw_word) && is_word(t[i + 1], "raw")) {
        out.raw = true;
        i += 2;
        if (!saving) {
            if (i >= t.size() || !t[i].quoted)
                return "quoted raw bytes expected";
            out.raw_bytes = t[i].text;
            ++i;
        }
    } else {
        if (i >= t.size())
            return "file path expected";
        out.path = t[i].text;
        ++i;
        if (saving && i < t.size() && is_word(t[i], "replace")) {
            out.replace = true;
            ++i;
        }
    }
    if (i != t.size())
        return "unexpected " + t[i].text;
    return {};
}

outcome deliver(server_state& st, const target& tg, const std::string& bytes)
{
    if (tg.raw) {
        static const char hex[] = "0123456789abcdef";
        const std::size_t n = (bytes.size() + raw_row_bytes - 1) / raw_row_bytes;
        outcome r{true, {}};
        r.body.reserve(64 + bytes.size() * 2 + n * 10);
        result_writer w(r.body, {"data"}, {kind::str}, n);
        std::string piece;
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t off = k * raw_row_bytes;
            const std::size_t len = std::min(raw_row_bytes, bytes.size() - off);
            piece.resize(len * 2);
            for (std::size_t b = 0; b < len; ++b) {
                const unsigned char c = static_cast<unsigned char>(bytes[off + b]);
                piece[2 * b] = hex[c >> 4];
                piece[2 * b + 1] = hex[c & 15];
            }
            w.row_id(k + 1);
            w.str(piece);
        }
        return r;
    }
    if (!st.files_enabled)
        return fail("file access is disabled");
    std::string full, err;
    if (!(err = resolve_path(st.data_dir, tg.path, true, full)).empty())
        return fail(err);
    if (!tg.replace && platform::file_exists(full))
        return fail("file exists (add replace to overwrite): " + tg.path);
    if (!platform::write_file_atomic(full, bytes, err))
        return fail(err);
    return done();
}

// The bytes to load: the raw payload where it lies in the command, or the file read into
// `storage`.
std::string fetch(const server_state& st, const target& tg, std::string& storage, std::string_view& bytes)
{
    if (tg.raw) {
        bytes = tg.raw_bytes;
        return bytes.empty() ? "no raw bytes" : std::string();
    }
    if (!st.files_enabled)
        return "file access is disabled";
    std::string full, err;
    if (!(err = resolve_path(st.data_dir, tg.path, false, full)).empty())
        return err;
    // A FIFO or a device would never end the read, and every other client would wait for it.
    if (!platform::read_regular_file(full, storage, err))
        return err;
    bytes = storage;
    return {};
}

// Holds `lock` (when given) for its life.
struct maybe_locked {
    explicit maybe_locked(std::mutex* m) { if (m) hold = std::unique_lock<std::mutex>(*m); }
    std::unique_lock<std::mutex> hold;
};

outcome save(server_state& st, const std::vector<token>& t, std::mutex* lock)
{
    if (t.size() < 3 || !is_word(t[2], "as"))
        return fail("usage: save TABLE as bin|cmd \"PATH\" [replace]");
    target tg;
    const std::string err = read_target(t, 3, true, tg);
    std::shared_ptr<const table> tab;
    {
        maybe_locked hold(lock);
        auto it = st.db.find(t[1].text);
        if (it == st.db.end())
            return fail("no table " + t[1].text);
        if (!err.empty())
            return fail(err);
        // Held, not copied: a change meanwhile goes to the database's copy (own()).
        tab = it->second;
    }
    std::string bytes;
    if (tg.bin)
        bytes = encode_table_file(*tab);
    else
        append_table_commands(bytes, t[1].text, *tab);
    return deliver(st, tg, bytes);
}

outcome backup(server_state& st, const std::vector<token>& t, std::mutex* lock)
{
    if (t.size() < 2 || !is_word(t[1], "as"))
        return fail("usage: backup as bin|cmd \"PATH\" [replace]");
    target tg;
    const std::string err = read_target(t, 2, true, tg);
    if (!err.empty())
        return fail(err);
    database copy;
    {
        maybe_locked hold(lock);
        copy = st.db;   // the tables held, not copied: see own()
    }
    std::string bytes;
    if (tg.bin)
        bytes = encode_backup_file(copy);
    else
        for (const auto& [name, tab] : copy)
            append_table_commands(bytes, name, *tab);
    copy.clear();
    return deliver(st, tg, bytes);
}

std::shared_ptr<table> table_named(server_state& st, const std::string& name, std::mutex* lock)
{
    maybe_locked hold(lock);
    const auto it = st.db.find(name);
    return it == st.db.end() ? nullptr : it->second;
}

outcome load(server_state& st, const std::vector<token>& t, std::mutex* lock);

// A command file of push lines into a table that exists: its rows are appended, all or none.
// Every line is read and checked before the lock is taken; under it the rows go in with one
// journal record. `creates` tells that the file makes tables instead (nothing was done).
outcome append_pushes(server_state& st, const std::vector<token>& t, std::mutex* lock, std::string_view bytes,
                      std::shared_ptr<table> seen, bool& creates)
{
    const std::string& name = t[1].text;
    auto rows = std::make_unique<table>(seen->fields());
    const std::string err = read_push_lines(bytes, name, *rows, creates);
    if (creates)
        return fail("");
    if (!err.empty())
        return fail(err);
    const std::string record = st.sink && rows->rows() ? append_rows_payload(name, false, *rows) : std::string();
    maybe_locked hold(lock);
    const auto now = st.db.find(name);
    if (now == st.db.end() || now->second->identity() != seen->identity())
        return load(st, t, nullptr);   // dropped or made again meanwhile: again, in order, under the lock
    seen.reset();   // only the database's hold counts for own()
    if (rows->rows() == 0)
        return done();
    if (!record.empty()) {
        const std::string why = record_change(st, change::append_rows, record);
        if (!why.empty())
            return fail(why);
    }
    own(now->second).append_rows(std::move(*rows));
    return done();
}

outcome load(server_state& st, const std::vector<token>& t, std::mutex* lock)
{
    if (t.size() < 3 || !is_word(t[2], "from"))
        return fail("usage: load TABLE from bin|cmd \"PATH\"");
    const std::string& name = t[1].text;
    target tg;
    std::string storage;
    std::string_view bytes;
    std::string err = read_target(t, 3, false, tg);
    if (err.empty())
        err = fetch(st, tg, storage, bytes);
    if (!err.empty())
        return fail(err);
    // Read and checked before the lock is taken; only the check for a clash and the swap need it.
    database fresh;
    if (tg.bin) {
        if (!valid_name(name))
            return fail("invalid table name " + name);
        std::shared_ptr<table> tab;
        if (!(err = decode_table_file(bytes, tab)).empty())
            return fail(err);
        fresh[name] = tab;
    } else {
        if (std::shared_ptr<table> seen = table_named(st, name, lock)) {
            bool creates = false;
            outcome r = append_pushes(st, t, lock, bytes, std::move(seen), creates);
            if (!creates)
                return r;
        }
        if (!(err = run_command_file(bytes, fresh)).empty())
            return fail(err);
    }
    storage.clear();
    const std::string image = st.sink ? encode_backup_file(fresh) : std::string();
    maybe_locked hold(lock);
    for (const auto& entry : fresh)
        if (st.db.count(entry.first))
            return fail("table " + entry.first + " exists");
    if (st.sink && !(err = record_change(st, change::add_tables, image)).empty())
        return fail(err);
    for (auto& entry : fresh)
        st.db[entry.first] = std::move(entry.second);
    return done();
}

outcome restore(server_state& st, const std::vector<token>& t, std::mutex* lock)
{
    if (t.size() < 2 || !is_word(t[1], "from"))
        return fail("usage: restore from bin|cmd \"PATH\"");
    target tg;
    std::string storage;
    std::string_view bytes;
    std::string err = read_target(t, 2, false, tg);
    if (err.empty())
        err = fetch(st, tg, storage, bytes);
    if (!err.empty())
        return fail(err);
    database fresh;
    err = tg.bin ? decode_backup_file(bytes, fresh) : run_command_file(bytes, fresh);
    if (!err.empty())
        return fail(err);
    // A bin file is already the backup image the journal keeps.
    if (st.sink && !tg.bin) {
        storage = encode_backup_file(fresh);
        bytes = storage;
    }
    database gone;   // the tables replaced are freed after the lock is given back
    {
        maybe_locked hold(lock);
        if (st.sink && !(err = record_change(st, change::replace_all, bytes)).empty())
            return fail(err);
        gone.swap(st.db);
        st.db = std::move(fresh);
    }
    return done();
}

outcome run(server_state& st, const std::vector<token>& t, std::mutex* lock)
{
    const std::string& v = t[0].text;
    if (v == "save")
        return save(st, t, lock);
    if (v == "backup")
        return backup(st, t, lock);
    if (v == "load")
        return load(st, t, lock);
    return restore(st, t, lock);
}

} // namespace

outcome run_files(server_state& st, const std::vector<token>& t) { return run(st, t, nullptr); }

outcome run_files_unlocked(server_state& st, std::mutex& lock, const std::vector<token>& t) { return run(st, t, &lock); }

} // namespace devserver
