// Undo and redo of the command editor. Steps are formed by typing pauses: one undo reverts
// a burst of changes in which no two lay further apart than the configured interval.
#pragma once

#include "editor/text_buffer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct history_entry {
    enum kind_t : int { deleted = 0, inserted = 1 };
    int kind = inserted;
    std::string bytes;
    int64_t time_ms = 0;    // monotonic milliseconds
    int64_t pos = 0;
    int64_t group = 0;
    bool pause = false;     // the step begins here
};

class undo_history {
public:
    using clock = std::function<int64_t()>;

    undo_history();
    // Tests drive time by hand; an empty clock restores the monotonic one.
    void set_clock(clock c);
    int64_t now() const { return clock_(); }

    // `pause_ms`: changes further apart than this start a new step.
    void record_insert(int64_t pos, const std::string &bytes, int64_t pause_ms);
    void record_delete(int64_t pos, const std::string &bytes, int64_t pause_ms);

    // The next change begins a step of its own, whatever the time since the last one.
    void break_step() { break_ = true; }

    bool can_undo() const { return active_ > 0; }
    bool can_redo() const { return active_ < entries_.size(); }
    // Revert one step on the buffer; the new cursor offset, or -1 when nothing was undone.
    int64_t undo(text_buffer &buf);
    // Re-apply the next step: the entry after the active ones, and the following entries up
    // to (not including) the next one that starts a step.
    int64_t redo(text_buffer &buf);

    void clear();
    const std::vector<history_entry> &entries() const { return entries_; }
    size_t active() const { return active_; }

    // Unsaved changes: the active count differs from the one at the last save, or the saved
    // state's entries were thrown away by new typing after an undo.
    void mark_saved() { saved_ = static_cast<int64_t>(active_); }
    bool modified() const { return saved_ != static_cast<int64_t>(active_); }

private:
    void record(int kind, int64_t pos, const std::string &bytes, int64_t pause_ms);

    clock clock_;
    std::vector<history_entry> entries_;
    size_t active_ = 0;
    int64_t saved_ = 0;
    bool break_ = false;
};
