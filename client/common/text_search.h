// The matching engine behind the search and replace dialogs of the editor and of the grids: a
// target, a mode and two options turned into match ranges of a text. No widgets.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringMatcher>
#include <vector>

namespace text_search {

enum class mode {
    normal,             // the target is taken literally
    regular_expression, // the target is a regular expression
    escapes,            // literal, but "\n", "\r" and "\xHH" stand for the bytes they name
};

struct options {
    mode how = mode::normal;
    bool match_word = false;
    bool case_sensitive = false;
};

// A match [begin, end) in UTF-16 units of the searched text; begin is -1 for "none".
struct match_range {
    int begin = -1;
    int end = -1;
    bool found() const { return begin >= 0; }
    int length() const { return end - begin; }
    bool operator==(const match_range &o) const { return begin == o.begin && end == o.end; }
};

// Reads "\n", "\r", "\\" and "\x" with two hex digits; the bytes of consecutive "\x" escapes are
// read together as UTF-8, so "\xe4\xb8\xad" is one CJK character. Anything else stays as it is.
QString decode_escapes(const QString &text);

// Whether the character at text[pos] (or the one ending just before it, for before = true) is
// a letter, a digit or "_": the characters that make two pieces one word.
bool word_char_at(const QString &text, int pos, bool before);

class matcher {
public:
    matcher(const QString &target, const options &opt);

    // Nothing to search for (an empty target, after decoding the escapes).
    bool empty() const { return empty_; }
    // False for a regular expression that does not compile; error() tells why.
    bool valid() const { return error_.isEmpty(); }
    QString error() const { return error_; }
    // Searchable: neither empty nor invalid.
    bool usable() const { return !empty_ && valid(); }
    const options &settings() const { return opt_; }

    // The first match that begins at or after `from` and lies inside [lo, hi) (hi < 0: the end).
    match_range next(const QString &text, int from, int lo = 0, int hi = -1) const;
    // The last match that begins before `before` and lies inside [lo, hi).
    match_range prev(const QString &text, int before, int lo = 0, int hi = -1) const;
    // Every match inside [lo, hi) from left to right, none overlapping the one before; after an
    // empty match the search goes on one character further, so each position counts once.
    // At most `limit` matches when limit >= 0.
    std::vector<match_range> all(const QString &text, int lo = 0, int hi = -1, int limit = -1) const;
    bool contains(const QString &text) const { return next(text, 0).found(); }

    // The texts that replace the matches of all(): `with` as typed in Normal mode, with its
    // escapes decoded in Support mode, and with "$&", "$1".."$99" and "$$" filled in from each
    // match for a regular expression.
    struct plan {
        std::vector<match_range> ranges;
        QStringList texts;
    };
    // Only matches beginning at or after `from` (lo when from < 0) count.
    plan plan_replace(const QString &text, const QString &with, int lo = 0, int hi = -1,
                      int limit = -1, int from = -1) const;
    // The text with every match replaced.
    QString replaced(const QString &text, const QString &with, int *count = nullptr) const;

private:
    bool accept(const QString &text, int begin, int end) const;
    template <typename F>
    void each(const QString &text, int lo, int hi, int from, F &&f) const;
    QString expand(const QRegularExpressionMatch &m, const QString &with) const;

    options opt_;
    QString literal_;
    QStringMatcher finder_;
    QRegularExpression re_;
    QString error_;
    bool empty_ = true;
};

// Builds a plain text out of the replaced ranges: the pieces of `text` between the ranges with
// each range's replacement in its place.
QString apply_plan(const QString &text, const matcher::plan &p);

} // namespace text_search
