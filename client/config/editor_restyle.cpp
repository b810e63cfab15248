// The configuration record turned into editor styles, and their delivery to the open editors.
#include "config/editor_restyle.h"

#include "editor/editor.h"
#include "config/sys_config.h"

#include <QApplication>
#include <cstring>

static_assert(style_class_count * sizeof(text_style) == sizeof(sys_config_fixed::styles[0]),
              "a theme holds one entry per style class");

editor_style editor_style_of(const sys_config_record &record)
{
    editor_style out;
    const text_style *table = record.active_styles();
    for (int e = 0; e < style_class_count; ++e) {
        const text_style &s = table[e];
        token_style &t = out.entries[e];
        t.family.assign(s.family, strnlen(s.family, sizeof s.family));
        t.bold = s.bold != 0;
        t.italic = s.italic != 0;
        t.overline = s.overline != 0;
        t.underline = s.underline != 0;
        t.strikeout = s.strikeout != 0;
        t.red = s.red;
        t.green = s.green;
        t.blue = s.blue;
        t.alpha = s.alpha;
        t.point_size = s.point_size;
    }
    out.h_factor = record.h_factor;
    out.v_factor = record.v_factor;
    out.show_space = record.show_space != 0;
    out.as_space = record.as_space != 0;
    out.tab_width = record.tab_width;
    out.edit_time = record.edit_time;
    out.cursor_width = record.cursor_width;
    out.auto_enable = record.auto_enable != 0;
    out.least_count = record.least_count;
    out.only_cmd = record.only_cmd != 0;
    return out;
}

void restyle_editors(bool relayout)
{
    const editor_style style = editor_style_of(sys_config);
    for (QWidget *w : QApplication::allWidgets()) {
        auto *e = qobject_cast<editor *>(w);
        if (!e)
            continue;
        e->set_style(style);
        // Going through its cursor makes an editor size itself and tell the surrounding
        // layout (gutter, scroll area).
        if (relayout)
            e->set_cursor_position(e->cursor_position());
    }
}

void keep_font_sizes(const editor &from)
{
    text_style *table = sys_config.active_styles();
    for (int e = 0; e < style_class_count; ++e)
        table[e].point_size = from.style().entries[e].point_size;
    const editor_style style = editor_style_of(sys_config);
    for (QWidget *w : QApplication::allWidgets())
        if (auto *e = qobject_cast<editor *>(w); e && e != &from)
            e->set_style(style);
}
