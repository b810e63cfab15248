// Painting of the editor on its character grid: backgrounds of selections and matches,
// per-token fonts and colours, glyphs for control bytes and blanks, the cursor. The same
// routine prints.
#include "editor/editor.h"

#include "editor/sys_config.h"
#include "editor/token_classifier.h"

#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <algorithm>

// A font with the glyph indexes of the printable ASCII characters, so runs of them are
// drawn in one call at grid positions.
struct editor::face {
    QRawFont raw;
    quint32 ascii[128] = {};
};

namespace {

const QColor selection_bg(0, 120, 215);
const QColor match_bg(255, 255, 0);
const QColor both_bg(0, 255, 0);

QFont font_of(const text_style &s)
{
    QFont f(QString::fromUtf8(s.family, static_cast<int>(strnlen(s.family, sizeof s.family))));
    f.setPointSize(std::max(1, s.point_size));
    f.setWeight(s.bold ? 75 : 50);
    f.setItalic(s.italic);
    f.setOverline(s.overline);
    f.setUnderline(s.underline);
    f.setStrikeOut(s.strikeout);
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QColor colour_of(const text_style &s)
{
    auto c = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(c(s.red), c(s.green), c(s.blue), c(s.alpha));
}

// The code point a character is drawn as on the grid; 0 for a blank without marks.
uint glyph_of(const char *s, int i, int len)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20)
        return 0x2400 + c;
    if (c == 0x7F)
        return 0x2421;
    if (c == ' ')
        return sys_config.show_space ? 0x2B1D : 0;
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
    const int cells = code_point < 0x80 ? 1 : 2;
    const int w = (cells + 1) * cell_width(), h = line_height();
    QPixmap pm(QSize(std::max(1, int(w * dpr)), std::max(1, int(h * dpr))));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter g(&pm);
        g.setFont(font);
        g.setPen(colour);
        const QFontMetrics fm(font_of(sys_config.active_styles()[0]), this);
        g.drawText(QPointF(0, (h - fm.height()) / 2 + fm.ascent()), QString::fromUcs4(&code_point, 1));
    }
    return *glyphs_.insert(key, pm);
}

void editor::paint_lines(QPainter &p, qint64 first, qint64 last, bool for_printer)
{
    const text_style *styles = sys_config.active_styles();
    const double k = for_printer ? double(p.device()->logicalDpiY()) / std::max(1, logicalDpiY()) : 1.0;
    const double cw = cell_width() * k, lh = line_height() * k;
    const bool classify = classify_now();
    const bool has_error = error_pos_ < buf_.size();

    QFont fonts[style_class_count + 1];
    QColor colours[style_class_count];
    for (int e = 0; e < style_class_count; ++e) {
        fonts[e] = font_of(styles[e]);
        colours[e] = colour_of(styles[e]);
    }
    fonts[style_class_count] = fonts[0];
    fonts[style_class_count].setUnderline(true);   // the error position
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

    std::vector<uint8_t> entries;
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, buf_.line_count() - 1);
    for (qint64 line = first; line <= last; ++line) {
        const qint64 b = buf_.line_start(line);
        const int n = static_cast<int>(buf_.line_length(line));
        const char *s = buf_.range_ptr(b, n);
        if (classify)
            token_classifier::line_entries(s, n, entries);
        const double y = line * lh;
        if (for_printer)
            p.fillRect(QRectF(0, y, p.device()->width(), lh), Qt::white);
        range_walker in_sel(sel_, b), in_match(matches_, b);

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
            gr.setOverline(fonts[run_font].overline());
            gr.setUnderline(fonts[run_font].underline());
            gr.setStrikeOut(fonts[run_font].strikeOut());
            p.setPen(run_colour);
            p.drawGlyphRun(QPointF(0, y + base), gr);
            run_idx.clear();
            run_pos.clear();
        };

        struct mark {
            const QPixmap *pm;
            double x, y;
        };
        std::vector<mark> marks;
        int col = 0;
        for (int i = 0; i < n;) {
            const qint64 pos = b + i;
            const int len = utf8_length(s, i, n);
            const int cells = len > 1 ? 2 : 1;
            const double x = col * cw;
            const bool sel = in_sel.holds(pos), match = in_match.holds(pos);
            if (sel || match)
                p.fillRect(QRectF(x, y, cells * cw, lh), sel && match ? both_bg : sel ? selection_bg : match_bg);

            int fe = classify ? entries[static_cast<size_t>(i)] : 0;
            QColor colour = classify ? colours[fe] : QColor(Qt::black);
            if (has_error && pos >= error_pos_) {
                colour = pos == error_pos_ ? QColor(255, 0, 0) : QColor(Qt::black);
                fe = pos == error_pos_ ? style_class_count : 0;
            }
            if (sel)
                colour = match ? QColor(Qt::black) : QColor(Qt::white);

            const unsigned char c = static_cast<unsigned char>(s[i]);
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
            const uint g = glyph_of(s, i, len);
            if (g == 0x2B1D && !for_printer) {
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
                if (for_printer || g > 0xFFFF) {
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
    }
}

void editor::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    const QRect r = ev->rect();
    p.fillRect(r, QColor(255, 255, 255));
    p.setPen(Qt::black);
    const int lh = line_height();
    paint_lines(p, r.top() / lh, r.bottom() / lh, false);

    if (!preedit_.isEmpty()) {
        QFont f = font_for_preedit();
        p.setFont(f);
        p.setPen(Qt::black);
        const QFontMetrics fm(f);
        p.fillRect(QRect(cursor_pt_, QSize(fm.horizontalAdvance(preedit_), lh)), Qt::white);
        p.drawText(QPointF(cursor_pt_.x(), cursor_pt_.y() + (lh - fm.height()) / 2 + fm.ascent()), preedit_);
    }
    if (cursor_visible_ && isEnabled()) {
        p.setPen(QPen(Qt::black, sys_config.cursor_width));
        p.drawLine(cursor_pt_, cursor_pt_ + QPoint(0, lh));
    }
}

QFont editor::font_for_preedit() const
{
    QFont f = font_of(sys_config.active_styles()[0]);
    f.setUnderline(true);
    return f;
}

const text_style &editor::style_at(qint64 pos)
{
    const text_style *styles = sys_config.active_styles();
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
