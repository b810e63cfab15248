// Keeps the database in a file: a snapshot (a backup file) plus a journal of every change
// since, so that a killed server loses nothing it acknowledged.
#pragma once

#include "commands.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace devserver {

enum class fsync_mode { always, second, never };

class db_store : public change_sink {
public:
    db_store(std::string path, fsync_mode mode);
    ~db_store() override;
    db_store(const db_store&) = delete;
    db_store& operator=(const db_store&) = delete;

    // At start: loads the snapshot and replays the journals. A damaged last record (a torn
    // tail) is cut and reported in `notes`; damage with intact records after it, or in a
    // header, stops the start with every file as it was, unless `recover` was set: then a
    // copy of the journal is kept beside it and every intact record is replayed. Then removes
    // temp files a killed server left, writes a new snapshot and starts an empty journal; with
    // no room for a snapshot it goes on with the journal as it is. Empty on success, else why
    // the file cannot be kept.
    std::string open(database& db, std::string& notes);
    void set_recover(bool on) { recover_ = on; }
    // Writes the record before the change is applied (called under the database lock).
    std::string record(change kind, std::string_view payload, bool frees_space) override;
    // Called every few hundred milliseconds: flushes the journal once a second (mode second)
    // and starts a compaction in the background when the journal has grown large.
    // Lines for the log are appended to `notes`.
    void tick(std::string& notes);
    // At shutdown, with no command running: waits for a compaction and writes the snapshot.
    std::string close(const database& db);

    // Journal size from which a compaction starts (also at least the snapshot's size).
    void set_compaction_threshold(std::uint64_t bytes) { threshold_ = bytes; }

private:
    // `nothing_written` tells that it failed before any file changed.
    std::string checkpoint(const database& db, bool* nothing_written = nullptr);
    std::string open_journal(std::uint64_t& size);
    void close_journal();
    // Maps the journal from its end on for at least n more bytes (and the room kept back for
    // changes that free space, unless `frees_space`), with disk space allocated.
    std::string make_room(std::size_t n, bool frees_space);
    std::string keep_damaged_copy(const std::string& path, const std::string& bytes, std::string& notes);
    void compact();   // runs on compactor_
    void compact_files();
    std::string journal_path() const { return path_ + ".journal"; }
    std::string old_journal_path() const { return path_ + ".journal.old"; }
    std::string next_snapshot_path() const { return path_ + ".new"; }

    const std::string path_;
    const fsync_mode mode_;
    std::uint64_t threshold_ = 64u << 20;
    std::uint64_t snapshot_size_ = 0;
    bool recover_ = false;

    std::mutex mutex_;             // guards the journal file and the fields below
    int fd_ = -1;
    std::uint64_t size_ = 0;       // bytes of intact records (the file beyond is zeros)
    char* map_ = nullptr;          // records are copied here: no system call per change
    std::uint64_t map_offset_ = 0;
    std::size_t map_length_ = 0;
    bool unsynced_ = false;
    std::string compaction_notes_;
    std::chrono::steady_clock::time_point last_sync_ = std::chrono::steady_clock::now();

    std::thread compactor_;
    std::atomic<bool> compacting_{false};
};

// Reads "always", "second" or "never".
bool fsync_mode_from_name(const std::string& name, fsync_mode& out);

} // namespace devserver
