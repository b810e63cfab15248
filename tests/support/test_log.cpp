// The diagnostic log's file side: the exported functions as a plug-in finds them, the line's
// layout, the level filter, one record per line, rotation by size and count, and whole lines
// from several threads.
#include "support/log/log_control.h"
#include "support/log/vorn_log.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>
#include <thread>
#include <vector>

namespace {

QStringList lines_of(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// The text after the line's start (time, level, thread).
QString message_of(const QString &line)
{
    const int at = line.indexOf(QLatin1String("] "));
    return at < 0 ? line : line.mid(at + 2);
}

} // namespace

class test_log : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file_;

private slots:
    void init()
    {
        vorn_log::restore_defaults();
        file_ = dir_.filePath(QStringLiteral("vorn.log"));
        for (const QString &f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
        QVERIFY(set_log2file(file_.toUtf8().constData()));
    }
    void cleanup() { vorn_log::restore_defaults(); }

    void exported_functions_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<void *>("address");
#define ROW(f) QTest::newRow(#f) << QByteArray(#f) << reinterpret_cast<void *>(&f)
        ROW(log_it); ROW(log_info); ROW(log_note); ROW(log_warn); ROW(log_error); ROW(log_fatal);
        ROW(log_bytes); ROW(set_auto_endline); ROW(set_count); ROW(set_cpu); ROW(set_enable);
        ROW(set_flush); ROW(set_log2cmd); ROW(set_log2file); ROW(set_log2tcp); ROW(set_log2udp);
        ROW(set_max); ROW(set_mini_level); ROW(set_thread); ROW(set_time); ROW(set_with_hex);
#undef ROW
    }
    // A plug-in resolves the names in the program's dynamic symbol table, as dlsym does here.
    void exported_functions()
    {
        QFETCH(QByteArray, name);
        QFETCH(void *, address);
        QCOMPARE(dlsym(RTLD_DEFAULT, name.constData()), address);
    }

    void calls_through_the_symbols()
    {
        using text_fn = void (*)(const char *, ...);
        using level_fn = void (*)(int);
        auto info = reinterpret_cast<text_fn>(dlsym(RTLD_DEFAULT, "log_info"));
        auto warn = reinterpret_cast<text_fn>(dlsym(RTLD_DEFAULT, "log_warn"));
        auto mini = reinterpret_cast<level_fn>(dlsym(RTLD_DEFAULT, "set_mini_level"));
        QVERIFY(info && warn && mini);
        mini(LOG_LEVEL_WARN);
        info("plug-in %d", 1);
        warn("plug-in %d", 2);
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(message_of(lines[0]), QStringLiteral("plug-in 2"));
    }

    void line_start_data()
    {
        QTest::addColumn<bool>("time");
        QTest::addColumn<bool>("thread");
        QTest::addColumn<bool>("cpu");
        QTest::addColumn<QString>("pattern");
        const QString t = QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{6} ");
        QTest::newRow("defaults") << true << true << false << t + "note  \\[\\d+ \\S[^\\]]*\\] hello";
        QTest::newRow("all") << true << true << true << t + "note  \\[\\d+ \\S[^\\]]* cpu\\d+\\] hello";
        QTest::newRow("cpu only") << false << false << true << QStringLiteral("note  \\[cpu\\d+\\] hello");
        QTest::newRow("level only") << false << false << false << QStringLiteral("note  hello");
    }
    void line_start()
    {
        QFETCH(bool, time);
        QFETCH(bool, thread);
        QFETCH(bool, cpu);
        QFETCH(QString, pattern);
        set_time(time);
        set_thread(thread);
        set_cpu(cpu);
        log_note("hello");
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')).match(lines[0]).hasMatch(),
                 qPrintable(lines[0]));
    }

    void level_filter_data()
    {
        QTest::addColumn<int>("mini");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("written");
        QTest::newRow("default info") << int(LOG_LEVEL_INFO) << true << "info note warn error fatal";
        QTest::newRow("debug") << int(LOG_LEVEL_DEBUG) << true << "debug info note warn error fatal";
        QTest::newRow("warn") << int(LOG_LEVEL_WARN) << true << "warn error fatal";
        QTest::newRow("above fatal clamps") << 99 << true << "fatal";
        QTest::newRow("off") << int(LOG_LEVEL_DEBUG) << false << "";
    }
    void level_filter()
    {
        QFETCH(int, mini);
        QFETCH(bool, on);
        QFETCH(QString, written);
        set_mini_level(mini);
        set_enable(on);
        log_it(LOG_LEVEL_DEBUG, "debug");
        log_info("info");
        log_note("note");
        log_warn("warn");
        log_error("error");
        log_fatal("fatal");
        QStringList got;
        for (const QString &l : lines_of(file_)) {
            got << message_of(l);
            QVERIFY2(l.contains(QLatin1Char(' ') + message_of(l).leftJustified(5) + QLatin1Char(' ')), qPrintable(l));
        }
        QCOMPARE(got.join(QLatin1Char(' ')), written);
    }

    void one_record_one_line_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("trailing newline") << QByteArray("done\n") << "done";
        QTest::newRow("trailing crlf") << QByteArray("done\r\n") << "done";
        QTest::newRow("inner newline") << QByteArray("invalid user\nreason") << "invalid user\\nreason";
        QTest::newRow("forged line") << QByteArray("x\n2024-01-01 00:00:00.000000 fatal [1] y")
                                     << "x\\n2024-01-01 00:00:00.000000 fatal [1] y";
        QTest::newRow("controls") << QByteArray("a\tb\x1b[31mc\x7f") << "a\\tb\\x1b[31mc\\x7f";
        QTest::newRow("utf8 kept") << QByteArray("s\xc3\xa9") << QString::fromUtf8("s\xc3\xa9");
    }
    void one_record_one_line()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, shown);
        log_info("%s", text.constData());
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(message_of(lines[0]), shown);
    }

    // Without automatic line ends each thread builds its own line from pieces.
    void pieces_make_lines()
    {
        set_auto_endline(false);
        log_warn("a");
        std::thread other([] {
            log_info("x");
            log_info("y\n");
        });
        other.join();
        log_info("b\nc");
        log_info("d\r\n\n");
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(message_of(lines[0]), QStringLiteral("xy"));
        QVERIFY(lines[1].contains(QLatin1String(" warn  ")));   // a line keeps its first piece's level
        QCOMPARE(message_of(lines[1]), QStringLiteral("ab"));
        QCOMPARE(message_of(lines[2]), QStringLiteral("cd"));
        QCOMPARE(message_of(lines[3]), QString());
    }

    void byte_blocks_data()
    {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("shown");
        const QByteArray login("\x08\x00\x00\x00" "ab\"\\", 8);
        QTest::newRow("text only") << false << login << "reply: 8 bytes \"\\x08\\x00\\x00\\x00ab\\x22\\x5c\"";
        QTest::newRow("with hex") << true << login
                                  << "reply: 8 bytes \"\\x08\\x00\\x00\\x00ab\\x22\\x5c\" hex 08 00 00 00 61 62 22 5c";
        QTest::newRow("empty") << true << QByteArray() << "reply: 0 bytes";
        QTest::newRow("long is cut") << true << QByteArray(300, 'z')
                                     << "reply: 300 bytes \"" + QString(256, 'z') + "\"... hex" +
                                            QString(" 7a").repeated(256) + " ...";
    }
    void byte_blocks()
    {
        QFETCH(bool, hex);
        QFETCH(QByteArray, data);
        QFETCH(QString, shown);
        set_with_hex(hex);
        log_bytes(LOG_LEVEL_INFO, data.constData(), size_t(data.size()), "reply\n");
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(message_of(lines[0]), shown);
    }

    void rotation_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("three files") << 2048 << 3 << QStringList{"vorn.1.log", "vorn.2.log", "vorn.log"};
        QTest::newRow("one file") << 2048 << 1 << QStringList{"vorn.log"};
        QTest::newRow("no limit") << 0 << 3 << QStringList{"vorn.log"};
    }
    void rotation()
    {
        QFETCH(int, max);
        QFETCH(int, count);
        QFETCH(QStringList, files);
        set_max(size_t(max));
        set_count(count);
        set_time(false);
        set_thread(false);
        const int total = 200;
        for (int i = 0; i < total; ++i)
            log_info("line %04d %s", i, QByteArray(80, 'x').constData());
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files, QDir::Name), files);
        for (const QString &f : files)
            QVERIFY(max == 0 || QFileInfo(dir_.filePath(f)).size() <= max);
        // Oldest file first: together they hold the last lines, in order, without a gap.
        QStringList kept;
        for (int i = count - 1; i >= 1; --i)
            kept << lines_of(dir_.filePath(QStringLiteral("vorn.%1.log").arg(i)));
        kept << lines_of(file_);
        const QRegularExpression number(QStringLiteral("line (\\d{4}) "));
        QVERIFY(!kept.isEmpty());
        const int first = number.match(kept.first()).captured(1).toInt();
        QCOMPARE(first + kept.size(), total);
        for (int i = 0; i < kept.size(); ++i)
            QCOMPARE(number.match(kept[i]).captured(1).toInt(), first + i);
        if (max == 0)
            QCOMPARE(kept.size(), total);
    }

    void file_changes()
    {
        // A file that cannot be opened leaves the one in use.
        QVERIFY(!set_log2file("/proc/no/such/folder/vorn.log"));
        log_info("still here");
        QCOMPARE(lines_of(file_).size(), 1);
        // A relative path is made absolute against the working folder, folders included.
        const QString old = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        QVERIFY(set_log2file("sub/other.log"));
        QVERIFY(QDir::setCurrent(old));
        QCOMPARE(QString::fromStdString(vorn_log::file_path()), dir_.filePath(QStringLiteral("sub/other.log")));
        log_info("moved");
        QCOMPARE(lines_of(dir_.filePath(QStringLiteral("sub/other.log"))).size(), 1);
        QVERIFY(set_log2file(nullptr));
        QVERIFY(vorn_log::file_path().empty());
        log_info("nowhere");
        QCOMPARE(lines_of(file_).size(), 1);
    }

    void flush_off_holds_lines_until_an_error()
    {
        set_flush(false);
        log_info("buffered");
        QCOMPARE(QFileInfo(file_).size(), qint64(0));
        log_error("now");
        QCOMPARE(lines_of(file_).size(), 2);
    }

    void threads_write_whole_lines_data()
    {
        QTest::addColumn<bool>("endline");
        QTest::newRow("automatic line ends") << true;
        QTest::newRow("pieces") << false;
    }
    void threads_write_whole_lines()
    {
        QFETCH(bool, endline);
        set_auto_endline(endline);
        const int threads = 4, each = 2000;
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([t, endline] {
                for (int i = 0; i < each; ++i) {
                    if (endline) {
                        log_info("t%d n%05d %s end", t, i, "payload-payload-payload-payload");
                    } else {
                        log_info("t%d n%05d ", t, i);
                        log_info("%s", "payload-payload-payload-payload");
                        log_info(" end\n");
                    }
                }
            });
        for (std::thread &t : pool)
            t.join();
        const QRegularExpression whole(QStringLiteral("^t(\\d) n(\\d{5}) payload-payload-payload-payload end$"));
        std::vector<int> next(threads, 0);
        const QStringList lines = lines_of(file_);
        QCOMPARE(lines.size(), threads * each);
        for (const QString &l : lines) {
            const QRegularExpressionMatch m = whole.match(message_of(l));
            QVERIFY2(m.hasMatch(), qPrintable(l));
            const int t = m.captured(1).toInt();
            QCOMPARE(m.captured(2).toInt(), next[size_t(t)]++);
        }
    }
};

QTEST_GUILESS_MAIN(test_log)
#include "test_log.moc"
