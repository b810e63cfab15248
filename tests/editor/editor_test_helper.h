// Shared set-up of the editor tests: a fresh configuration, a coloured palette, a hand
// driven clock, and reading colours back from grabbed images.
#pragma once

#include "editor/editor.h"
#include "config/editor_restyle.h"
#include "config/sys_config.h"

#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QRect>

namespace editor_test {

// Puts the configuration record back to its initial values.
void reset_config();
// Hands the configuration record to an editor, as the editor's owner does.
void take_config(editor &ed);
// Gives every entry of the active theme its own clearly different colour.
void colour_theme();
QColor entry_colour(int entry);

struct fake_clock {
    qint64 now = 100000;
    void attach(editor &ed) { ed.set_clock([this] { return now; }); }
};

void key(QWidget *w, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = QString());
void type(QWidget *w, const QString &text);

// Pixel rectangle of the cell holding byte `pos` (ASCII text).
QRect cell_rect(const editor &ed, qint64 pos);
// Whether some pixel of the rectangle lies within `tolerance` of the colour on every channel.
bool has_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance = 40);
// Whether every pixel of the rectangle is that colour.
bool all_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance = 8);

} // namespace editor_test
