// How script lines become commands: trailing blanks, hexadecimal escapes outside strings, the
// line list of a script and the commands of a command file.
#include "script/script_lines.h"

#include <QtTest>

using namespace script_lines;

class test_script_lines : public QObject {
    Q_OBJECT
private slots:
    void trailing_blanks_go_leading_ones_stay()
    {
        QCOMPARE(normalise_line("show tables  \t \r"), QByteArray("show tables"));
        QCOMPARE(normalise_line("  view t1"), QByteArray("  view t1"));
        QCOMPARE(normalise_line("   "), QByteArray());
        QCOMPARE(normalise_line(""), QByteArray());
    }

    void escapes_outside_strings_are_decoded()
    {
        QCOMPARE(normalise_line("view t\\x31"), QByteArray("view t1"));
        QCOMPARE(normalise_line("view \\x74\\X31"), QByteArray("view t\\X31"));
        QCOMPARE(normalise_line("a\\x4a\\x4Bz"), QByteArray("aJKz"));
        // A byte that cannot be typed, and a NUL, come through as bytes.
        QCOMPARE(normalise_line("x\\xff\\x00y"), QByteArray("x\xff\0y", 4));
        // An escaped blank at the end is meant: it is not trimmed away.
        QCOMPARE(normalise_line("push \\x20  "), QByteArray("push  "));
    }

    void incomplete_escapes_stay_as_written()
    {
        QCOMPARE(normalise_line("a\\x4"), QByteArray("a\\x4"));
        QCOMPARE(normalise_line("a\\xg1"), QByteArray("a\\xg1"));
        QCOMPARE(normalise_line("a\\"), QByteArray("a\\"));
        QCOMPARE(normalise_line("a\\n\\\\"), QByteArray("a\\n\\\\"));
        QCOMPARE(normalise_line("\\x"), QByteArray("\\x"));
    }

    void strings_are_left_to_the_server()
    {
        QCOMPARE(normalise_line("push into t s values \"\\x41\" at 1"),
                 QByteArray("push into t s values \"\\x41\" at 1"));
        // An escaped quote does not end the string, so the escape after it is still inside.
        QCOMPARE(normalise_line("a \"b\\\"\\x41\" \\x41"), QByteArray("a \"b\\\"\\x41\" A"));
        // An open string runs to the end of the line.
        QCOMPARE(normalise_line("a \"\\x41 \\x41"), QByteArray("a \"\\x41 \\x41"));
        // A decoded quote does not open a string.
        QCOMPARE(normalise_line("\\x22\\x41"), QByteArray("\"A"));
        // A backslash as the last byte of a string is kept.
        QCOMPARE(normalise_line("\"ab\\"), QByteArray("\"ab\\"));
    }

    void splitting_keeps_one_entry_per_line()
    {
        const QList<QByteArray> c = split_commands("show tables\n\n  \nview t\\x31 \r\n");
        QCOMPARE(c.size(), 5);
        QCOMPARE(c[0], QByteArray("show tables"));
        QVERIFY(c[1].isEmpty());
        QVERIFY(c[2].isEmpty());
        QCOMPARE(c[3], QByteArray("view t1"));
        QVERIFY(c[4].isEmpty());
        QCOMPARE(split_commands("").size(), 1);
    }

    void format_collapses_blanks_outside_strings()
    {
        QCOMPARE(format_line("  view \t t1   f1  btw 1 2  "), QByteArray("view t1 f1 btw 1 2"));
        QCOMPARE(format_line("push into t s values \"a   b\\\"  c\"   at 1"),
                 QByteArray("push into t s values \"a   b\\\"  c\" at 1"));
        QCOMPARE(format_line("   "), QByteArray());
        QCOMPARE(format_line("a \"open  string  "), QByteArray("a \"open  string  "));
    }

    void command_file_lines()
    {
        // One command surrounded by blanks and one empty line run one command, the bare text.
        QCOMPARE(cmd_file_commands("   show tables   \n\n"), QList<QByteArray>{"show tables"});
        QCOMPARE(cmd_file_commands("a\r\n b \r\n\r\n  \nc"), (QList<QByteArray>{"a", "b", "c"}));
        // Only blanks count: a tab is part of the command, escapes stay verbatim.
        QCOMPARE(cmd_file_commands("\tview t\\x31"), QList<QByteArray>{"\tview t\\x31"});
        QVERIFY(cmd_file_commands("").isEmpty());
        QVERIFY(cmd_file_commands("\n\n \n").isEmpty());
    }
};

QTEST_APPLESS_MAIN(test_script_lines)
#include "test_script_lines.moc"
