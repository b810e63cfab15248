// Comparing editor styles: whether an editor shows what a configuration record describes.
#include "editor/editor_style.h"

#include <tuple>

namespace {

auto fields(const token_style &s)
{
    return std::tie(s.family, s.bold, s.italic, s.overline, s.underline, s.strikeout, s.red, s.green, s.blue,
                    s.alpha, s.point_size);
}

auto fields(const editor_style &s)
{
    return std::tie(s.h_factor, s.v_factor, s.show_space, s.as_space, s.tab_width, s.edit_time, s.cursor_width,
                    s.auto_enable, s.least_count, s.only_cmd);
}

} // namespace

bool operator==(const token_style &a, const token_style &b)
{
    return fields(a) == fields(b);
}

bool operator==(const editor_style &a, const editor_style &b)
{
    for (int e = 0; e < style_class_count; ++e)
        if (a.entries[e] != b.entries[e])
            return false;
    return fields(a) == fields(b);
}
