// Colours and flags of the built-in palettes, entry by entry in style-table order.
#include "config/builtin_palettes.h"

#include <cstring>

namespace {

struct palette_entry {
    int red, green, blue;
    bool bold, italic;
};

// [theme][entry]: default, function, field name, table name, constant, post keyword,
// read keyword, write keyword, default keyword, comment.
constexpr palette_entry palettes[theme_count][style_class_count] = {
    {{0, 0, 0, false, false},
     {232, 183, 107, true, false},
     {148, 154, 142, true, true},
     {240, 186, 178, true, false},
     {237, 12, 140, false, false},
     {63, 83, 94, true, false},
     {153, 201, 201, true, false},
     {136, 121, 116, true, false},
     {151, 177, 211, false, false},
     {174, 174, 174, false, false}},
    {{0, 0, 0, false, false},
     {128, 128, 0, false, false},
     {255, 165, 0, false, true},
     {95, 158, 160, true, false},
     {128, 128, 128, false, false},
     {160, 82, 45, false, false},
     {0, 128, 0, false, false},
     {255, 215, 0, false, false},
     {46, 139, 87, false, false},
     {174, 174, 174, false, false}},
    {{0, 0, 0, false, false},
     {66, 44, 51, false, false},
     {109, 136, 153, false, true},
     {220, 195, 124, true, false},
     {99, 105, 108, false, false},
     {148, 142, 132, false, false},
     {199, 151, 100, false, false},
     {199, 151, 100, false, false},
     {83, 98, 106, false, false},
     {174, 174, 174, false, false}},
};

} // namespace

namespace builtin_palettes {

bool load(int theme, text_style (&table)[style_class_count])
{
    if (theme < 0 || theme >= theme_count)
        return false;
    for (int e = 0; e < style_class_count; ++e) {
        const palette_entry &p = palettes[theme][e];
        text_style &s = table[e];
        std::memset(&s, 0, sizeof s);
        sys_config_record::set_family(s, "Source Code Pro");
        s.bold = p.bold;
        s.italic = p.italic;
        s.red = p.red;
        s.green = p.green;
        s.blue = p.blue;
        s.alpha = 255;
        s.point_size = 12;
    }
    return true;
}

void load_all(sys_config_fixed &record)
{
    for (int t = 0; t < theme_count; ++t)
        load(t, record.styles[t]);
}

} // namespace builtin_palettes
