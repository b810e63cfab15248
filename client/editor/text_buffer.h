// UTF-8 text store of the command editor: a gap buffer with an index of line starts that
// follows each change by the change alone, so typing in a large script stays cheap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class text_buffer {
public:
    text_buffer() = default;
    explicit text_buffer(const std::string &text) { set_text(text); }

    void set_text(const std::string &text);
    std::string text() const;
    std::string mid(int64_t pos, int64_t len) const;

    int64_t size() const { return static_cast<int64_t>(data_.size() - (gap_end_ - gap_begin_)); }
    bool empty() const { return size() == 0; }
    char at(int64_t pos) const
    {
        const size_t p = static_cast<size_t>(pos);
        return p < gap_begin_ ? data_[p] : data_[p + (gap_end_ - gap_begin_)];
    }

    // Both clamp their arguments to the text.
    void insert(int64_t pos, const char *bytes, int64_t len);
    void insert(int64_t pos, const std::string &bytes) { insert(pos, bytes.data(), static_cast<int64_t>(bytes.size())); }
    void remove(int64_t pos, int64_t len);

    // Lines are separated by a single "\n"; an empty text has one empty line.
    int64_t line_count() const { return static_cast<int64_t>(starts_.size()); }
    int64_t line_start(int64_t line) const;
    // End of the line's content, before its "\n".
    int64_t line_end(int64_t line) const;
    int64_t line_length(int64_t line) const { return line_end(line) - line_start(line); }
    // Line holding the byte offset (the last line for the length).
    int64_t line_of(int64_t pos) const;
    std::string line_text(int64_t line) const { return mid(line_start(line), line_length(line)); }

    // Contiguous view of [pos, pos + len): moves the gap out of the way when the range spans it.
    const char *range_ptr(int64_t pos, int64_t len);

    // Length of the UTF-8 sequence beginning at pos (1 for stray bytes), and the start of
    // the character before pos.
    int char_length(int64_t pos) const;
    int64_t prev_char(int64_t pos) const;

private:
    void move_gap(size_t pos);
    void grow_gap(size_t need);
    // Applies the pending shift to every line start up to and including index upto.
    void settle_until(int64_t upto);
    int64_t raw_start(int64_t line) const
    {
        return starts_[static_cast<size_t>(line)] + (line > step_line_ ? step_ : 0);
    }

    std::vector<char> data_;
    size_t gap_begin_ = 0;
    size_t gap_end_ = 0;

    // starts_[i] holds the start of line i, except that lines after step_line_ still owe step_.
    std::vector<int64_t> starts_{0};
    int64_t step_line_ = 0;
    int64_t step_ = 0;
};
