// Painting and width of the line-number gutter.
#include "editor/linenumber_wt.h"


#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <algorithm>

linenumber_wt::linenumber_wt(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("linenumber_wt"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont linenumber_wt::gutter_font() const
{
    QFont f(QStringLiteral("Source Code Pro"));
    f.setPointSize(std::max(1, style_.entries[style_default].point_size));
    f.setKerning(true);
    return f;
}

void linenumber_wt::set_style(const editor_style &style)
{
    style_ = style;
    update();
}

void linenumber_wt::set_line_count(qint64 lines)
{
    lines_ = std::max<qint64>(1, lines);
    update();
}

void linenumber_wt::set_scroll_offset(int y)
{
    offset_ = std::max(0, y);
    update();
}

int linenumber_wt::digit_width() const
{
    // A face without the editor font may have digits wider than its blank.
    const QFontMetrics fm(gutter_font(), const_cast<linenumber_wt *>(this));
    int w = fm.horizontalAdvance(QLatin1Char(' '));
    for (char d = '0'; d <= '9'; ++d)
        w = std::max(w, fm.horizontalAdvance(QLatin1Char(d)));
    return w;
}

int linenumber_wt::margin() const
{
    return (style_.cell_width() + 1) / 2;
}

int linenumber_wt::width_needed() const
{
    const int digits = static_cast<int>(QString::number(lines_).size());
    return digits * digit_width() + 2 * margin();
}

void linenumber_wt::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    p.fillRect(ev->rect(), QColor(239, 239, 239));
    const QFont f = gutter_font();
    p.setFont(f);
    p.setPen(QColor(128, 128, 128));
    const QFontMetricsF fm(f, this);
    const int lh = style_.line_height();
    const int right = width() - margin();
    const int top = std::max(ev->rect().top(), offset_);
    const qint64 first = top / lh;
    const qint64 last = std::min<qint64>(lines_ - 1, ev->rect().bottom() / lh);
    const double base = (lh - fm.height()) / 2 + fm.ascent();

    // Digits as one glyph run per paint; the plain text path only if the font lacks them.
    const QRawFont raw = QRawFont::fromFont(f);
    const QVector<quint32> digits = raw.isValid() ? raw.glyphIndexesForString(QStringLiteral("0123456789"))
                                                  : QVector<quint32>();
    const bool fast = digits.size() == 10 && !digits.contains(0);
    QVector<QPointF> advances;
    if (fast)
        advances = raw.advancesForGlyphIndexes(digits);
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
    for (qint64 line = first; line <= last; ++line) {
        const QString number = QString::number(line + 1);
        if (!fast) {
            const QRect cell(0, static_cast<int>(line * lh), right, lh);
            p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, number);
            continue;
        }
        double x = right;
        for (int k = number.size() - 1; k >= 0; --k) {
            const int d = number[k].unicode() - '0';
            x -= advances[d].x();
            glyphs.append(digits[d]);
            positions.append(QPointF(x, line * lh + base));
        }
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.drawGlyphRun(QPointF(0, 0), run);
    }
}
