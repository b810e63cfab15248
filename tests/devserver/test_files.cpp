// CSV, bin and cmd files and raw transfers through the server, and the paths it refuses.
#include "devserver_process.h"
#include "ds_client_helper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class test_files : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server;

    QString data(const QString& name) const { return QDir(server->data_dir()).filePath(name); }
    QByteArray file(const QString& name) const
    {
        QFile f(data(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(data(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // All rows of a table as one text, for comparing a table before and after a round trip.
    static std::string dump(const std::string& table)
    {
        rs_ptr rs = run("view " + table);
        if (!rs)
            return "<failed>";
        std::string out;
        for (std::uint64_t c = 0; c < cols_of(rs.get()); ++c)
            out += col(rs.get(), int(c)) + "|";
        out += "\n";
        for (std::uint64_t r = 0; r < rows_of(rs.get()); ++r) {
            for (std::uint64_t c = 0; c < cols_of(rs.get()); ++c)
                out += text_at(rs.get(), r, c) + "|";
            out += "\n";
        }
        return out;
    }
    static void fill_awkward(const std::string& t)
    {
        QVERIFY(ok("create " + t + " s string v double f float i i64 d date tm time dt datetime"));
        QVERIFY(ok("push into " + t + " s v f i d tm dt values \"a,b\" 1e-30 0.1f -5 \"2024-02-29\" \"01:02:03.5\" "
                   "\"2001-02-03 04:05:06.000000007\" at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into " + t + " s v values \"say \\\"hi\\\"\" 123456789.125 at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into " + t + " s values \"two\\nlines\" at 2024-01-02 00:00:00.5"));
        QVERIFY(ok("push into " + t + " s values \"  padded  \" at 2024-01-03 00:00:00"));
        QVERIFY(ok("push into " + t + " s values \"\\u6e29\\u5ea6;x\" at 2024-01-04 00:00:00"));
        QVERIFY(ok("push into " + t + " s v values \"\" -inf at 2024-01-05 00:00:00"));
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<devserver_process>();
        QVERIFY2(server->ok(), qPrintable(server->error()));
        QVERIFY(connect_to_server("127.0.0.1", server->port(), "admin", "admin"));
    }
    void cleanupTestCase()
    {
        exit_to_server();
        server.reset();
    }
    void init()
    {
        rs_ptr rs = run("show tables");
        QVERIFY(rs);
        for (std::uint64_t r = 0; r < rows_of(rs.get()); ++r)
            QVERIFY(ok("drop " + str_at(rs.get(), r, 0)));
    }

    void csv_round_trip_with_awkward_values()
    {
        fill_awkward("t");
        const std::string before = dump("t");
        QVERIFY(ok("export t as csv \"out/t.csv\" split by \",\""));
        const QByteArray text = file("out/t.csv");
        QVERIFY(text.startsWith("time point,s,v,f,i,d,tm,dt\n"));
        QVERIFY(text.contains("\"a,b\""));
        QVERIFY(text.contains("\"say \"\"hi\"\"\""));
        QVERIFY(text.contains("\"  padded  \""));
        QVERIFY(text.contains("123456789.12500000000"));
        QVERIFY(!ok("export t as csv \"out/t.csv\" split by \",\""));   // exists
        QVERIFY(ok("export t as csv \"out/t.csv\" split by \";\" replace"));
        QVERIFY(file("out/t.csv").contains("\"\xe6\xb8\xa9\xe5\xba\xa6;x\""));
        QVERIFY(ok("truncate t"));
        QVERIFY(ok("import t from csv \"out/t.csv\" split by \";\""));
        QCOMPARE(dump("t"), before);

        // csvs carries the types and creates the table.
        QVERIFY(ok("export t as csvs \"t.csvs\" split by \"|\""));
        QVERIFY(file("t.csvs").startsWith("time point:datetime|s:string|v:double|f:float|i:i64|d:date|tm:time|dt:datetime\n"));
        QVERIFY(ok("import copy from csvs \"t.csvs\" split by \"|\""));
        QCOMPARE(dump("copy"), before);
        QVERIFY(!ok("import nothere from csv \"t.csvs\" split by \"|\""));   // plain csv needs the table
    }

    void every_offered_separator_round_trips()
    {
        fill_awkward("t");
        QVERIFY(ok("push into t s v i values \"1-2:3\" -0.5 -12 at 2024-01-06 00:00:00"));
        const std::string before = dump("t");
        // The CSV dialog's separators, and a digit: header, time point and values alike are
        // quoted wherever the separator would split them.
        for (const char* sep : {",", ";", " ", "-", ":", "\t", "1"}) {
            for (const char* form : {"csv", "csvs"}) {
                const std::string path = std::string("sep/") + form + "_" + (sep[0] == '\t' ? "tab" : sep);
                const std::string clause = std::string(" split by \"") + sep + "\"";
                QVERIFY2(ok("export t as " + std::string(form) + " \"" + path + "\"" + clause), sep);
                if (std::string(form) == "csv") {
                    QVERIFY(ok("truncate t"));
                    QVERIFY2(ok("import t from csv \"" + path + "\"" + clause), sep);
                    QCOMPARE(dump("t"), before);
                } else {
                    QVERIFY2(ok("import back from csvs \"" + path + "\"" + clause), sep);
                    QCOMPARE(dump("back"), before);
                    QVERIFY(ok("drop back"));
                }
            }
        }
        QVERIFY(file("sep/csv_ ").startsWith("\"time point\" s v f i d tm dt\n\"2024-01-01 00:00:00\" a,b "));
        QVERIFY(file("sep/csvs_:").startsWith("\"time point:datetime\":\"s:string\":"));
        QVERIFY(file("sep/csv_-").contains("\n\"2024-01-06 00:00:00\"-\"1-2:3\"-\"-0.50000000000000000\"-"));
        // Untouched where nothing needs quotes: the same bytes as before.
        QVERIFY(file("sep/csv_,").contains("\n2024-01-06 00:00:00,1-2:3,-0.50000000000000000,0.000000000,-12,"));
    }

    void import_is_all_or_nothing()
    {
        QVERIFY(ok("create t v i32 s string"));
        write("bad.csv", "time point,v,s\n2024-01-01 00:00:00,1,a\n2024-01-02 00:00:00,2,b\n2024-01-03 00:00:00,x,c\n");
        rs_ptr none = run("import t from csv \"bad.csv\" split by \",\"");
        QVERIFY(!none);
        const int fd = raw_connect(server->port());
        QVERIFY(raw_send(fd, login_frame("admin", "admin")));
        QCOMPARE(raw_reply(fd), 0);
        QVERIFY(raw_send(fd, command_frame("import t from csv \"bad.csv\" split by \",\"")));
        std::string body;
        QCOMPARE(raw_reply(fd, &body), 1);
        QVERIFY2(body.find("line 4") != std::string::npos, body.c_str());
        raw_close(fd);
        QCOMPARE(dump("t"), std::string("time point|v|s|\n"));

        const QByteArray bad_files[] = {
            "time point,v,s\n2024-01-01 00:00:00,1\n",                     // too few values
            "time point,v,s\n2024-02-30 00:00:00,1,a\n",                  // invalid date
            "time point,v,nope\n2024-01-01 00:00:00,1,a\n",               // unknown field
            "v,s\n1,a\n",                                                 // no time point column
            "time point,v,s\n2024-01-01 00:00:00,1,\"open\n",             // unterminated quote
            "",                                                           // no header
        };
        for (const QByteArray& b : bad_files) {
            write("bad.csv", b);
            QVERIFY2(!ok("import t from csv \"bad.csv\" split by \",\""), b.constData());
        }
        QVERIFY(!ok("import t from csv \"missing.csv\" split by \",\""));
        write("typed.csvs", "time point:datetime,v:u08\n2024-01-01 00:00:00,1\n");
        QVERIFY(!ok("import t from csvs \"typed.csvs\" split by \",\""));   // type differs
        QCOMPARE(dump("t"), std::string("time point|v|s|\n"));
        // A subset of the fields in another order; the others get zero values.
        write("part.csv", "time point,s,v\r\n2024-01-01 00:00:00,\"x,y\",7\r\n\r\n");
        QVERIFY(ok("import t from csv \"part.csv\" split by \",\""));
        QCOMPARE(dump("t"), std::string("time point|v|s|\n2024-01-01 00:00:00|7|x,y|\n"));
    }

    void export_data_takes_a_selection()
    {
        QVERIFY(ok("create t v i32 s string"));
        for (int i = 1; i <= 5; ++i)
            QVERIFY(ok("push into t v s values " + std::to_string(i) + " r" + std::to_string(i) + " at 2024-01-0" +
                       std::to_string(i) + " 00:00:00"));
        QVERIFY(ok("export_data t v btw 2024-01-02 00:00:00 2024-01-04 00:00:00 max 2 as csv \"sel.csv\" split by \",\""));
        QCOMPARE(file("sel.csv"), QByteArray("time point,v\n2024-01-02 00:00:00,2\n2024-01-03 00:00:00,3\n"));
        QVERIFY(ok("export_data t  max 1 as csvs \"sel.csv\" split by \",\" replace"));
        QCOMPARE(file("sel.csv"), QByteArray("time point:datetime,v:i32,s:string\n2024-01-01 00:00:00,1,r1\n"));
        QVERIFY(!ok("export_data t as csv \"sel.csv\" split by \",\""));
        QVERIFY(!ok("export_data t nope as csv \"x.csv\" split by \",\""));
        QVERIFY(!ok("export_data t as csv \"x.csv\" split by \"\""));
        QVERIFY(!ok("export_data t as csv \"x.csv\" split \",\""));
        // Without a split clause the separator is a comma; "\t" gives a tab.
        QVERIFY(ok("export t as csv \"plain.csv\""));
        QVERIFY(file("plain.csv").startsWith("time point,v,s\n2024-01-01 00:00:00,1,r1\n"));
        QVERIFY(ok("export t as csv \"tab.csv\" split by \"\\t\""));
        QVERIFY(file("tab.csv").startsWith("time point\tv\ts\n"));
        QVERIFY(ok("truncate t"));
        QVERIFY(ok("import t from csv \"tab.csv\" split by \"\\t\""));
        QVERIFY(ok("import t from csv \"plain.csv\""));
        rs_ptr rs = run("view t");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(10));
    }

    void save_and_load_round_trips()
    {
        fill_awkward("t");
        const std::string before = dump("t");
        for (const char* kind : {"bin", "cmd"}) {
            const std::string k = kind;
            QVERIFY(ok("save t as " + k + " \"saved." + k + "\""));
            QVERIFY(!ok("save t as " + k + " \"saved." + k + "\""));
            QVERIFY(ok("save t as " + k + " \"saved." + k + "\" replace"));
            if (k == "bin") {
                QVERIFY(!ok("load t from bin \"saved.bin\""));   // t exists
                QVERIFY(ok("load t2 from bin \"saved.bin\""));
                QCOMPARE(dump("t2"), before);
                QVERIFY(ok("drop t2"));
            } else {
                QVERIFY(file("saved.cmd").startsWith("create t s string v double"));
                QVERIFY(!ok("load t from cmd \"saved.cmd\""));   // the file creates t, which exists
                QVERIFY(ok("drop t"));
                QVERIFY(ok("load whatever from cmd \"saved.cmd\""));
                QCOMPARE(dump("t"), before);
            }
        }
        // A damaged bin file is refused and nothing is created.
        QByteArray bin = file("saved.bin");
        bin[bin.size() / 2] = char(bin[bin.size() / 2] ^ 1);
        write("damaged.bin", bin);
        QVERIFY(!ok("load t3 from bin \"damaged.bin\""));
        write("cut.bin", file("saved.bin").left(20));
        QVERIFY(!ok("load t3 from bin \"cut.bin\""));
        QVERIFY(!ok("load t3 from bin \"missing.bin\""));
        // A command file with a bad line loads nothing.
        write("bad.cmd", "create t4 v i32\npush into t4 v values 1 at 2024-01-01 00:00:00\npush into t4 v values x at 2024-01-01 00:00:00\n");
        QVERIFY(!ok("load t4 from cmd \"bad.cmd\""));
        write("drop.cmd", "drop t\n");
        QVERIFY(!ok("load t4 from cmd \"drop.cmd\""));
        rs_ptr rs = run("show tables");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(1));
    }

    void a_command_file_of_pushes_appends_to_its_table_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QByteArray>("why");   // empty: the two rows go in
        const QByteArray one = "push into t v s values 1 \"a\" at 2024-01-02 00:00:00\n";
        const QByteArray two = "push into t s v values \"b\\nc\" 2 at \"2024-01-01 00:00:00\"\n";
        QTest::newRow("pushes, remarks and blank lines") << "// rows\n" + one + "\r\n" + two << QByteArray();
        QTest::newRow("a bad value") << one + "\n" + two + "push into t v values x at 2024-01-03 00:00:00\n"
                                     << QByteArray("line 4: v: not an integer");
        QTest::newRow("another table") << one + "push into u v values 1 at 2024-01-03 00:00:00\n"
                                       << QByteArray("line 2: push into u refused: this load goes into t only");
        QTest::newRow("another command") << one + "drop t\n"
                                         << QByteArray("line 2: only create and push lines are read from command files");
        QTest::newRow("a create line keeps to new tables") << "create t v i32 s string\n" + one
                                                           << QByteArray("table t exists");
    }
    void a_command_file_of_pushes_appends_to_its_table()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QByteArray, why);
        QVERIFY(ok("create t v i32 s string"));
        QVERIFY(ok("create u v i32"));
        QVERIFY(ok("push into t v s values 9 \"old\" at 2024-01-01 00:00:00"));
        const std::string before = dump("t");
        write("pushes.cmd", lines);
        std::string escaped;
        for (unsigned char c : lines) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            escaped += buf;
        }
        for (const std::string& cmd : {std::string("load t from cmd \"pushes.cmd\""),
                                       "load t from cmd from raw \"" + escaped + "\";"}) {
            rs_ptr rs = run(cmd);
            const char* reason = nullptr;
            last_error(&reason);
            if (!why.isEmpty()) {
                QVERIFY(!rs);
                QCOMPARE(QByteArray(reason), why);
                QCOMPARE(dump("t"), before);
                QCOMPARE(dump("u"), std::string("time point|v|\n"));
                continue;
            }
            QVERIFY2(rs, reason);
            // In time order, a tie after the row that was there; new identifiers follow the old.
            QCOMPARE(dump("t"), std::string("time point|v|s|\n2024-01-01 00:00:00|9|old|\n2024-01-01 00:00:00|2|b\nc|\n"
                                            "2024-01-02 00:00:00|1|a|\n"));
            rs_ptr all = run("view t");
            QVERIFY(sid_of(all.get(), 1) > sid_of(all.get(), 0) && sid_of(all.get(), 2) < sid_of(all.get(), 1));
            QVERIFY(ok("truncate t"));
            QVERIFY(ok("push into t v s values 9 \"old\" at 2024-01-01 00:00:00"));
        }
    }

    void backup_and_restore_round_trips()
    {
        fill_awkward("a");
        QVERIFY(ok("create b v u16"));
        QVERIFY(ok("push into b v values 0xFFFF at 2024-01-01 00:00:00"));
        const std::string before = dump("a") + dump("b");
        for (const char* kind : {"bin", "cmd"}) {
            const std::string k = kind;
            QVERIFY(ok("backup as " + k + " \"db." + k + "\""));
            QVERIFY(!ok("backup as " + k + " \"db." + k + "\""));
            QVERIFY(ok("backup as " + k + " \"db." + k + "\" replace"));
            QVERIFY(ok("drop a"));
            QVERIFY(ok("create c v i32"));
            QVERIFY(ok("restore from " + k + " \"db." + k + "\""));
            QCOMPARE(dump("a") + dump("b"), before);
            QVERIFY(!ok("view c"));   // the restore replaced the whole database
        }
        QByteArray bin = file("db.bin");
        bin[bin.size() - 1] = char(bin[bin.size() - 1] ^ 0x40);
        write("bad.sbk", bin);
        QVERIFY(ok("create c v i32"));
        QVERIFY(!ok("restore from bin \"bad.sbk\""));
        QVERIFY(!ok("restore from bin \"db.cmd\""));
        QVERIFY(ok("view c"));   // nothing changed
    }

    void raw_transfers()
    {
        fill_awkward("t");
        const std::string before = dump("t");
        for (const char* kind : {"bin", "cmd"}) {
            const std::string k = kind;
            rs_ptr rs = run("save t as " + k + " as raw");
            QVERIFY(rs);
            QCOMPARE(cols_of(rs.get()), std::uint64_t(1));
            QCOMPARE(col(rs.get(), 0), std::string("data"));
            QVERIFY(rows_of(rs.get()) >= 1);
            QByteArray bytes;
            for (std::uint64_t r = 0; r < rows_of(rs.get()); ++r) {
                const std::string hex = str_at(rs.get(), r, 0);
                QVERIFY(hex.size() <= 64000);
                QVERIFY(hex.find_first_not_of("0123456789abcdef") == std::string::npos);
                bytes += QByteArray::fromHex(QByteArray::fromStdString(hex));
            }
            std::string escaped;
            for (unsigned char c : bytes) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02x", c);
                escaped += buf;
            }
            QVERIFY(ok("drop t"));
            QVERIFY(ok("load t from " + k + " from raw \"" + escaped + "\";"));
            QCOMPARE(dump("t"), before);
        }
        // Backups larger than one row of 32,000 bytes come in several rows.
        QVERIFY(ok("create big s string"));
        const std::string long_text(20000, 'z');
        for (int i = 0; i < 5; ++i)
            QVERIFY(ok("push into big s values " + long_text + " at 2024-01-01 00:00:0" + std::to_string(i)));
        rs_ptr rs = run("backup as bin as raw");
        QVERIFY(rows_of(rs.get()) >= 4);
        QCOMPARE(str_at(rs.get(), 0, 0).size(), std::size_t(64000));
        std::string escaped;
        for (std::uint64_t r = 0; r < rows_of(rs.get()); ++r) {
            const std::string hex = str_at(rs.get(), r, 0);
            for (std::size_t i = 0; i < hex.size(); i += 2)
                escaped += "\\x" + hex.substr(i, 2);
        }
        QVERIFY(ok("drop big"));
        QVERIFY(ok("restore from bin from raw \"" + escaped + "\";"));
        rs = run("show tables");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(2));
        QVERIFY(!ok("restore from bin from raw \"\\x00\\x01\";"));
        QVERIFY(!ok("load x from bin from raw \"\";"));
        QVERIFY(!ok("load x from bin from raw unquoted"));
    }

    void only_regular_files_are_read()
    {
        QVERIFY(ok("create t v i32"));
        QCOMPARE(::mkfifo(data("pipe").toLocal8Bit().constData(), 0600), 0);
        QVERIFY(QDir().mkpath(data("folder.bin")));
        const int fd = raw_logged_in(server->port());
        for (const char* cmd : {"load u from bin \"pipe\"", "restore from bin \"pipe\"", "load u from cmd \"pipe\"",
                                "import t from csv \"pipe\" split by \",\"", "restore from bin \"folder.bin\""}) {
            std::string why;
            QVERIFY2(raw_send(fd, command_frame(cmd)) && raw_reply(fd, &why, 5000) == 1, cmd);
            QVERIFY2(why.find("pipe") != std::string::npos || why.find("folder") != std::string::npos, why.c_str());
        }
        raw_close(fd);
        QVERIFY(ok("view t"));
    }

    void a_refused_path_makes_no_folder()
    {
        QVERIFY(ok("create t v i32"));
        std::string deep;
        for (int i = 0; i < 2100; ++i)
            deep += "d/";
        QVERIFY(!ok("export t as csv \"" + deep + "x.csv\" split by \",\""));
        QVERIFY(!ok("backup as bin \"" + deep + "x.sbk\""));
        QVERIFY(!ok("save t as bin \"a/" + std::string(300, 'n') + "/x.bin\""));
        QVERIFY(!QDir(data("d")).exists());
        QVERIFY(!QDir(data("a")).exists());
    }

    void a_remark_succeeds_with_an_empty_result()
    {
        for (const char* remark : {"//test code", "  // view nothing \"unclosed", "//"}) {
            rs_ptr rs = run(remark);
            QVERIFY2(rs, remark);
            QCOMPARE(cols_of(rs.get()), std::uint64_t(0));
        }
        QVERIFY(!ok("/ /not a remark"));
    }

    void paths_outside_the_data_folder_are_refused()
    {
        QVERIFY(ok("create t v i32"));
        const char* paths[] = {"/tmp/x.csv", "../x.csv", "a/../../x.csv", "d:/x.csv", "c:\\\\x.csv", "\\\\\\\\srv\\\\x.csv", ""};
        for (const char* p : paths) {
            const std::string q = std::string("\"") + p + "\"";
            QVERIFY2(!ok("export t as csv " + q + " split by \",\""), p);
            QVERIFY2(!ok("import t from csv " + q + " split by \",\""), p);
            QVERIFY2(!ok("save t as bin " + q), p);
            QVERIFY2(!ok("load u from bin " + q), p);
            QVERIFY2(!ok("backup as bin " + q), p);
            QVERIFY2(!ok("restore from bin " + q), p);
        }
        QVERIFY(!QFile::exists(QDir(server->data_dir()).filePath("../x.csv")));
        // Links inside the data folder are followed only where they stay inside, and a
        // refused path creates no folder on the way.
        QTemporaryDir outside;
        QVERIFY(QFile::link(outside.path(), data("out_link")));
        QVERIFY(QDir().mkpath(data("in/real")));
        QVERIFY(QFile::link(data("in/real"), data("in_link")));
        QVERIFY(!ok("export t as csv \"out_link/new/deeper/x.csv\" split by \",\""));
        QVERIFY(!QDir(outside.path() + "/new").exists());
        QVERIFY(!ok("backup as bin \"out_link/x.sbk\""));
        QVERIFY(QDir(outside.path()).isEmpty());
        QVERIFY(ok("export t as csv \"in_link/made/x.csv\" split by \",\""));
        QVERIFY(QFile::exists(data("in/real/made/x.csv")));
        QVERIFY(QFile::link(outside.path() + "/secret.csv", data("file_link.csv")));
        QVERIFY(!ok("import t from csv \"file_link.csv\" split by \",\""));
        // Paths are literal: backslashes separate folders and decode nothing.
        QVERIFY(ok("save t as bin \"sub\\new\\table.bin\""));
        QVERIFY(QFile::exists(data("sub/new/table.bin")));
        QVERIFY(ok("load u from bin \"sub\\new\\table.bin\""));
        QVERIFY(ok("backup as cmd \"sub\\x41.cmd\""));
        QVERIFY(QFile::exists(data("sub/x41.cmd")));
        // Escapes in values stay decoded.
        QVERIFY(ok("create s v string"));
        QVERIFY(ok("push into s v values \"a\\tb\" at 2024-01-01 00:00:00"));
        rs_ptr rs = run("view s");
        QCOMPARE(str_at(rs.get(), 0, 1), std::string("a\tb"));
        // Windows-style separators inside the data folder are fine.
        QVERIFY(ok("export t as csv \"sub\\\\dir\\\\x.csv\" split by \",\""));
        QVERIFY(QFile::exists(data("sub/dir/x.csv")));
    }
};

QTEST_APPLESS_MAIN(test_files)
#include "test_files.moc"
