// Literal search with a string matcher, regular expressions with QRegularExpression (PCRE2, JIT
// compiled), the word test and the replacement texts.
#include "common/text_search.h"

#include "support/hex_digit.h"

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>

namespace text_search {

namespace {

int hex_of(QChar c)
{
    return c.unicode() < 0x80 ? ox::hex_value(char(c.unicode())) : -1;
}

} // namespace

QString decode_escapes(const QString &text)
{
    QString out;
    out.reserve(text.size());
    QByteArray bytes; // consecutive \x escapes, read as UTF-8 together
    auto flush = [&] {
        if (!bytes.isEmpty()) {
            out += QString::fromUtf8(bytes);
            bytes.clear();
        }
    };
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < n) {
            const QChar e = text[i + 1];
            if (e == QLatin1Char('x') && i + 3 < n && hex_of(text[i + 2]) >= 0 && hex_of(text[i + 3]) >= 0) {
                bytes += char(hex_of(text[i + 2]) * 16 + hex_of(text[i + 3]));
                i += 3;
                continue;
            }
            const QChar plain = e == QLatin1Char('n') ? QChar(u'\n')
                              : e == QLatin1Char('r') ? QChar(u'\r')
                              : e == QLatin1Char('\\') ? QChar(u'\\')
                              : QChar();
            if (!plain.isNull()) {
                flush();
                out += plain;
                ++i;
                continue;
            }
        }
        flush();
        out += c;
    }
    flush();
    return out;
}

bool word_char_at(const QString &text, int pos, bool before)
{
    uint cp = 0;
    if (before) {
        if (pos <= 0 || pos > text.size())
            return false;
        const QChar c = text[pos - 1];
        cp = c.unicode();
        if (c.isLowSurrogate() && pos >= 2 && text[pos - 2].isHighSurrogate())
            cp = QChar::surrogateToUcs4(text[pos - 2], c);
    } else {
        if (pos < 0 || pos >= text.size())
            return false;
        const QChar c = text[pos];
        cp = c.unicode();
        if (c.isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate())
            cp = QChar::surrogateToUcs4(c, text[pos + 1]);
    }
    return cp == '_' || QChar::isLetterOrNumber(cp);
}

matcher::matcher(const QString &target, const options &opt) : opt_(opt)
{
    const Qt::CaseSensitivity cs = opt.case_sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (opt.how == mode::regular_expression) {
        empty_ = target.isEmpty();
        QRegularExpression::PatternOptions po = QRegularExpression::MultilineOption |
                                                QRegularExpression::UseUnicodePropertiesOption;
        if (!opt.case_sensitive)
            po |= QRegularExpression::CaseInsensitiveOption;
        re_ = QRegularExpression(target, po);
        if (!empty_ && !re_.isValid())
            error_ = QCoreApplication::translate("text_search", "%1 at offset %2")
                         .arg(re_.errorString())
                         .arg(re_.patternErrorOffset());
        else if (!empty_)
            re_.optimize();
    } else {
        literal_ = opt.how == mode::escapes ? decode_escapes(target) : target;
        empty_ = literal_.isEmpty();
        finder_ = QStringMatcher(literal_, cs);
    }
}

bool matcher::accept(const QString &text, int begin, int end) const
{
    return !opt_.match_word || (!word_char_at(text, begin, true) && !word_char_at(text, end, false));
}

// Calls f(range, regex match or null) for each match inside [lo, hi) that begins at or after
// `from`, left to right, until f returns false.
template <typename F>
void matcher::each(const QString &text, int lo, int hi, int from, F &&f) const
{
    if (!usable())
        return;
    if (hi < 0 || hi > text.size())
        hi = text.size();
    lo = std::clamp(lo, 0, hi);
    from = std::max(from, lo);
    if (from > hi)
        return;
    if (opt_.how != mode::regular_expression) {
        const int n = literal_.size();
        int pos = from;
        while (pos <= hi - n) {
            const int p = finder_.indexIn(text.constData(), hi, pos);
            if (p < 0)
                return;
            if (accept(text, p, p + n)) {
                if (!f(match_range{p, p + n}, nullptr))
                    return;
                pos = p + n;
            } else {
                pos = p + 1;
            }
        }
        return;
    }
    // The subject is only the part to search, so "^" and lookbehinds stop at its edges and
    // nothing past hi is read.
    QRegularExpressionMatchIterator it = re_.globalMatch(text.midRef(lo, hi - lo), from - lo);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int b = lo + m.capturedStart(), e = lo + m.capturedEnd();
        if (accept(text, b, e) && !f(match_range{b, e}, &m))
            return;
    }
}

match_range matcher::next(const QString &text, int from, int lo, int hi) const
{
    match_range found;
    each(text, lo, hi, from, [&](const match_range &r, const QRegularExpressionMatch *) {
        found = r;
        return false;
    });
    return found;
}

match_range matcher::prev(const QString &text, int before, int lo, int hi) const
{
    if (!usable())
        return {};
    if (hi < 0 || hi > text.size())
        hi = text.size();
    lo = std::clamp(lo, 0, hi);
    if (opt_.how != mode::regular_expression) {
        const int n = literal_.size();
        const Qt::CaseSensitivity cs = opt_.case_sensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
        int start = std::min(before - 1, hi - n);
        while (start >= lo) {
            const int p = text.lastIndexOf(literal_, start, cs);
            if (p < lo)
                break;
            if (accept(text, p, p + n))
                return {p, p + n};
            start = p - 1;
        }
        return {};
    }
    match_range last;
    each(text, lo, hi, lo, [&](const match_range &r, const QRegularExpressionMatch *) {
        if (r.begin >= before)
            return false;
        last = r;
        return true;
    });
    return last;
}

std::vector<match_range> matcher::all(const QString &text, int lo, int hi, int limit) const
{
    std::vector<match_range> out;
    if (limit == 0)
        return out;
    each(text, lo, hi, lo, [&](const match_range &r, const QRegularExpressionMatch *) {
        out.push_back(r);
        return limit < 0 || int(out.size()) < limit;
    });
    return out;
}

QString matcher::expand(const QRegularExpressionMatch &m, const QString &with) const
{
    QString out;
    const int n = with.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = with[i];
        if (c != QLatin1Char('$') || i + 1 >= n) {
            out += c;
            continue;
        }
        const QChar d = with[i + 1];
        if (d == QLatin1Char('$')) {
            out += c;
            ++i;
        } else if (d == QLatin1Char('&')) {
            out += m.captured(0);
            ++i;
        } else if (d.isDigit() && d.unicode() < 0x80) {
            // "$12" names group 12 when there is one, else group 1 followed by "2".
            int group = d.unicode() - '0', used = 1;
            if (i + 2 < n && with[i + 2].unicode() >= '0' && with[i + 2].unicode() <= '9') {
                const int two = group * 10 + (with[i + 2].unicode() - '0');
                if (two <= re_.captureCount()) {
                    group = two;
                    used = 2;
                }
            }
            if (group == 0 || group > re_.captureCount()) {
                out += c;
                continue;
            }
            out += m.captured(group);
            i += used;
        } else {
            out += c;
        }
    }
    return out;
}

matcher::plan matcher::plan_replace(const QString &text, const QString &with, int lo, int hi, int limit,
                                    int from) const
{
    plan p;
    if (limit == 0)
        return p;
    const QString fixed = opt_.how == mode::escapes ? decode_escapes(with) : with;
    each(text, lo, hi, from < 0 ? lo : from, [&](const match_range &r, const QRegularExpressionMatch *m) {
        p.ranges.push_back(r);
        p.texts.append(m ? expand(*m, with) : fixed);
        return limit < 0 || int(p.ranges.size()) < limit;
    });
    return p;
}

QString matcher::replaced(const QString &text, const QString &with, int *count) const
{
    const plan p = plan_replace(text, with);
    if (count)
        *count = int(p.ranges.size());
    return p.ranges.empty() ? text : apply_plan(text, p);
}

QString apply_plan(const QString &text, const matcher::plan &p)
{
    QString out;
    qsizetype grown = text.size();
    for (std::size_t i = 0; i < p.ranges.size(); ++i)
        grown += p.texts[int(i)].size() - p.ranges[i].length();
    out.reserve(int(std::max<qsizetype>(grown, 0)));
    int at = 0;
    for (std::size_t i = 0; i < p.ranges.size(); ++i) {
        out += text.midRef(at, p.ranges[i].begin - at);
        out += p.texts[int(i)];
        at = p.ranges[i].end;
    }
    out += text.midRef(at);
    return out;
}

} // namespace text_search
