// The journal beside the database file: a header naming the snapshot it follows, then one
// record per change, each with its own length and checksums, so that damage is found wherever
// it lies and the intact records after it can still be told apart.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Version 2 (written now) adds a checksum of the header and one of each record's length and
// body checksum, so a damaged length cannot hide the records after it. Version 1 journals
// (header 17 bytes, records of length, body CRC, type, payload) are still read.
constexpr std::size_t journal_header_size = 21;
// Largest record (type byte and payload); the journal refuses larger changes.
constexpr std::uint32_t max_journal_record = 0xFFFFFFF0u;
constexpr std::size_t journal_base_offset = 12;   // where base, CRC and header check sit, rewritten in place

std::string journal_header(const journal_head& h);
// The bytes at journal_base_offset: base, snapshot CRC and the header's own check.
std::string journal_base_bytes(const journal_head& h);
void append_journal_record(std::string& out, char type, std::string_view payload);

struct journal_record {
    std::size_t at = 0, end = 0;   // byte range of the whole record
    char type = 0;
    std::string_view payload;
};

struct journal_damage {
    std::size_t at = 0, bytes = 0;   // a stretch that holds no intact record
    std::size_t records_after = 0;   // intact records after it
};

// Everything a journal's bytes hold: its header, its intact records and the damaged stretches
// between them. The zeros after the last record (space allocated ahead) are neither.
struct journal_layout {
    int version = 0;
    bool empty = false;          // no byte but zeros: nothing was ever written into it
    bool header_ok = false;      // header intact and of a known version (head is valid)
    journal_head head;
    std::vector<journal_record> records;
    std::vector<journal_damage> damage;
    std::size_t intact_end = 0;  // end of the last intact record, or of the header

    // Damage that is not a torn tail: in the header, or with intact records after it.
    bool damaged_inside() const { return !empty && (!header_ok || (!damage.empty() && damage.front().records_after > 0)); }
    // A damaged last record, as a crash leaves it: cut, not fatal.
    bool torn_tail() const { return header_ok && damage.size() == 1 && damage.front().records_after == 0; }
};

journal_layout read_journal(std::string_view data);

// The CRC a snapshot file ends with.
std::uint32_t snapshot_crc(std::string_view snapshot);

} // namespace devserver
