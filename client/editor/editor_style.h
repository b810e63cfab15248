// How an editor looks and types: fonts and colours of its style entries, the character grid,
// indentation, the typing pause and the completion switches. A plain value its owner hands over,
// so the editor knows nothing of where the values are kept. No Qt.
#pragma once

#include <string>

// Index of a token class inside a style table; token_classifier yields these entries.
enum style_class : int {
    style_default = 0, style_function = 1, style_field = 2, style_table = 3, style_constant = 4,
    style_post_keyword = 5, style_read_keyword = 6, style_write_keyword = 7,
    style_default_keyword = 8, style_comment = 9
};

constexpr int style_class_count = 10;

// Font, decorations and colour of one entry, as stored: the editor clamps colours to 0..255
// and sizes to at least one point where it uses them.
struct token_style {
    std::string family = "Source Code Pro";
    bool bold = false;
    bool italic = false;
    bool overline = false;
    bool underline = false;
    bool strikeout = false;
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 255;
    int point_size = 12;
};

// The defaults are those of a fresh configuration, so a bare editor looks like a new installation's.
struct editor_style {
    token_style entries[style_class_count];
    float h_factor = 1.0f;      // cell width and line height per point of the default entry
    float v_factor = 1.6f;
    bool show_space = true;     // blanks drawn as faint marks
    bool as_space = false;      // Tab inserts blanks instead of a tab byte
    int tab_width = 4;          // blanks per indentation level (clamped to 1..64)
    float edit_time = 1.0f;     // seconds of typing pause that end an undo step
    int cursor_width = 1;
    bool auto_enable = true;    // completion list while typing
    int least_count = 0;        // characters typed before the list opens
    bool only_cmd = true;       // command words only, no table or field names

    int cell_width() const
    {
        const int w = static_cast<int>(static_cast<float>(entries[style_default].point_size) * h_factor);
        return w > 1 ? w : 1;
    }
    int line_height() const
    {
        const int h = static_cast<int>(static_cast<float>(entries[style_default].point_size) * v_factor);
        return h > 1 ? h : 1;
    }
};

bool operator==(const token_style &a, const token_style &b);
bool operator==(const editor_style &a, const editor_style &b);
inline bool operator!=(const token_style &a, const token_style &b) { return !(a == b); }
inline bool operator!=(const editor_style &a, const editor_style &b) { return !(a == b); }
