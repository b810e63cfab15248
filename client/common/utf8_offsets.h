// UTF-8 bytes read as a QString with an exact correspondence of offsets both ways, so that
// matches found in the UTF-16 text become byte ranges of the buffer they came from.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class utf8_offsets {
public:
    // Each well-formed sequence becomes its code point; every byte of a malformed one becomes
    // one U+FFFD, so the offsets stay countable.
    utf8_offsets(const char *data, int64_t size);

    const QString &text() const { return text_; }
    int64_t byte_size() const { return size_; }

    // Byte offset of a UTF-16 index and back; an index inside a surrogate pair or a byte
    // inside a sequence maps to the start of its character. Pure ASCII maps one to one; other
    // texts walk from the previous answer or from the nearest of the marks kept every 1024 units.
    int64_t byte_of(int unit);
    int unit_of(int64_t byte);

private:
    struct mark {
        int unit;
        int64_t byte;
    };
    // Bytes and UTF-16 units of the character at byte offset b.
    void step_at(int64_t b, int &bytes, int &units) const;
    // Puts the walk at the last mark at or before the unit (or byte), unless the walk is
    // already between that mark and the target.
    void seek(int unit, int64_t byte);

    const char *data_;
    int64_t size_;
    QString text_;
    bool one_to_one_ = true;
    std::vector<mark> marks_;
    int64_t walk_byte_ = 0;
    int walk_unit_ = 0;
};
