// Snapshot and journal on disk: recovery at start, write-ahead records, flushing, and
// compaction on a thread of its own that rebuilds the next snapshot from the files alone,
// so the live database is never locked for it.
#include "db_store.h"

#include "binfile.h"
#include "journal.h"
#include "platform.h"
#include "temp_files.h"

#include <cstring>

namespace devserver {

namespace {

using clock_type = std::chrono::steady_clock;

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string base_name(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Room kept back in the journal for changes that free space (drop, truncate).
constexpr std::size_t freeing_room = 64 * 1024;

std::string count_text(std::size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

// Why a journal cannot be replayed as it is; empty when it can (a torn tail can).
std::string damage_text(const std::string& path, const journal_layout& l)
{
    if (!l.damaged_inside())
        return {};
    if (!l.header_ok)
        return path + ": the header (offset 0) is damaged; " + count_text(l.records.size(), "intact record") +
               " follow";
    const journal_damage& d = l.damage.front();
    return path + ": damaged at offset " + std::to_string(d.at) + " (" + count_text(d.bytes, "byte") + "); " +
           count_text(d.records_after, "intact record") + " follow";
}

// Applies the intact records of a journal. A record that cannot be applied ends the replay
// with a reason when records follow it (nothing may be skipped silently); with `recover` it
// is skipped and reported. Notes say what was cut or dropped.
std::string replay(const std::string& path, const journal_layout& l, server_state& st, bool recover, std::string& notes)
{
    for (std::size_t i = 0; i < l.records.size(); ++i) {
        const journal_record& r = l.records[i];
        const std::string err = apply_change(st, change(r.type), r.payload);
        if (err.empty())
            continue;
        const std::size_t after = l.records.size() - i - 1;
        if (!recover && after > 0)
            return path + ": record " + std::to_string(i + 1) + " at offset " + std::to_string(r.at) +
                   " cannot be applied (" + err + "); " + count_text(after, "intact record") + " follow";
        notes += path + ": record " + std::to_string(i + 1) + " at offset " + std::to_string(r.at) +
                 " cannot be applied (" + err + "); dropped\n";
    }
    if (l.torn_tail()) {
        notes += path + ": damaged tail cut after " + count_text(l.records.size(), "record") + " (" +
                 count_text(l.damage.front().bytes, "byte") + " dropped)\n";
    } else if (recover) {
        if (!l.header_ok && !l.empty)
            notes += path + ": damaged header ignored\n";
        for (const journal_damage& d : l.damage)
            notes += path + ": dropped " + count_text(d.bytes, "damaged byte") + " at offset " + std::to_string(d.at) + "\n";
    }
    return {};
}

} // namespace

bool fsync_mode_from_name(const std::string& name, fsync_mode& out)
{
    if (name == "always")
        out = fsync_mode::always;
    else if (name == "second")
        out = fsync_mode::second;
    else if (name == "never")
        out = fsync_mode::never;
    else
        return false;
    return true;
}

db_store::db_store(std::string path, fsync_mode mode) : path_(std::move(path)), mode_(mode) {}

db_store::~db_store()
{
    if (compactor_.joinable())
        compactor_.join();
    close_journal();
}

void db_store::close_journal()
{
    platform::unmap_file(map_, map_length_);
    map_ = nullptr;
    map_length_ = 0;
    platform::close_file(fd_);
    fd_ = -1;
}

std::string db_store::make_room(std::size_t n, bool frees_space)
{
    const std::size_t keep = frees_space ? 0 : freeing_room;
    if (map_ && size_ + n + keep <= map_offset_ + map_length_)
        return {};
    // Space in steps of a few MiB, so that mapping and allocating are rare.
    constexpr std::size_t step = 4u << 20;
    const std::size_t page = platform::page_size();
    const std::uint64_t offset = size_ / page * page;
    std::size_t length = ((size_ - offset + n + freeing_room + step) / page + 1) * page;
    std::string err;
    if (!platform::allocate_file(fd_, offset + length, err)) {
        // A full disk: a change that frees space may still use what the file holds already.
        std::uint64_t have = 0;
        if (!frees_space || !platform::file_size(fd_, have) || have < size_ + n)
            return err;
        length = std::size_t(have - offset);
    }
    platform::unmap_file(map_, map_length_);
    map_length_ = 0;
    if (!(map_ = platform::map_file(fd_, offset, length, err)))
        return err;
    map_offset_ = offset;
    map_length_ = length;
    return {};
}

std::string db_store::open(database& db, std::string& notes)
{
    const std::string dir = folder_of(path_);
    if (platform::canonical_dir(dir).empty())
        return "cannot keep the database in " + path_ + ": no folder " + dir;

    // Nothing is changed on disk until every file was read and judged.
    std::string snapshot, fresh, journal, old, err;
    const bool have_snapshot = platform::file_exists(path_);
    if (have_snapshot && (!platform::read_file(path_, snapshot, err) || !(err = decode_backup_file(snapshot, db)).empty()))
        return "cannot load " + path_ + ": " + err;
    database next;
    const bool have_next = platform::file_exists(next_snapshot_path()) &&
                           platform::read_file(next_snapshot_path(), fresh, err) &&
                           decode_backup_file(fresh, next).empty();
    const bool have_journal = platform::file_exists(journal_path());
    const bool have_old = platform::file_exists(old_journal_path());
    if (have_journal && !platform::read_file(journal_path(), journal, err))
        return err;
    if (have_old && !platform::read_file(old_journal_path(), old, err))
        return err;
    const journal_layout jl = read_journal(journal);
    const journal_layout ol = read_journal(old);

    // Which files hold the state: the journal's header names the snapshot it follows.
    bool use_old = false, use_journal = false, from_next = false;
    std::string refusal;
    if (have_journal && jl.header_ok) {
        const journal_head& h = jl.head;
        if (h.base == journal_base::snapshot && have_next && h.snapshot_crc == snapshot_crc(fresh)) {
            db = std::move(next);   // a compaction finished all but renaming its snapshot
            use_journal = from_next = true;
        } else if (h.base == journal_base::snapshot && have_snapshot && h.snapshot_crc == snapshot_crc(snapshot)) {
            use_journal = true;
        } else if (h.base == journal_base::after_old && have_old) {
            use_old = use_journal = true;
        } else if (!jl.records.empty() || !jl.damage.empty()) {
            refusal = journal_path() + " does not follow " + path_ + " (its header names another snapshot); " +
                      count_text(jl.records.size(), "intact record") + " in it";
            use_journal = recover_;   // onto the snapshot there is: what does not fit is reported
        } else {
            notes += journal_path() + " does not follow " + path_ + " and holds no record; ignored\n";
        }
    } else if (have_journal && !jl.empty) {
        refusal = damage_text(journal_path(), jl);
        use_journal = true;
        use_old = have_old;   // the base is unknown: the older journal, when there is one, comes first
    } else {
        if (have_journal)
            notes += journal_path() + " holds nothing; ignored\n";
        use_old = have_old;   // killed between the two renames of a rotation
    }
    if (refusal.empty() && use_old)
        refusal = damage_text(old_journal_path(), ol);
    if (refusal.empty() && use_journal)
        refusal = damage_text(journal_path(), jl);

    server_state st;
    st.db = std::move(db);
    st.files_enabled = false;
    std::string replay_notes;
    if (refusal.empty() || recover_) {
        std::string why;
        if (use_old)
            why = replay(old_journal_path(), ol, st, recover_, replay_notes);
        if (why.empty() && use_journal)
            why = replay(journal_path(), jl, st, recover_, replay_notes);
        if (refusal.empty())
            refusal = why;
    }
    if (!refusal.empty() && !recover_)
        return refusal + "; nothing was changed. Start with --recover to keep a copy of the journal and replay "
                         "every intact record";
    if (!refusal.empty()) {
        notes += "recovering: " + refusal + "\n";
        if (use_old)
            err = keep_damaged_copy(old_journal_path(), old, notes);
        if (err.empty() && have_journal)
            err = keep_damaged_copy(journal_path(), journal, notes);
        if (!err.empty())
            return "cannot keep a copy of the damaged journal: " + err;
    }
    notes += replay_notes;
    db = std::move(st.db);
    old.clear();

    remove_stale_temp_files(dir, base_name(path_) + ".", 0, notes);
    if (platform::remove_file(journal_path() + ".next"))
        notes += "removed the stale temp file " + journal_path() + ".next\n";
    bool nothing_written = false;
    err = checkpoint(db, &nothing_written);
    // No room for a new snapshot: the journal as it is stays valid when it follows the
    // snapshot on disk alone and was read without loss.
    const bool can_go_on = nothing_written && refusal.empty() && use_journal && !use_old && !from_next &&
                           jl.version == 2 && jl.header_ok && replay_notes.find("cannot be applied") == std::string::npos;
    if (err.empty() || !can_go_on) {
        if (err.empty()) {
            // Room ahead from the start, so drop and truncate go through even on a full disk.
            std::lock_guard<std::mutex> lock(mutex_);
            const std::string room = make_room(0, false);
            if (!room.empty())
                notes += "journal: cannot allocate space ahead in " + journal_path() + ": " + room + "\n";
        }
        return err;
    }
    notes += "no room for a new snapshot (" + err + "); going on with " + journal_path() + " as it is\n";
    if ((err = open_journal(size_)).empty() && jl.torn_tail()) {
        // The cut tail becomes zeros again, in place (no new space needed).
        const journal_damage& d = jl.damage.front();
        const std::string zeros(d.bytes, '\0');
        if (!platform::write_at(fd_, d.at, zeros.data(), zeros.size(), err))
            return "cannot cut the damaged tail of " + journal_path() + ": " + err;
    }
    size_ = jl.intact_end;
    snapshot_size_ = snapshot.size();
    return err;
}

std::string db_store::keep_damaged_copy(const std::string& path, const std::string& bytes, std::string& notes)
{
    std::string copy = path + ".damaged";
    for (int i = 2; platform::file_exists(copy); ++i)
        copy = path + ".damaged" + std::to_string(i);
    std::string err;
    if (!platform::write_file_atomic(copy, bytes, err))
        return err;
    notes += "kept a copy of " + path + " as " + copy + "\n";
    return {};
}

std::string db_store::checkpoint(const database& db, bool* nothing_written)
{
    close_journal();
    const std::string data = encode_backup_file(db);
    std::string err;
    // The order keeps one consistent state on disk at every step: the new snapshot, then a
    // journal that names it, and only then the old files go.
    if (!platform::write_file_atomic(next_snapshot_path(), data, err)) {
        if (nothing_written)
            *nothing_written = true;
        platform::remove_file(next_snapshot_path());
        return err;
    }
    if (!platform::write_file_atomic(journal_path(), journal_header({journal_base::snapshot, snapshot_crc(data)}), err))
        return err;
    platform::remove_file(old_journal_path());
    if (!platform::rename_file(next_snapshot_path(), path_, err))
        return err;
    platform::sync_parent_dir(path_);
    snapshot_size_ = data.size();
    return open_journal(size_);
}

std::string db_store::open_journal(std::uint64_t& size)
{
    std::string err;
    if (!platform::open_file(journal_path(), false, fd_, err))
        return err;
    if (!platform::file_size(fd_, size))
        return "cannot read the size of " + journal_path();
    return {};
}

std::string db_store::record(change kind, std::string_view payload, bool frees_space)
{
    if (payload.size() >= max_journal_record)
        return "change too large for the journal; nothing was changed";
    std::string rec;
    append_journal_record(rec, char(kind), payload);
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0)
        return "the journal " + journal_path() + " is not open";
    std::string err = make_room(rec.size(), frees_space);
    if (err.empty()) {
        char* at = map_ + (size_ - map_offset_);
        std::memcpy(at, rec.data(), rec.size());
        if (mode_ == fsync_mode::always && !platform::sync_file(fd_)) {
            // Zeros again: the record is not there for a replay, the next one takes its place.
            std::memset(at, 0, rec.size());
            err = "flush failed";
        }
    }
    if (!err.empty())
        return "cannot write the journal " + journal_path() + ": " + err + "; nothing was changed";
    size_ += rec.size();
    unsynced_ = mode_ == fsync_mode::second;
    return {};
}

void db_store::tick(std::string& notes)
{
    int sync_fd = -1;
    bool rotate = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        notes += compaction_notes_;
        compaction_notes_.clear();
        if (unsynced_ && clock_type::now() - last_sync_ >= std::chrono::seconds(1) && fd_ >= 0) {
            // A duplicate lets the flush run without holding up the writers.
            sync_fd = platform::duplicate_file(fd_);
            unsynced_ = false;
            last_sync_ = clock_type::now();
        }
        rotate = !compacting_ && fd_ >= 0 && size_ > threshold_ && size_ > snapshot_size_;
    }
    if (sync_fd >= 0) {
        if (!platform::sync_file(sync_fd))
            notes += "journal: flush of " + journal_path() + " failed\n";
        platform::close_file(sync_fd);
    }
    if (!rotate)
        return;
    if (compactor_.joinable())
        compactor_.join();
    std::string err;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A compaction that failed left its old journal behind: fold that in first.
        if (!platform::file_exists(old_journal_path())) {
            const std::string next = journal_path() + ".next";
            if (!platform::write_file_atomic(next, journal_header({journal_base::after_old, 0}), err)) {
                notes += "compaction: " + err + "\n";
                return;
            }
            platform::sync_file(fd_);
            close_journal();
            if (!platform::rename_file(journal_path(), old_journal_path(), err) ||
                !platform::rename_file(next, journal_path(), err))
                notes += "compaction: " + err + "\n";
            platform::sync_parent_dir(path_);
            if (!(err = open_journal(size_)).empty()) {
                notes += "compaction: " + err + "\n";
                return;
            }
        }
    }
    compacting_ = true;
    compactor_ = std::thread([this] { compact(); });
}

void db_store::compact()
{
    compact_files();
    // The copy of the database it built is gone; the server need not keep its pages.
    platform::release_free_memory();
    compacting_ = false;
}

void db_store::compact_files()
{
    const auto start = clock_type::now();
    std::string snapshot, old, err, notes;
    server_state st;
    st.files_enabled = false;
    if (!platform::read_file(path_, snapshot, err) || !(err = decode_backup_file(snapshot, st.db)).empty() ||
        !platform::read_file(old_journal_path(), old, err)) {
        std::lock_guard<std::mutex> lock(mutex_);
        compaction_notes_ += "compaction: " + err + "\n";
        return;
    }
    const journal_layout layout = read_journal(old);
    if (!layout.header_ok || !layout.damage.empty()) {
        // Written by this process and damaged since: a snapshot without its records would
        // lose them, so the files stay as they are for a restart to judge.
        std::lock_guard<std::mutex> lock(mutex_);
        compaction_notes_ += "compaction: " + old_journal_path() + " is damaged; no snapshot written\n";
        return;
    }
    if (!(err = replay(old_journal_path(), layout, st, false, notes)).empty()) {
        std::lock_guard<std::mutex> lock(mutex_);
        compaction_notes_ += "compaction: " + err + "; no snapshot written\n";
        return;
    }
    old.clear();
    snapshot.clear();
    const std::string data = encode_backup_file(st.db);
    st.db.clear();
    bool ok = platform::write_file_atomic(next_snapshot_path(), data, err);
    if (ok) {
        // From here the journal follows the new snapshot, whatever happens next.
        std::lock_guard<std::mutex> lock(mutex_);
        const std::string bytes = journal_base_bytes({journal_base::snapshot, snapshot_crc(data)});
        ok = fd_ >= 0 && platform::write_at(fd_, journal_base_offset, bytes.data(), bytes.size(), err) &&
             platform::sync_file(fd_);
        if (!ok && err.empty())
            err = "cannot update the journal header";
    }
    if (ok) {
        platform::remove_file(old_journal_path());
        ok = platform::rename_file(next_snapshot_path(), path_, err);
        platform::sync_parent_dir(path_);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (ok) {
        snapshot_size_ = data.size();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now() - start).count();
        compaction_notes_ += notes + "compaction: wrote " + path_ + " (" + std::to_string(data.size()) + " bytes) in " +
                             std::to_string(ms) + " ms\n";
    } else {
        compaction_notes_ += notes + "compaction: " + err + "\n";
    }
}

std::string db_store::close(const database& db)
{
    if (compactor_.joinable())
        compactor_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return checkpoint(db);
}

} // namespace devserver
