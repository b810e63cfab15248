// The process-wide configuration record `sys_config` and its file `config`: a raw image of the
// 2912-byte fixed part followed by the open-files and recent-files lists. No Qt, so the file
// reader can be fuzzed on its own.
#pragma once

#include "editor/editor_style.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

// Font, flags, colour and size of one token class in one theme (92 bytes in the file).
struct text_style {
    char family[64];        // UTF-8, NUL-terminated, at most 63 bytes
    uint8_t bold;           // 1: weight 75, 0: weight 50
    uint8_t italic;
    uint8_t overline;
    uint8_t underline;
    uint8_t strikeout;
    uint8_t pad_69[3];      // always zero
    int32_t red;
    int32_t green;
    int32_t blue;
    int32_t alpha;
    int32_t point_size;
};

constexpr int theme_count = 3;
constexpr std::size_t sys_config_fixed_size = 2912;

// The fixed part exactly as it lies in the file. Padding is spelled out as members so that a
// plain struct copy carries it and the written image never holds stray bytes.
struct sys_config_fixed {
    int32_t lang;           // 0 Chinese, 1 English, 2 French, 3 Japanese
    int32_t icon_size;      // 48, 32 or 24
    char user[64];          // remembered user name, NUL-terminated
    char ip[32];            // remembered server address, NUL-terminated
    int32_t port;
    uint8_t view_db;
    uint8_t view_log;
    uint8_t view_statusbar;
    uint8_t view_toolbar;
    float h_factor;
    float v_factor;
    int32_t theme;          // 0 "elegant", 1 "fresh", 2 "leisurely"
    text_style styles[theme_count][style_class_count];
    uint8_t show_space;
    uint8_t as_space;
    uint8_t pad_2886[2];
    int32_t tab_width;
    float edit_time;
    int32_t cursor_width;
    uint8_t auto_enable;
    uint8_t pad_2901[3];
    int32_t least_count;
    uint8_t only_cmd;
    uint8_t check_update;
    uint8_t pad_2910[2];
};

static_assert(sizeof(text_style) == 92, "text_style must be 92 bytes");
static_assert(offsetof(text_style, bold) == 64 && offsetof(text_style, red) == 72 &&
              offsetof(text_style, point_size) == 88, "text_style layout");
static_assert(sizeof(sys_config_fixed) == sys_config_fixed_size, "fixed part must be 2912 bytes");
static_assert(offsetof(sys_config_fixed, user) == 8 && offsetof(sys_config_fixed, ip) == 72 &&
              offsetof(sys_config_fixed, port) == 104 && offsetof(sys_config_fixed, view_db) == 108 &&
              offsetof(sys_config_fixed, h_factor) == 112 && offsetof(sys_config_fixed, theme) == 120 &&
              offsetof(sys_config_fixed, styles) == 124 && offsetof(sys_config_fixed, show_space) == 2884 &&
              offsetof(sys_config_fixed, tab_width) == 2888 && offsetof(sys_config_fixed, edit_time) == 2892 &&
              offsetof(sys_config_fixed, cursor_width) == 2896 && offsetof(sys_config_fixed, auto_enable) == 2900 &&
              offsetof(sys_config_fixed, least_count) == 2904 && offsetof(sys_config_fixed, only_cmd) == 2908 &&
              offsetof(sys_config_fixed, check_update) == 2909, "fixed part layout");

// Copies `src` into a fixed text field of `capacity` bytes: the whole field is cleared first and
// the text is cut at a UTF-8 character boundary so that the terminator always fits.
void copy_fixed_text(char *dst, std::size_t capacity, const std::string &src);

// The record: the fixed part plus the two path lists (UTF-8 byte strings).
struct sys_config_record : sys_config_fixed {
    std::list<std::string> recent_files;   // most recent first, at most 21 entries
    std::list<std::string> open_files;     // tab order

    sys_config_record();                   // the initial values

    // Fills the record from `path`; false (with a message on standard output) when the file
    // cannot be opened, the record then keeps its values.
    bool load(const std::string &path);
    // Reads a file image already in memory. Whatever is missing keeps its current value;
    // a damaged list ends the list reading.
    void load_bytes(const char *data, std::size_t size);

    // Moves the old file to `path` + ".bak" and writes the record. Silent on failure.
    void save(const std::string &path) const;
    // The file image that `save` writes.
    std::string to_bytes() const;

    // Puts every field and both lists back to the initial values.
    void reset();

    // Fixed text fields, cut to fit.
    void set_user(const std::string &name) { copy_fixed_text(user, sizeof user, name); }
    void set_ip(const std::string &address) { copy_fixed_text(ip, sizeof ip, address); }
    static void set_family(text_style &style, const std::string &family)
    {
        copy_fixed_text(style.family, sizeof style.family, family);
    }

    // The style table of the active theme (theme 0 when `theme` is out of range).
    text_style *active_styles();
    const text_style *active_styles() const;

    // A created or opened file: equal entries go, the oldest is dropped past 20, then the
    // path is put at the front.
    void add_recent_file(const std::string &path);
    // Removes the first equal entry, then appends the path.
    void add_open_file(const std::string &path);
    // A closed file leaves the open list (first equal entry).
    void remove_open_file(const std::string &path);
    void clear_recent_files() { recent_files.clear(); }

    sys_config_fixed &fixed() { return *this; }
    const sys_config_fixed &fixed() const { return *this; }
};

// The one record every window reads and changes in place.
extern sys_config_record sys_config;
