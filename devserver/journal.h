// The journal beside the database file: a header naming the snapshot it follows, then one
// record per change, each with its own length and CRC-32 so a torn tail is recognised.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace devserver {

// What a journal's records apply to.
enum class journal_base : std::uint8_t {
    snapshot = 1,    // the snapshot whose CRC the header holds
    after_old = 2,   // the snapshot plus the older journal that a running compaction folds in
};

struct journal_head {
    journal_base base = journal_base::snapshot;
    std::uint32_t snapshot_crc = 0;
};

constexpr std::size_t journal_header_size = 17;
// Largest record (type byte and payload); the journal refuses larger changes.
constexpr std::uint32_t max_journal_record = 0xFFFFFFF0u;
constexpr std::size_t journal_base_offset = 12;   // where base and CRC sit, rewritten in place

std::string journal_header(const journal_head& h);
// The five bytes at journal_base_offset.
std::string journal_base_bytes(const journal_head& h);
void append_journal_record(std::string& out, char type, std::string_view payload);

struct journal_scan {
    journal_head head;
    std::size_t intact_size = 0;   // bytes up to the end of the last intact record
    std::size_t records = 0;
};

// Reads the header and hands each intact record to `each`, in order, until the first damaged
// or cut record. Empty on success (a damaged tail is not an error: compare intact_size with
// the size); else the header is not a journal's or `each` failed (its reason is returned).
std::string scan_journal(std::string_view data, journal_scan& out,
                         const std::function<std::string(char, std::string_view)>& each);

// The CRC a snapshot file ends with.
std::uint32_t snapshot_crc(std::string_view snapshot);

} // namespace devserver
