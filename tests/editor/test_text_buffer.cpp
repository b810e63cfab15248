// The gap buffer and its lazily shifted line index against a plain string model.
#include "editor/text_buffer.h"

#include <QtTest>
#include <random>

namespace {

std::vector<int64_t> model_starts(const std::string &s)
{
    std::vector<int64_t> out{0};
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '\n')
            out.push_back(static_cast<int64_t>(i + 1));
    return out;
}

void compare(const text_buffer &b, const std::string &m)
{
    QCOMPARE(b.size(), static_cast<int64_t>(m.size()));
    QCOMPARE(b.text(), m);
    const auto starts = model_starts(m);
    QCOMPARE(b.line_count(), static_cast<int64_t>(starts.size()));
    for (size_t l = 0; l < starts.size(); ++l) {
        QCOMPARE(b.line_start(static_cast<int64_t>(l)), starts[l]);
        const int64_t end = l + 1 < starts.size() ? starts[l + 1] - 1 : static_cast<int64_t>(m.size());
        QCOMPARE(b.line_end(static_cast<int64_t>(l)), end);
    }
}

} // namespace

class test_text_buffer : public QObject {
    Q_OBJECT
private slots:
    void empty_text_has_one_line()
    {
        text_buffer b;
        QCOMPARE(b.line_count(), int64_t(1));
        QCOMPARE(b.line_end(0), int64_t(0));
        QCOMPARE(b.line_of(0), int64_t(0));
    }

    void lines_follow_inserts_and_removals_far_apart()
    {
        // Changes jump back and forth so the pending shift has to move both ways.
        std::string m = "view t1\npush into t1 values 1\n\nshow\n";
        text_buffer b(m);
        compare(b, m);
        auto ins = [&](int64_t pos, const std::string &s) { b.insert(pos, s); m.insert(static_cast<size_t>(pos), s); };
        auto rem = [&](int64_t pos, int64_t n) { b.remove(pos, n); m.erase(static_cast<size_t>(pos), static_cast<size_t>(n)); };
        ins(m.size(), "tail\nmore");
        compare(b, m);
        ins(0, "a\nb");
        compare(b, m);
        ins(10, "xyz");
        compare(b, m);
        rem(1, 5);
        compare(b, m);
        rem(0, static_cast<int64_t>(m.size()));
        compare(b, m);
    }

    void random_edits_match_the_model()
    {
        std::mt19937 rng(7);
        std::string m;
        text_buffer b;
        const char alphabet[] = "ab \n\xe4\xb8\xad";
        for (int round = 0; round < 4000; ++round) {
            const int64_t pos = m.empty() ? 0 : static_cast<int64_t>(rng() % (m.size() + 1));
            if (rng() % 3 != 0) {
                std::string s;
                const int n = 1 + static_cast<int>(rng() % 5);
                for (int i = 0; i < n; ++i)
                    s += alphabet[rng() % (sizeof alphabet - 1)];
                b.insert(pos, s);
                m.insert(static_cast<size_t>(pos), s);
            } else {
                const int64_t n = static_cast<int64_t>(rng() % 6);
                const int64_t cut = std::min<int64_t>(n, static_cast<int64_t>(m.size()) - pos);
                b.remove(pos, n);
                m.erase(static_cast<size_t>(pos), static_cast<size_t>(cut));
            }
            if (round % 97 == 0)
                compare(b, m);
            const int64_t probe = m.empty() ? 0 : static_cast<int64_t>(rng() % m.size());
            const auto starts = model_starts(m);
            const auto line = std::upper_bound(starts.begin(), starts.end(), probe) - starts.begin() - 1;
            QCOMPARE(b.line_of(probe), static_cast<int64_t>(line));
        }
        compare(b, m);
    }

    void out_of_range_arguments_are_clamped()
    {
        text_buffer b("abc");
        b.insert(100, "d");
        b.insert(-5, "z");
        QCOMPARE(b.text(), std::string("zabcd"));
        QCOMPARE(b.mid(3, 50), std::string("cd"));
        b.remove(2, 100);
        QCOMPARE(b.text(), std::string("za"));
        b.remove(-3, 1);
        QCOMPARE(b.text(), std::string("a"));
        QCOMPARE(b.line_end(5), int64_t(1));
    }

    void range_ptr_is_contiguous_across_the_gap()
    {
        text_buffer b("0123456789");
        b.insert(5, "X");   // the gap now sits after X
        const char *p = b.range_ptr(2, 7);
        QCOMPARE(std::string(p, 7), std::string("234X567"));
        b.insert(6, "Y");
        QCOMPARE(b.text(), std::string("01234XY56789"));
    }

    void utf8_character_steps()
    {
        text_buffer b("a\xe4\xb8\xad" "b\xc3\xa9\xff");
        QCOMPARE(b.char_length(0), 1);
        QCOMPARE(b.char_length(1), 3);
        QCOMPARE(b.char_length(5), 2);
        QCOMPARE(b.char_length(7), 1);   // a stray byte stands alone
        QCOMPARE(b.prev_char(4), int64_t(1));
        QCOMPARE(b.prev_char(7), int64_t(5));
        QCOMPARE(b.prev_char(8), int64_t(7));
        QCOMPARE(b.prev_char(3), int64_t(2));   // inside a sequence: one byte back
    }
};

QTEST_APPLESS_MAIN(test_text_buffer)
#include "test_text_buffer.moc"
