// Painting of the editor on its character grid: backgrounds of selections and matches,
// per-token fonts and colours, glyphs for control bytes and blanks, the cursor. The same
// routine prints.
#include "editor/editor.h"

#include "editor/token_classifier.h"

#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <limits>

// A font with the glyph indexes of the printable ASCII characters, so runs of them are
// drawn in one call at grid positions.
struct editor::face {
    QRawFont raw;
    quint32 ascii[128] = {};
    QFont font;
    // Whether the font (with its fallbacks) draws the control pictures U+2400..U+2421 and
    // the blank mark: -1 not asked yet.
    signed char pictures[0x22] = {};
    signed char blank_mark = -1;
    bool draws(uint code_point)
    {
        signed char *known = code_point == blank_mark_point ? &blank_mark
                             : code_point >= 0x2400 && code_point <= 0x2421 ? &pictures[code_point - 0x2400]
                                                                            : nullptr;
        if (!known)
            return true;
        if (*known < 0)
            *known = QFontMetrics(font).inFontUcs4(code_point) ? 1 : 0;
        return *known == 1;
    }
    static constexpr uint blank_mark_point = 0x2B1D;
};

namespace {

const QColor selection_bg(0, 120, 215);
const QColor match_bg(255, 255, 0);
const QColor both_bg(0, 255, 0);

// The glyph font of an entry. Overline, underline and strike-out are drawn by the editor
// itself across the character cells: the toolkit draws them for glyph runs at the wrong
// place once the widget does not sit at its window's origin.
QFont font_of(const token_style &s)
{
    QFont f(QString::fromStdString(s.family));
    f.setPointSize(std::max(1, s.point_size));
    f.setWeight(s.bold ? 75 : 50);
    f.setItalic(s.italic);
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

enum decoration : uint8_t { over_line = 1, under_line = 2, strike_out = 4 };

uint8_t decorations_of(const token_style &s)
{
    return static_cast<uint8_t>((s.overline ? over_line : 0) | (s.underline ? under_line : 0) |
                                (s.strikeout ? strike_out : 0));
}

// The lines of one run of decorated cells, placed by the glyph font's own metrics.
void draw_decorations(QPainter &p, const QFontMetricsF &fm, uint8_t deco, double x0, double x1,
                      double baseline, double top, const QColor &colour)
{
    const double w = std::max(1.0, std::round(fm.lineWidth()));
    auto bar = [&](double y) { p.fillRect(QRectF(x0, std::max(top, std::round(y)), x1 - x0, w), colour); };
    if (deco & over_line)
        bar(baseline - fm.overlinePos());
    if (deco & under_line)
        bar(baseline + std::max(1.0, fm.underlinePos()));
    if (deco & strike_out)
        bar(baseline - fm.strikeOutPos());
}

const char *const control_names[33] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US",
    "DEL"};

} // namespace

// Marks for blanks, tabs and other control bytes, painted by hand where the font has no
// glyph for them (a missing glyph would show as an empty box).
void editor::draw_mark(QPainter &p, const QRectF &cell, uint code_point, const QColor &colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = cell.width(), h = cell.height();
    const QPointF mid = cell.center();
    if (code_point == face::blank_mark_point) {
        const double side = std::max(2.0, std::round(std::min(w, h) / 5));
        p.fillRect(QRectF(mid.x() - side / 2, mid.y() - side / 2, side, side), colour);
    } else if (code_point == 0x2409) {
        // An arrow across the cell to a bar: the tab's jump.
        const double pen = std::max(1.0, std::round(h / 16));
        const double left = cell.left() + w * 0.15, right = cell.right() - w * 0.2;
        const double head = std::min(w * 0.3, h * 0.2);
        p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawLine(QPointF(left, mid.y()), QPointF(right - pen, mid.y()));
        p.drawLine(QPointF(right - pen - head, mid.y() - head), QPointF(right - pen, mid.y()));
        p.drawLine(QPointF(right - pen - head, mid.y() + head), QPointF(right - pen, mid.y()));
        p.drawLine(QPointF(right, mid.y() - head), QPointF(right, mid.y() + head));
    } else {
        const uint c = code_point == 0x2421 ? 32 : code_point - 0x2400;
        const QString name = QLatin1String(c <= 32 ? control_names[c] : "?");
        const QRectF frame = cell.adjusted(0.5, h * 0.18, -0.5, -h * 0.18);
        p.setPen(QPen(colour, 1));
        p.drawRect(frame);
        QFont f(QStringLiteral("Source Code Pro"));
        f.setPixelSize(std::max(4, static_cast<int>(frame.height() * 0.62)));
        const QFontMetricsF fm(f);
        const double tw = std::max(1.0, fm.horizontalAdvance(name));
        const double k = std::min(1.0, (frame.width() - 2) / tw);
        p.setFont(f);
        p.translate(frame.center());
        p.scale(k, 1);
        p.drawText(QPointF(-tw / 2, (fm.ascent() - fm.descent()) / 2), name);
    }
    p.restore();
}

namespace {

QColor colour_of(const token_style &s)
{
    auto c = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(c(s.red), c(s.green), c(s.blue), c(s.alpha));
}

// The code point a character is drawn as on the grid; 0 for a blank without marks.
uint glyph_of(const char *s, int i, int len, bool show_space)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20)
        return 0x2400 + c;
    if (c == 0x7F)
        return 0x2421;
    if (c == ' ')
        return show_space ? 0x2B1D : 0;
    if (len == 1)
        return c < 0x80 ? c : 0xFFFD;
    uint cp = c & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

int utf8_length(const char *s, int i, int n)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int len = 1;
    if (c >= 0xC2 && c <= 0xDF)
        len = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        len = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        len = 4;
    if (i + len > n)
        return 1;
    for (int k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    return len;
}

// Walks sorted ranges alongside increasing positions.
struct range_walker {
    const std::vector<text_range> &r;
    size_t i;
    range_walker(const std::vector<text_range> &ranges, qint64 from)
        : r(ranges), i(static_cast<size_t>(std::lower_bound(ranges.begin(), ranges.end(), from,
                                                            [](const text_range &x, qint64 p) { return x.end <= p; }) -
                                           ranges.begin()))
    {
    }
    bool holds(qint64 pos)
    {
        while (i < r.size() && r[i].end <= pos)
            ++i;
        return i < r.size() && r[i].begin <= pos;
    }
};

} // namespace

editor::face &editor::face_for(const QFont &font)
{
    const QString key = font.key();
    auto it = faces_.find(key);
    if (it != faces_.end())
        return **it;
    if (faces_.size() > 64)
        faces_.clear();
    auto f = std::make_shared<face>();
    f->font = font;
    std::fill(std::begin(f->pictures), std::end(f->pictures), static_cast<signed char>(-1));
    f->raw = QRawFont::fromFont(font);
    if (f->raw.isValid()) {
        QString ascii;
        for (int c = 0x21; c < 0x7F; ++c)
            ascii += QChar(c);
        const QVector<quint32> idx = f->raw.glyphIndexesForString(ascii);
        for (int c = 0x21; c < 0x7F && c - 0x21 < idx.size(); ++c)
            f->ascii[c] = idx[c - 0x21];
    }
    faces_.insert(key, f);
    return *f;
}

const QPixmap &editor::glyph_pixmap(int entry, const QFont &font, const QColor &colour, uint code_point)
{
    const quint64 key = (quint64(entry) << 56) ^ (quint64(colour.rgba()) << 22) ^ code_point;
    auto it = glyphs_.find(key);
    if (it != glyphs_.end())
        return *it;
    const qreal dpr = devicePixelRatioF();
    // Marks stand for single bytes and take one cell.
    const bool mark = code_point == face::blank_mark_point || (code_point >= 0x2400 && code_point <= 0x2421);
    const int cells = code_point < 0x80 || mark ? 1 : 2;
    const int w = (cells + 1) * cell_width(), h = line_height();
    QPixmap pm(QSize(std::max(1, int(w * dpr)), std::max(1, int(h * dpr))));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter g(&pm);
        if (!face_for(font).draws(code_point)) {
            draw_mark(g, QRectF(0, 0, cells * cell_width(), h), code_point, colour);
        } else {
            g.setFont(font);
            g.setPen(colour);
            const QFontMetrics fm(font_of(style_.entries[style_default]), this);
            g.drawText(QPointF(0, (h - fm.height()) / 2 + fm.ascent()), QString::fromUcs4(&code_point, 1));
        }
    }
    return *glyphs_.insert(key, pm);
}

void editor::paint_lines(QPainter &p, qint64 first, qint64 last, bool for_printer)
{
    paint_cells(p, first, last, for_printer, 0, std::numeric_limits<qint64>::max(), 0);
}

// Only the cells [first_cell, last_cell] of each line are drawn, shifted left by x_origin
// pixels, so a line of millions of characters costs no more than its visible part.
void editor::paint_cells(QPainter &p, qint64 first, qint64 last, bool for_printer, qint64 first_cell,
                         qint64 last_cell, qint64 x_origin)
{
    const token_style *styles = style_.entries;
    const double k = for_printer ? double(p.device()->logicalDpiY()) / std::max(1, logicalDpiY()) : 1.0;
    const double cw = cell_width() * k, lh = line_height() * k;
    const bool classify = classify_now();
    const bool has_error = error_pos_ < buf_.size();
    const int error_font = style_class_count;

    QFont fonts[style_class_count + 1];
    QColor colours[style_class_count];
    uint8_t decos[style_class_count + 1];
    for (int e = 0; e < style_class_count; ++e) {
        fonts[e] = font_of(styles[e]);
        colours[e] = colour_of(styles[e]);
        decos[e] = decorations_of(styles[e]);
    }
    fonts[error_font] = fonts[0];
    decos[error_font] = under_line;
    const QFontMetricsF fm(fonts[0], p.device());
    const double base = (lh - fm.height()) / 2 + fm.ascent();
    face *faces[style_class_count + 1];
    QString signature = QString::number(cw) + QLatin1Char('/') + QString::number(lh);
    for (int e = 0; e <= style_class_count; ++e) {
        faces[e] = &face_for(fonts[e]);
        signature += fonts[e].key();
    }
    if (!for_printer && (signature != glyph_fonts_ || glyphs_.size() > 4096)) {
        glyphs_.clear();
        glyph_fonts_ = signature;
    }

    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, buf_.line_count() - 1);
    for (qint64 line = first; line <= last; ++line) {
        const qint64 b = buf_.line_start(line);
        const int n = static_cast<int>(buf_.line_length(line));
        const char *s = buf_.range_ptr(b, n);
        const std::vector<uint8_t> *entries = classify ? &line_entries(line, s, n) : nullptr;
        const double y = line * lh;
        if (for_printer)
            p.fillRect(QRectF(0, y, p.device()->width(), lh), Qt::white);

        // Skip to the first visible cell; a character cut by the left edge is still drawn.
        int i = 0;
        qint64 col = 0;
        if (first_cell > 0 && ascii_only(s, std::min<qint64>(n, first_cell))) {
            i = static_cast<int>(std::min<qint64>(n, first_cell));
            col = i;
        }
        while (i < n) {
            const int len = utf8_length(s, i, n);
            const int cells = len > 1 ? 2 : 1;
            if (col + cells > first_cell)
                break;
            col += cells;
            i += len;
        }
        range_walker in_sel(sel_, b + i), in_match(matches_, b + i);

        // Pending run of ASCII glyphs sharing font and colour.
        QVector<quint32> run_idx;
        QVector<QPointF> run_pos;
        int run_font = -1;
        QColor run_colour;
        auto flush = [&] {
            if (run_idx.isEmpty())
                return;
            QGlyphRun gr;
            gr.setRawFont(faces[run_font]->raw);
            gr.setGlyphIndexes(run_idx);
            gr.setPositions(run_pos);
            p.setPen(run_colour);
            p.drawGlyphRun(QPointF(0, y + base), gr);
            run_idx.clear();
            run_pos.clear();
        };

        // Pending run of decorated cells sharing font and colour, drawn after the glyphs.
        struct deco_run {
            int font;
            QColor colour;
            double x0, x1;
        };
        std::vector<deco_run> deco_runs;
        auto decorate = [&](int fe, const QColor &colour, double x0, double x1) {
            if (!decos[fe])
                return;
            if (!deco_runs.empty() && deco_runs.back().font == fe && deco_runs.back().colour == colour &&
                deco_runs.back().x1 == x0)
                deco_runs.back().x1 = x1;
            else
                deco_runs.push_back({fe, colour, x0, x1});
        };

        struct mark {
            const QPixmap *pm;
            double x, y;
        };
        std::vector<mark> marks;
        for (; i < n && col <= last_cell;) {
            const qint64 pos = b + i;
            const int len = utf8_length(s, i, n);
            const int cells = len > 1 ? 2 : 1;
            const double x = col * cw - x_origin;
            const bool sel = in_sel.holds(pos), match = in_match.holds(pos);
            if (sel || match)
                p.fillRect(QRectF(x, y, cells * cw, lh), sel && match ? both_bg : sel ? selection_bg : match_bg);

            int fe = entries ? (*entries)[static_cast<size_t>(i)] : 0;
            QColor colour = entries ? colours[fe] : QColor(Qt::black);
            if (has_error && pos >= error_pos_) {
                colour = pos == error_pos_ ? QColor(255, 0, 0) : QColor(Qt::black);
                fe = pos == error_pos_ ? error_font : 0;
            }
            if (sel)
                colour = match ? QColor(Qt::black) : QColor(Qt::white);

            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (c != ' ' && c != '\t')
                decorate(fe, colour, x, x + cells * cw);
            if (!for_printer && c > 0x20 && c < 0x7F) {
                const face &f = *faces[fe];
                if (f.raw.isValid() && f.ascii[c] != 0) {
                    if (fe != run_font || colour != run_colour)
                        flush();
                    run_font = fe;
                    run_colour = colour;
                    run_idx.append(f.ascii[c]);
                    run_pos.append(QPointF(x, 0));
                    col += cells;
                    i += len;
                    continue;
                }
            }
            const uint g = glyph_of(s, i, len, style_.show_space);
            if (g == face::blank_mark_point && !for_printer) {
                // Blank marks do not break a run: they are drawn in one batch after the line.
                QColor gc = colour;
                gc.setAlpha(64);
                const QPixmap &pm = glyph_pixmap(fe, fonts[fe], gc, g);
                marks.push_back({&pm, x, y});
                col += cells;
                i += len;
                continue;
            }
            flush();
            if (g != 0) {
                QColor gc = colour;
                if (c == ' ')
                    gc.setAlpha(64);
                if (for_printer && !faces[fe]->draws(g)) {
                    draw_mark(p, QRectF(x, y, cells * cw, lh), g, gc);
                } else if (for_printer || g > 0xFFFF) {
                    p.setFont(fonts[fe]);
                    p.setPen(gc);
                    p.drawText(QPointF(x, y + base), QString::fromUcs4(&g, 1));
                } else {
                    p.drawPixmap(QPointF(x, y), glyph_pixmap(fe, fonts[fe], gc, g));
                }
            }
            col += cells;
            i += len;
        }
        flush();
        for (size_t m = 0; m < marks.size();) {
            // One call per run of marks drawn from the same pixmap.
            std::vector<QPainter::PixmapFragment> frags;
            const QPixmap *pm = marks[m].pm;
            const QSizeF sz = QSizeF(pm->size()) / pm->devicePixelRatioF();
            for (; m < marks.size() && marks[m].pm == pm; ++m)
                frags.push_back(QPainter::PixmapFragment::create(
                    QPointF(marks[m].x + sz.width() / 2, marks[m].y + sz.height() / 2), QRectF(QPointF(0, 0), pm->size()),
                    1 / pm->devicePixelRatioF(), 1 / pm->devicePixelRatioF()));
            p.drawPixmapFragments(frags.data(), static_cast<int>(frags.size()), *pm);
        }
        for (const deco_run &d : deco_runs)
            draw_decorations(p, QFontMetricsF(fonts[d.font], p.device()), decos[d.font], d.x0, d.x1, y + base, y,
                             d.colour);
    }
}

// Classes of a line's bytes; the last long line's are kept so the blink of the cursor or a
// scroll does not split millions of bytes again.
const std::vector<uint8_t> &editor::line_entries(qint64 line, const char *s, int n)
{
    const bool keep = n > 0x10000;
    if (keep && entries_line_ == line && entries_edit_ == edits_)
        return line_entries_;
    token_classifier::line_entries(s, n, line_entries_);
    entries_line_ = keep ? line : -1;
    entries_edit_ = edits_;
    return line_entries_;
}

QRect editor::cursor_rect() const
{
    const int w = std::max(1, style_.cursor_width);
    return QRect(cursor_pt_.x() - w / 2, cursor_pt_.y(), w, line_height());
}

void editor::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    const QRect r = ev->rect();
    p.fillRect(r, QColor(255, 255, 255));
    p.setPen(Qt::black);
    const int lh = line_height(), cw = cell_width();
    paint_cells(p, r.top() / lh, r.bottom() / lh, false, (r.left() + x_origin_) / cw, (r.right() + x_origin_) / cw,
                x_origin_);

    if (!preedit_.isEmpty()) {
        QFont f = font_for_preedit();
        p.setFont(f);
        p.setPen(Qt::black);
        const QFontMetrics fm(f);
        p.fillRect(QRect(cursor_pt_, QSize(fm.horizontalAdvance(preedit_), lh)), Qt::white);
        p.drawText(QPointF(cursor_pt_.x(), cursor_pt_.y() + (lh - fm.height()) / 2 + fm.ascent()), preedit_);
    }
    // Exactly one line high: the blink repaints just this rectangle.
    if (cursor_visible_ && isEnabled())
        p.fillRect(cursor_rect(), Qt::black);
}

QFont editor::font_for_preedit() const
{
    QFont f = font_of(style_.entries[style_default]);
    f.setUnderline(true);
    return f;
}

const token_style &editor::style_at(qint64 pos)
{
    const token_style *styles = style_.entries;
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    if (!classify_now())
        return styles[0];
    const qint64 line = buf_.line_of(pos), b = buf_.line_start(line), n = buf_.line_length(line);
    const int e = token_classifier::entry_at(buf_.range_ptr(b, n), static_cast<int>(n), static_cast<int>(pos - b));
    return styles[std::clamp(e, 0, style_class_count - 1)];
}

void editor::print_to(QPrinter *printer)
{
    QPainter p(printer);
    if (!p.isActive())
        return;
    const double k = double(printer->logicalDpiY()) / std::max(1, logicalDpiY());
    const double lh = line_height() * k;
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    const qint64 per_page = std::max<qint64>(1, static_cast<qint64>(page.height() / lh));
    const qint64 lines = buf_.line_count();
    for (qint64 first = 0; first < lines; first += per_page) {
        if (first > 0)
            printer->newPage();
        p.save();
        p.translate(0, -first * lh);
        paint_lines(p, first, std::min(lines - 1, first + per_page - 1), true);
        p.restore();
    }
}
