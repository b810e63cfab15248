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

// Applies the intact records of a journal; notes say where a damaged tail was cut.
void replay(const std::string& path, const std::string& data, server_state& st, std::string& notes)
{
    journal_scan scan;
    const std::string err = scan_journal(data, scan, [&st](char kind, std::string_view payload) {
        return apply_change(st, change(kind), payload);
    });
    if (!err.empty()) {
        notes += path + ": record " + std::to_string(scan.records + 1) + " cannot be applied (" + err +
                 "); it and the records after it are dropped\n";
    } else if (data.find_first_not_of('\0', scan.intact_size) != std::string::npos) {
        // Zeros after the records are space allocated ahead, not damage.
        notes += path + ": damaged tail cut after " + std::to_string(scan.records) + " records (" +
                 std::to_string(data.size() - scan.intact_size) + " bytes dropped)\n";
    }
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

std::string db_store::make_room(std::size_t n)
{
    if (map_ && size_ + n <= map_offset_ + map_length_)
        return {};
    // Space in steps of a few MiB, so that mapping and allocating are rare.
    constexpr std::size_t step = 4u << 20;
    const std::size_t page = platform::page_size();
    const std::uint64_t offset = size_ / page * page;
    const std::size_t length = ((size_ - offset + n + step) / page + 1) * page;
    std::string err;
    platform::unmap_file(map_, map_length_);
    map_ = nullptr;
    map_length_ = 0;
    if (!platform::allocate_file(fd_, offset + length, err) || !(map_ = platform::map_file(fd_, offset, length, err)))
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
    const std::string base = base_name(path_);
    remove_stale_temp_files(dir, base + ".", 0, notes);
    if (platform::remove_file(journal_path() + ".next"))
        notes += "removed the stale temp file " + journal_path() + ".next\n";

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

    // Which files hold the state: the journal's header names the snapshot it follows.
    journal_scan head_only;
    const std::string head_err = have_journal ? scan_journal(journal, head_only, [](char, std::string_view) {
        return std::string("stop");
    }) : std::string("none");
    const bool journal_ok = head_err.empty() || head_err == "stop";
    bool use_old = false, use_journal = false;
    if (journal_ok) {
        const journal_head& h = head_only.head;
        if (h.base == journal_base::snapshot && have_next && h.snapshot_crc == snapshot_crc(fresh)) {
            db = std::move(next);   // a compaction finished all but renaming its snapshot
            use_journal = true;
        } else if (h.base == journal_base::snapshot && have_snapshot && h.snapshot_crc == snapshot_crc(snapshot)) {
            use_journal = true;
        } else if (h.base == journal_base::after_old && have_old) {
            use_old = use_journal = true;
        } else {
            notes += journal_path() + " does not belong to " + path_ + "; ignored\n";
        }
    } else if (have_journal) {
        notes += journal_path() + " is not a journal; ignored\n";
    } else {
        use_old = have_old;   // killed between the two renames of a rotation
    }

    server_state st;
    st.db = std::move(db);
    st.files_enabled = false;
    if (use_old)
        replay(old_journal_path(), old, st, notes);
    if (use_journal)
        replay(journal_path(), journal, st, notes);
    db = std::move(st.db);
    return checkpoint(db);
}

std::string db_store::checkpoint(const database& db)
{
    close_journal();
    const std::string data = encode_backup_file(db);
    std::string err;
    // The order keeps one consistent state on disk at every step: the new snapshot, then a
    // journal that names it, and only then the old files go.
    if (!platform::write_file_atomic(next_snapshot_path(), data, err) ||
        !platform::write_file_atomic(journal_path(), journal_header({journal_base::snapshot, snapshot_crc(data)}), err))
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

std::string db_store::record(change kind, std::string_view payload)
{
    if (payload.size() >= max_journal_record)
        return "change too large for the journal; nothing was changed";
    std::string rec;
    append_journal_record(rec, char(kind), payload);
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0)
        return "the journal " + journal_path() + " is not open";
    std::string err = make_room(rec.size());
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
    replay(old_journal_path(), old, st, notes);
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
