// The matching engine of the search dialogs and the UTF-8 offset map the editor's search uses:
// modes and options, escapes, empty and overlapping matches, replacement texts, CJK text.
#include "common/text_search.h"
#include "common/utf8_offsets.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace text_search;

namespace {

options opt(mode how, bool word = false, bool cs = false)
{
    options o;
    o.how = how;
    o.match_word = word;
    o.case_sensitive = cs;
    return o;
}

QList<int> begins(const std::vector<match_range> &r)
{
    QList<int> out;
    for (const match_range &m : r)
        out << m.begin;
    return out;
}

} // namespace

class test_search_engine : public QObject {
    Q_OBJECT
private slots:
    void each_mode_with_case_and_word_options_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("word");
        QTest::addColumn<bool>("cs");
        QTest::addColumn<QList<int>>("expected");
        const int n = int(mode::normal), r = int(mode::regular_expression), e = int(mode::escapes);
        // Text: "Foo foo FOO food_foo x_foo"
        QTest::newRow("normal") << n << "foo" << false << false << QList<int>{0, 4, 8, 12, 17, 23};
        QTest::newRow("normal case") << n << "foo" << false << true << QList<int>{4, 12, 17, 23};
        QTest::newRow("normal word") << n << "foo" << true << false << QList<int>{0, 4, 8};
        QTest::newRow("normal word case") << n << "foo" << true << true << QList<int>{4};
        QTest::newRow("regex") << r << "f[o]+" << false << false << QList<int>{0, 4, 8, 12, 17, 23};
        QTest::newRow("regex case") << r << "F.O" << false << true << QList<int>{8};
        QTest::newRow("regex word") << r << "fo+d?" << true << false << QList<int>{0, 4, 8};
        QTest::newRow("regex word case") << r << "fo+" << true << true << QList<int>{4};
        QTest::newRow("escapes") << e << "\\x66oo" << false << false << QList<int>{0, 4, 8, 12, 17, 23};
        QTest::newRow("escapes case") << e << "\\x46oo" << false << true << QList<int>{0};
        QTest::newRow("escapes word") << e << "F\\x4fO" << true << false << QList<int>{0, 4, 8};
        QTest::newRow("escapes word case") << e << "\\x46\\x4F\\x4F" << true << true << QList<int>{8};
    }
    void each_mode_with_case_and_word_options()
    {
        QFETCH(int, how);
        QFETCH(QString, target);
        QFETCH(bool, word);
        QFETCH(bool, cs);
        QFETCH(QList<int>, expected);
        const QString text = QStringLiteral("Foo foo FOO food_foo x_foo");
        const matcher m(target, opt(mode(how), word, cs));
        QVERIFY(m.usable());
        QCOMPARE(begins(m.all(text)), expected);
        // Next and Previous walk the same matches one by one.
        QList<int> forward, backward;
        for (match_range x = m.next(text, 0); x.found(); x = m.next(text, x.begin + 1))
            forward << x.begin;
        for (match_range x = m.prev(text, text.size() + 1); x.found(); x = m.prev(text, x.begin))
            backward.prepend(x.begin);
        QCOMPARE(forward, expected);
        QCOMPARE(backward, expected);
    }

    void support_mode_reads_escapes()
    {
        QCOMPARE(decode_escapes(QStringLiteral("\\x41")), QStringLiteral("A"));
        QCOMPARE(decode_escapes(QStringLiteral("a\\nb\\r")), QStringLiteral("a\nb\r"));
        QCOMPARE(decode_escapes(QStringLiteral("\\xe4\\xb8\\xad\\x41")), QStringLiteral("中A"));
        // Half an escape, an unknown one and an escaped backslash stay readable text.
        QCOMPARE(decode_escapes(QStringLiteral("\\x4")), QStringLiteral("\\x4"));
        QCOMPARE(decode_escapes(QStringLiteral("\\t\\xzz")), QStringLiteral("\\t\\xzz"));
        QCOMPARE(decode_escapes(QStringLiteral("\\\\n")), QStringLiteral("\\n"));

        const QString text = QStringLiteral("line A\nline B\r\n");
        const matcher nl(QStringLiteral("A\\n"), opt(mode::escapes, false, true));
        QCOMPARE(nl.next(text, 0), (match_range{5, 7}));
        const matcher crlf(QStringLiteral("\\r\\n"), opt(mode::escapes));
        QCOMPARE(crlf.next(text, 0), (match_range{13, 15}));
        // In Normal mode the same target is the backslash text itself.
        QVERIFY(!matcher(QStringLiteral("A\\n"), opt(mode::normal)).contains(text));
        QVERIFY(matcher(QStringLiteral("A\\n"), opt(mode::normal)).contains(QStringLiteral("xA\\ny")));
        // The replacement of Support mode is decoded too.
        QCOMPARE(matcher(QStringLiteral(" "), opt(mode::escapes)).replaced(QStringLiteral("a b"), QStringLiteral("\\n")),
                 QStringLiteral("a\nb"));
    }

    void empty_matches_advance_and_count_each_position_once()
    {
        const QString text = QStringLiteral("axxb\nc");
        const matcher star(QStringLiteral("x*"), opt(mode::regular_expression));
        const std::vector<match_range> all = star.all(text);
        QVERIFY(!all.empty());
        QVERIFY(int(all.size()) <= text.size() + 1);
        for (std::size_t i = 1; i < all.size(); ++i)
            QVERIFY2(all[i].begin > all[i - 1].begin, "a position counted twice");
        QVERIFY(std::find(all.begin(), all.end(), match_range{1, 3}) != all.end());

        // Line starts: one empty match each, and the replacement lands once per line.
        const matcher caret(QStringLiteral("^"), opt(mode::regular_expression));
        QCOMPARE(begins(caret.all(QStringLiteral("a\nb\nc"))), (QList<int>{0, 2, 4}));
        int count = 0;
        QCOMPARE(caret.replaced(QStringLiteral("a\nb"), QStringLiteral("# "), &count), QStringLiteral("# a\n# b"));
        QCOMPARE(count, 2);

        // An empty text has one empty position.
        QCOMPARE(int(star.all(QString()).size()), 1);
        // Next from an empty match goes on.
        QCOMPARE(star.next(text, 4).begin, 4);
        QCOMPARE(star.next(text, 5).begin, 5);
        QVERIFY(!star.next(text, text.size() + 1).found());
    }

    void overlapping_matches()
    {
        const QString text = QStringLiteral("aaaa");
        const matcher m(QStringLiteral("aa"), opt(mode::normal));
        // Find All and Replace All take them without overlap; Next steps one character on.
        QCOMPARE(begins(m.all(text)), (QList<int>{0, 2}));
        QCOMPARE(m.next(text, 1), (match_range{1, 3}));
        QCOMPARE(m.prev(text, 3), (match_range{2, 4}));
        QCOMPARE(m.replaced(text, QStringLiteral("b")), QStringLiteral("bb"));
        const matcher re(QStringLiteral("a(?=a)"), opt(mode::regular_expression));
        QCOMPARE(begins(re.all(text)), (QList<int>{0, 1, 2}));
    }

    void replacement_containing_the_target_terminates()
    {
        const matcher m(QStringLiteral("ab"), opt(mode::normal));
        int count = 0;
        QCOMPARE(m.replaced(QStringLiteral("ab-ab"), QStringLiteral("xabx"), &count), QStringLiteral("xabx-xabx"));
        QCOMPARE(count, 2);
        const matcher re(QStringLiteral("a*"), opt(mode::regular_expression));
        const QString grown = re.replaced(QStringLiteral("bab"), QStringLiteral("a"), &count);
        QVERIFY(grown.size() < 20);
        QVERIFY(count <= 4);
    }

    void regular_expression_replacement_fills_in_groups()
    {
        const matcher m(QStringLiteral("(\\w+)@(\\w+)"), opt(mode::regular_expression));
        QCOMPARE(m.replaced(QStringLiteral("me@host, you@there"), QStringLiteral("$2:$1")),
                 QStringLiteral("host:me, there:you"));
        QCOMPARE(m.replaced(QStringLiteral("a@b"), QStringLiteral("[$&] $$1 $3 $12")), QStringLiteral("[a@b] $1 $3 a2"));
        // Normal mode keeps "$" as typed.
        QCOMPARE(matcher(QStringLiteral("a"), opt(mode::normal)).replaced(QStringLiteral("a"), QStringLiteral("$&")),
                 QStringLiteral("$&"));
    }

    void ranges_limit_the_search()
    {
        const QString text = QStringLiteral("ab ab ab ab");
        const matcher m(QStringLiteral("ab"), opt(mode::normal));
        QCOMPARE(begins(m.all(text, 2, 7)), (QList<int>{3})); // "ab" at 6 would end past 7
        QCOMPARE(begins(m.all(text, 2, 8)), (QList<int>{3, 6}));
        QCOMPARE(m.next(text, 0, 4, 11).begin, 6);
        QCOMPARE(m.prev(text, 11, 0, 8).begin, 6);
        QCOMPARE(m.all(text, 0, -1, 2).size(), std::size_t(2));
        const matcher re(QStringLiteral("^ab"), opt(mode::regular_expression));
        // "^" holds at the start of the searched part: the selection starts a line of its own.
        QCOMPARE(begins(re.all(text, 3, 11)), (QList<int>{3}));
        QVERIFY(!re.next(text, 0, 4, 11).found());
    }

    void cjk_text()
    {
        const QString text = QStringLiteral("中文 中文字 日本語𠀋x 中文");
        const matcher m(QStringLiteral("中文"), opt(mode::normal));
        QCOMPARE(begins(m.all(text)), (QList<int>{0, 3, 14}));
        // CJK characters are letters: "中文字" is one word.
        QCOMPARE(begins(matcher(QStringLiteral("中文"), opt(mode::normal, true)).all(text)), (QList<int>{0, 14}));
        // A character beyond the BMP next to the target counts as a letter as a whole.
        QVERIFY(!matcher(QStringLiteral("x"), opt(mode::normal, true)).contains(text));
        QVERIFY(matcher(QStringLiteral("𠀋"), opt(mode::normal)).contains(text));
        const matcher re(QStringLiteral("\\w+"), opt(mode::regular_expression));
        QCOMPARE(begins(re.all(text)), (QList<int>{0, 3, 7, 14}));
    }

    void unusable_targets()
    {
        const matcher bad(QStringLiteral("a(b"), opt(mode::regular_expression));
        QVERIFY(!bad.valid());
        QVERIFY(!bad.usable());
        QVERIFY(!bad.error().isEmpty());
        QVERIFY(bad.all(QStringLiteral("a(b")).empty());
        QVERIFY(matcher(QString(), opt(mode::normal)).empty());
        QVERIFY(matcher(QString(), opt(mode::regular_expression)).empty());
        QVERIFY(matcher(QString(), opt(mode::regular_expression)).valid());
        QVERIFY(!matcher(QString(), opt(mode::normal)).next(QStringLiteral("abc"), 0).found());
    }

    void utf8_offsets_map_both_ways()
    {
        // ASCII, a 3-byte CJK character, a 4-byte one, a malformed byte and a cut sequence.
        const QByteArray bytes = QByteArray("a\xe4\xb8\xad" "b\xf0\xa0\x80\x8b" "c\xff" "d\xe4\xb8", 14);
        utf8_offsets map(bytes.constData(), bytes.size());
        QCOMPARE(map.text(), QString(QStringLiteral("a中b𠀋c") + QChar(0xFFFD) + QLatin1Char('d') + QChar(0xFFFD) +
                                     QChar(0xFFFD)));
        const int units[] = {0, 1, 2, 3, 5, 6, 7, 8, 9, 10};
        const qint64 offsets[] = {0, 1, 4, 5, 9, 10, 11, 12, 13, 14};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(map.byte_of(units[i]), offsets[i]);
            QCOMPARE(map.unit_of(offsets[i]), units[i]);
        }
        // Inside a character: its start.
        QCOMPARE(map.unit_of(2), 1);
        QCOMPARE(map.byte_of(4), qint64(5));
        // Backwards after forwards.
        QCOMPARE(map.byte_of(10), qint64(14));
        QCOMPARE(map.byte_of(1), qint64(1));
        // A long mixed text, asked in random order: the same answers as one plain walk.
        QByteArray mixed;
        QList<qint64> starts; // byte offset of every UTF-16 unit, a pair's second unit included
        const QByteArray pieces[] = {"a", "\xe4\xb8\xad", "\xf0\xa0\x80\x8b", "\xff", "\xc3\xa9", "bc"};
        for (int i = 0; i < 3000; ++i) {
            const QByteArray &piece = pieces[(i * 7 + i / 5) % 6];
            const int units = piece.size() == 4 ? 2 : piece == "bc" ? 2 : 1;
            for (int u = 0; u < units; ++u)
                starts << mixed.size() + (piece == "bc" ? u : 0);
            mixed += piece;
        }
        utf8_offsets big(mixed.constData(), mixed.size());
        QCOMPARE(big.text().size(), starts.size());
        QRandomGenerator rng(7);
        for (int k = 0; k < 2000; ++k) {
            const int u = int(rng.bounded(starts.size()));
            const bool second_of_pair = u > 0 && starts[u] == starts[u - 1];
            QCOMPARE(big.byte_of(u), starts[u]);
            QCOMPARE(big.unit_of(starts[u]), second_of_pair ? u - 1 : u);
        }
        QCOMPARE(big.unit_of(mixed.size()), starts.size());
        utf8_offsets empty(nullptr, 0);
        QCOMPARE(empty.text(), QString());
        QCOMPARE(empty.byte_of(3), qint64(0));
    }
};

QTEST_APPLESS_MAIN(test_search_engine)
#include "test_search_engine.moc"
