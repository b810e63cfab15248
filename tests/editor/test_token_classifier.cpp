// The classifier table row by row, the line split, and the command check.
#include "editor/token_classifier.h"

#include <QtTest>

using namespace token_classifier;

namespace {

// Classes of the tokens of a line, or {-1} when the split fails.
std::vector<int> classes(const std::string &line)
{
    std::vector<token> t;
    if (!split(line.data(), static_cast<int>(line.size()), t))
        return {-1};
    return classify(line.data(), t);
}

} // namespace

class test_token_classifier : public QObject {
    Q_OBJECT
private slots:
    void view_colours_its_parts()
    {
        QCOMPARE(classes("view t1 f1 btw 1 2"),
                 (std::vector<int>{read_keyword, table_name, field_name, default_keyword, constant, constant}));
        const std::string line = "view t1 f1 btw 1 2";
        QCOMPARE(entry_at(line.data(), int(line.size()), 0), 6);   // read keyword entry
        QCOMPARE(entry_at(line.data(), int(line.size()), 5), 3);   // table name entry
        QCOMPARE(entry_at(line.data(), int(line.size()), 8), 2);   // field name entry
        QCOMPARE(entry_at(line.data(), int(line.size()), 11), 8);  // default keyword entry
        QCOMPARE(entry_at(line.data(), int(line.size()), 15), 4);  // constant entry
        QCOMPARE(entry_at(line.data(), int(line.size()), 4), 4);   // a blank
        QCOMPARE(classes("view t max 10 at 5"),
                 (std::vector<int>{read_keyword, table_name, default_keyword, field_name, default_keyword, constant}));
    }

    void push_with_values_and_at()
    {
        QCOMPARE(classes("push into t1 f1 f2 values 1 \"a b\" at 99"),
                 (std::vector<int>{write_keyword, default_keyword, table_name, field_name, field_name,
                                   default_keyword, plain, plain, default_keyword, constant}));
        // Every "at" of the command is a keyword, not only the first.
        QCOMPARE(classes("push into t1 f1 at 1 at 2"),
                 (std::vector<int>{write_keyword, default_keyword, table_name, field_name, default_keyword, constant,
                                   default_keyword, constant}));
    }

    void export_data_with_format_words()
    {
        QCOMPARE(classes("export_data t f1 f2 btw 1 2 max 9 as csv \"d:/a.csv\" split by \",\" replace"),
                 (std::vector<int>{read_keyword, table_name, field_name, field_name, default_keyword, plain, plain,
                                   default_keyword, plain, default_keyword, default_keyword, quoted,
                                   default_keyword, default_keyword, quoted, default_keyword}));
        // Six bytes long: the plain export row.
        QCOMPARE(classes("export t1 as csv \"p\" split"),
                 (std::vector<int>{read_keyword, table_name, constant, constant, plain, constant}));
    }

    void the_other_commands()
    {
        QCOMPARE(classes("backup a b c d e"),
                 (std::vector<int>{write_keyword, constant, constant, plain, constant, constant}));
        QCOMPARE(classes("create t v i32 s string"),
                 (std::vector<int>{write_keyword, table_name, field_name, post_keyword, field_name, post_keyword}));
        QCOMPARE(classes("drop t1 x"), (std::vector<int>{write_keyword, write_keyword, constant}));
        QCOMPARE(classes("fields_of t1 x"), (std::vector<int>{read_keyword, read_keyword, constant}));
        QCOMPARE(classes("import t as csv p split by x y z"),
                 (std::vector<int>{write_keyword, table_name, default_keyword, constant, plain, constant,
                                   constant, constant, constant, constant}));
        QCOMPARE(classes("load t from p x y"),
                 (std::vector<int>{write_keyword, table_name, default_keyword, constant, plain, plain}));
        QCOMPARE(classes("restore a b c"), (std::vector<int>{write_keyword, constant, constant, plain}));
        QCOMPARE(classes("show tables"), (std::vector<int>{read_keyword, read_keyword}));
        QCOMPARE(classes("save t to p x y"),
                 (std::vector<int>{write_keyword, table_name, default_keyword, constant, plain, constant}));
        QCOMPARE(classes("truncate t x"), (std::vector<int>{write_keyword, table_name, constant}));
        QCOMPARE(classes("update t set f1 1 f2 2 at 7"),
                 (std::vector<int>{write_keyword, table_name, write_keyword, field_name, plain, field_name, plain,
                                   default_keyword, constant}));
        QCOMPARE(classes("zap a"), (std::vector<int>{constant, constant}));
    }

    void quotes_and_escapes_in_the_split()
    {
        std::vector<token> t;
        const std::string ok = "push \"a\\\"b c\" \"\\x22\" \"\\u0022x\"";
        QVERIFY(split(ok.data(), int(ok.size()), t));
        QCOMPARE(t.size(), size_t(4));
        QCOMPARE(t[1].end - t[1].begin, 8);
        // An unclosed quote or one glued to a word fails, and the line is painted default.
        QCOMPARE(classes("view t \"open"), std::vector<int>{-1});
        QCOMPARE(classes("view t ab\"c\""), std::vector<int>{-1});
        std::vector<uint8_t> e;
        line_entries("view t \"open", 12, e);
        QCOMPARE(e, std::vector<uint8_t>(12, 0));
        QCOMPARE(entry_at("view \"x", 7, 0), 0);
    }

    void command_check_per_line()
    {
        QVERIFY(line_valid("", 0));
        QVERIFY(line_valid("   \t\r", 5));
        QVERIFY(line_valid("view t1 f1", 10));
        QVERIFY(line_valid("  show tables\r", 14));
        QVERIFY(line_valid("push into t values(1,\"a b\")", 27));
        QVERIFY(!line_valid("vew t1", 6));
        QVERIFY(!line_valid("VIEW t1", 7));
        QVERIFY(!line_valid("push into t values \"abc", 23));
        QVERIFY(!line_valid("push into t values \"ab\\\"", 24));
        QVERIFY(line_valid("push into t values \"ab\\\"\"", 25));
        for (const std::string &w : command_words())
            QVERIFY(line_valid(w.data(), int(w.size())));
    }
};

QTEST_APPLESS_MAIN(test_token_classifier)
#include "test_token_classifier.moc"
