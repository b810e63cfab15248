// Recording, undoing and redoing edits grouped by typing pauses.
#include "editor/undo_history.h"

#include <chrono>

namespace {

int64_t monotonic_ms()
{
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

void apply(text_buffer &buf, const history_entry &e, bool forward)
{
    const bool insert = (e.kind == history_entry::inserted) == forward;
    if (insert)
        buf.insert(e.pos, e.bytes);
    else
        buf.remove(e.pos, static_cast<int64_t>(e.bytes.size()));
}

} // namespace

undo_history::undo_history() : clock_(monotonic_ms) {}

void undo_history::set_clock(clock c)
{
    clock_ = c ? std::move(c) : clock(monotonic_ms);
}

void undo_history::record_insert(int64_t pos, const std::string &bytes, int64_t pause_ms)
{
    record(history_entry::inserted, pos, bytes, pause_ms);
}

void undo_history::record_delete(int64_t pos, const std::string &bytes, int64_t pause_ms)
{
    record(history_entry::deleted, pos, bytes, pause_ms);
}

void undo_history::record(int kind, int64_t pos, const std::string &bytes, int64_t pause_ms)
{
    if (bytes.empty())
        return;
    history_entry e;
    e.kind = kind;
    e.bytes = bytes;
    e.time_ms = clock_();
    e.pos = pos;

    const bool discarded = active_ < entries_.size();
    if (discarded) {
        entries_.resize(active_);
        if (saved_ > static_cast<int64_t>(active_))
            saved_ = -1;   // the saved state can no longer be reached
    }
    if (entries_.empty()) {
        e.group = discarded ? 1 : 0;
        e.pause = true;
    } else {
        const history_entry &prev = entries_.back();
        e.group = prev.group + (discarded ? 1 : 0);
        // New typing after an undo is a step of its own: undoing it must not also revert
        // the older changes that are still in place.
        e.pause = discarded || break_ || e.time_ms - prev.time_ms > pause_ms;
    }
    break_ = false;
    entries_.push_back(std::move(e));
    active_ = entries_.size();
}

int64_t undo_history::undo(text_buffer &buf)
{
    int64_t cursor = -1;
    while (active_ > 0) {
        const history_entry &e = entries_[--active_];
        apply(buf, e, false);
        cursor = e.pos;
        if (e.pause)
            break;
    }
    return cursor;
}

int64_t undo_history::redo(text_buffer &buf)
{
    int64_t cursor = -1;
    while (active_ < entries_.size()) {
        const history_entry &e = entries_[active_++];
        apply(buf, e, true);
        cursor = e.kind == history_entry::inserted ? e.pos + static_cast<int64_t>(e.bytes.size()) : e.pos;
        if (active_ < entries_.size() && entries_[active_].pause)
            break;
    }
    return cursor;
}

void undo_history::clear()
{
    entries_.clear();
    active_ = 0;
    saved_ = 0;
    break_ = false;
}
