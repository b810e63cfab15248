// Shared set-up of the editor tests.
#include "editor_test_helper.h"

#include <QApplication>
#include <cstdlib>

namespace editor_test {

namespace {
const QColor palette[style_class_count] = {
    {0, 0, 0},   {120, 60, 0},  {0, 160, 0}, {0, 0, 230}, {230, 0, 230},
    {0, 170, 170}, {200, 0, 0}, {140, 90, 0}, {120, 0, 200}, {90, 90, 90}};
}

void reset_config()
{
    sys_config.reset();
}

void take_config(editor &ed)
{
    ed.set_style(editor_style_of(sys_config));
}

QColor entry_colour(int entry)
{
    return palette[entry];
}

void colour_theme()
{
    text_style *s = sys_config.active_styles();
    for (int e = 0; e < style_class_count; ++e) {
        s[e].red = palette[e].red();
        s[e].green = palette[e].green();
        s[e].blue = palette[e].blue();
        s[e].alpha = 255;
        s[e].bold = 1;
    }
}

void key(QWidget *w, int k, Qt::KeyboardModifiers mods, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, k, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, mods, text);
    QApplication::sendEvent(w, &release);
}

void type(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        int k = c.toUpper().unicode();
        if (c == QLatin1Char(' '))
            k = Qt::Key_Space;
        key(w, k, Qt::NoModifier, QString(c));
    }
}

QRect cell_rect(const editor &ed, qint64 pos)
{
    const qint64 line = ed.buffer().line_of(pos);
    return QRect(ed.cells_before(pos) * ed.cell_width(), static_cast<int>(line * ed.line_height()),
                 ed.cell_width(), ed.line_height());
}

bool has_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance)
                return true;
        }
    return false;
}

bool all_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) > tolerance || std::abs(p.green() - c.green()) > tolerance ||
                std::abs(p.blue() - c.blue()) > tolerance)
                return false;
        }
    return true;
}

} // namespace editor_test
