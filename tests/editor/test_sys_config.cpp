// The configuration record and its file: initial values, byte layout, both lists, the backup
// rotation and damaged files.
#include "config/editor_restyle.h"
#include "config/sys_config.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

std::string read_all(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

void write_all(const QString &path, const std::string &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), qint64(bytes.size()));
}

int32_t i32_at(const std::string &b, std::size_t off)
{
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

float f32_at(const std::string &b, std::size_t off)
{
    float v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
}

void put_i32(std::string &out, int32_t v)
{
    out.append(reinterpret_cast<const char *>(&v), 4);
}

std::string fixed_image()
{
    sys_config_record rec;
    return rec.to_bytes().substr(0, sys_config_fixed_size);
}

} // namespace

class test_sys_config : public QObject {
    Q_OBJECT
private slots:
    void initial_values();
    void byte_layout();
    void padding_is_zero_even_when_dirty();
    void missing_file_keeps_initial_values();
    void first_save_has_no_backup();
    void second_save_rotates_backup();
    void unopenable_save_is_silent();
    void lists_round_trip();
    void fixed_part_only();
    void short_fixed_part_keeps_the_rest();
    void damaged_lists_data();
    void damaged_lists();
    void unterminated_texts_are_terminated();
    void texts_cut_at_character_boundary();
    void recent_files_rules();
    void open_files_rules();
};

void test_sys_config::initial_values()
{
    sys_config_record r;
    QCOMPARE(r.lang, 1);
    QCOMPARE(r.icon_size, 32);
    QCOMPARE(QByteArray(r.user), QByteArray());
    QCOMPARE(QByteArray(r.ip), QByteArray("127.0.0.1"));
    QCOMPARE(r.port, 55555);
    QVERIFY(r.view_db == 1 && r.view_log == 1 && r.view_statusbar == 1 && r.view_toolbar == 1);
    QCOMPARE(r.h_factor, 1.0f);
    QCOMPARE(r.v_factor, 1.6f);
    QCOMPARE(r.theme, 0);
    QCOMPARE(int(r.show_space), 1);
    QCOMPARE(int(r.as_space), 0);
    QCOMPARE(r.tab_width, 4);
    QCOMPARE(r.edit_time, 1.0f);
    QCOMPARE(r.cursor_width, 1);
    QCOMPARE(int(r.auto_enable), 1);
    QCOMPARE(r.least_count, 0);
    QCOMPARE(int(r.only_cmd), 1);
    QCOMPARE(int(r.check_update), 0);
    QVERIFY(r.recent_files.empty() && r.open_files.empty());
    for (auto &table : r.styles)
        for (const text_style &s : table) {
            QCOMPARE(QByteArray(s.family), QByteArray("Source Code Pro"));
            QVERIFY(!s.bold && !s.italic && !s.overline && !s.underline && !s.strikeout);
            QVERIFY(s.red == 0 && s.green == 0 && s.blue == 0 && s.alpha == 255);
            QCOMPARE(s.point_size, 12);
        }
    // A bare editor looks and types as with a fresh configuration.
    QVERIFY(editor_style_of(r) == editor_style());
    // The process-wide record starts the same way.
    QCOMPARE(sys_config.port, 55555);
    QCOMPARE(QByteArray(sys_config.styles[2][9].family), QByteArray("Source Code Pro"));
}

void test_sys_config::byte_layout()
{
    sys_config_record r;
    r.lang = 3;
    r.icon_size = 48;
    r.set_user("alice");
    r.set_ip("10.1.2.3");
    r.port = 4242;
    r.view_db = 0;
    r.view_log = 1;
    r.view_statusbar = 0;
    r.view_toolbar = 1;
    r.h_factor = 1.25f;
    r.v_factor = 2.5f;
    r.theme = 2;
    text_style &s = r.styles[1][7];
    sys_config_record::set_family(s, "Mono X");
    s.bold = 1;
    s.strikeout = 1;
    s.red = 10;
    s.green = 20;
    s.blue = 30;
    s.alpha = 40;
    s.point_size = 17;
    r.show_space = 0;
    r.as_space = 1;
    r.tab_width = 8;
    r.edit_time = 0.5f;
    r.cursor_width = 3;
    r.auto_enable = 0;
    r.least_count = 5;
    r.only_cmd = 0;
    r.check_update = 1;

    const std::string b = r.to_bytes();
    QCOMPARE(b.size(), std::size_t(2912 + 4 + 4));
    QCOMPARE(i32_at(b, 0), 3);
    QCOMPARE(i32_at(b, 4), 48);
    QCOMPARE(QByteArray(b.data() + 8), QByteArray("alice"));
    QCOMPARE(QByteArray(b.data() + 72), QByteArray("10.1.2.3"));
    QCOMPARE(i32_at(b, 104), 4242);
    QCOMPARE(QByteArray(b.data() + 108, 4), QByteArray("\x00\x01\x00\x01", 4));
    QCOMPARE(f32_at(b, 112), 1.25f);
    QCOMPARE(f32_at(b, 116), 2.5f);
    QCOMPARE(i32_at(b, 120), 2);
    const std::size_t st = 124 + 1 * 920 + 7 * 92; // theme 1, class 7
    QCOMPARE(QByteArray(b.data() + st), QByteArray("Mono X"));
    QCOMPARE(QByteArray(b.data() + st + 64, 5), QByteArray("\x01\x00\x00\x00\x01", 5));
    QCOMPARE(i32_at(b, st + 72), 10);
    QCOMPARE(i32_at(b, st + 76), 20);
    QCOMPARE(i32_at(b, st + 80), 30);
    QCOMPARE(i32_at(b, st + 84), 40);
    QCOMPARE(i32_at(b, st + 88), 17);
    QCOMPARE(QByteArray(b.data() + 1044), QByteArray("Source Code Pro")); // styles[1] starts here
    QCOMPARE(QByteArray(b.data() + 1964), QByteArray("Source Code Pro")); // styles[2]
    QCOMPARE(int(b[2884]), 0);
    QCOMPARE(int(b[2885]), 1);
    QCOMPARE(i32_at(b, 2888), 8);
    QCOMPARE(f32_at(b, 2892), 0.5f);
    QCOMPARE(i32_at(b, 2896), 3);
    QCOMPARE(int(b[2900]), 0);
    QCOMPARE(i32_at(b, 2904), 5);
    QCOMPARE(int(b[2908]), 0);
    QCOMPARE(int(b[2909]), 1);
    QCOMPARE(i32_at(b, 2912), 0); // open count
    QCOMPARE(i32_at(b, 2916), 0); // recent count
    // The unused tail of a text field is zero.
    for (std::size_t i = 8 + 5; i < 72; ++i)
        QCOMPARE(int(b[i]), 0);
}

void test_sys_config::padding_is_zero_even_when_dirty()
{
    sys_config_record r;
    std::memset(r.pad_2886, 0xAA, sizeof r.pad_2886);
    std::memset(r.pad_2901, 0xAA, sizeof r.pad_2901);
    std::memset(r.pad_2910, 0xAA, sizeof r.pad_2910);
    std::memset(r.styles[0][0].pad_69, 0xAA, 3);
    const std::string b = r.to_bytes();
    for (std::size_t off : {2886, 2887, 2901, 2902, 2903, 2910, 2911, 124 + 69, 124 + 70, 124 + 71})
        QCOMPARE(int(b[off]), 0);
}

void test_sys_config::missing_file_keeps_initial_values()
{
    QTemporaryDir dir;
    sys_config_record r;
    r.port = 1;
    // Catch what load prints on standard output.
    const QString out_path = dir.filePath("stdout.txt");
    std::fflush(stdout);
    const int saved = ::dup(1);
    std::FILE *sink = std::fopen(out_path.toLocal8Bit().constData(), "w");
    QVERIFY(saved >= 0 && sink);
    ::dup2(::fileno(sink), 1);
    const bool loaded = r.load(dir.filePath("config").toStdString());
    std::fflush(stdout);
    ::dup2(saved, 1);
    ::close(saved);
    std::fclose(sink);
    QVERIFY(!loaded);
    QCOMPARE(QByteArray::fromStdString(read_all(out_path)),
             QByteArray("load system config failed, use initial config\n"));
    QCOMPARE(r.port, 1); // untouched, not reset
}

void test_sys_config::first_save_has_no_backup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config");
    sys_config_record r;
    QVERIFY(!r.load(path.toStdString()));
    r.save(path.toStdString());
    QCOMPARE(QFileInfo(path).size(), qint64(2912 + 4 + 4));
    QVERIFY(!QFile::exists(path + ".bak"));
}

void test_sys_config::second_save_rotates_backup()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config");
    sys_config_record r;
    r.port = 1111;
    r.save(path.toStdString());
    const std::string first = read_all(path);
    r.port = 2222;
    r.add_open_file("/a.tcd");
    r.save(path.toStdString());
    QCOMPARE(read_all(path + ".bak"), first);
    QCOMPARE(read_all(path), r.to_bytes());
    r.port = 3333;
    r.save(path.toStdString());
    sys_config_record back;
    QVERIFY(back.load((path + ".bak").toStdString()));
    QCOMPARE(back.port, 2222);
}

void test_sys_config::unopenable_save_is_silent()
{
    QTemporaryDir dir;
    // A folder in the way: the old file moves to the backup, the new one cannot be written.
    const QString path = dir.filePath("config");
    sys_config_record r;
    r.port = 7;
    r.save(path.toStdString());
    const std::string before = read_all(path);
    QVERIFY(QDir(dir.path()).mkpath("blocked/config"));
    r.save(dir.filePath("blocked/config").toStdString()); // must not crash
    r.save(dir.filePath("missing/dir/config").toStdString());
    QVERIFY(!QFile::exists(dir.filePath("missing/dir/config")));
    QCOMPARE(read_all(path), before);
}

void test_sys_config::lists_round_trip()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("config").toStdString();
    sys_config_record r;
    r.add_open_file("/w/one.tcd");
    r.add_open_file("/w/two \xe6\x95\xb0.tcd");
    r.add_open_file("");
    r.add_recent_file("/w/old.tcd");
    r.add_recent_file("/w/new.tcd");
    r.save(path);

    // Open list first in the file, each entry length-prefixed without terminator.
    const std::string b = read_all(QString::fromStdString(path));
    QCOMPARE(i32_at(b, 2912), 3);
    QCOMPARE(i32_at(b, 2916), 10);
    QCOMPARE(b.substr(2920, 10), std::string("/w/one.tcd"));

    sys_config_record back;
    QVERIFY(back.load(path));
    QCOMPARE(back.open_files, r.open_files);
    QCOMPARE(back.recent_files, (std::list<std::string>{"/w/new.tcd", "/w/old.tcd"}));
    QCOMPARE(back.to_bytes(), r.to_bytes());
}

void test_sys_config::fixed_part_only()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config");
    sys_config_record src;
    src.lang = 0;
    write_all(path, src.to_bytes().substr(0, 2912));
    sys_config_record r;
    QVERIFY(r.load(path.toStdString()));
    QCOMPARE(r.lang, 0);
    QVERIFY(r.open_files.empty() && r.recent_files.empty());
}

void test_sys_config::short_fixed_part_keeps_the_rest()
{
    sys_config_record src;
    src.lang = 2;
    src.port = 9999; // beyond the cut below
    const std::string b = src.to_bytes().substr(0, 100);
    sys_config_record r;
    r.load_bytes(b.data(), b.size());
    QCOMPARE(r.lang, 2);
    QCOMPARE(r.port, 55555);
    QCOMPARE(QByteArray(r.ip), QByteArray("127.0.0.1")); // partly overwritten with equal bytes
    r.load_bytes(nullptr, 0);
    QCOMPARE(r.lang, 2);
}

void test_sys_config::damaged_lists_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("recent");
    auto tail = [](std::initializer_list<int32_t> ints, const std::string &bytes = {}) {
        std::string t;
        for (int32_t v : ints)
            put_i32(t, v);
        t += bytes;
        return QByteArray::fromStdString(t);
    };
    QTest::newRow("negative counts") << tail({-5, -1}) << 0 << 0;
    QTest::newRow("absurd count, no entries") << tail({0x7fffffff}) << 0 << 0;
    QTest::newRow("length beyond file") << tail({2, 3}, "abc") + tail({1000000}) << 1 << 0;
    QTest::newRow("huge length") << tail({1, 0x7ffffff0}) << 0 << 0;
    QTest::newRow("negative length") << tail({1, -4}) << 0 << 0;
    QTest::newRow("count cut short") << tail({1}) << 0 << 0;
    QTest::newRow("open sound, recent damaged") << tail({1, 1}, "x") + tail({3, 1}, "y") + tail({-9}) << 1 << 1;
    QTest::newRow("open empty, recent sound") << tail({0, 2, 1}, "a") + tail({2}, "bc") << 0 << 2;
    QTest::newRow("recent count missing") << tail({1, 2}, "ab") << 1 << 0;
}

void test_sys_config::damaged_lists()
{
    QFETCH(QByteArray, tail);
    QFETCH(int, open);
    QFETCH(int, recent);
    const std::string b = fixed_image() + tail.toStdString();
    sys_config_record r;
    r.load_bytes(b.data(), b.size());
    QCOMPARE(int(r.open_files.size()), open);
    QCOMPARE(int(r.recent_files.size()), recent);
}

void test_sys_config::unterminated_texts_are_terminated()
{
    std::string b = fixed_image();
    std::memset(&b[8], 'u', 64);
    std::memset(&b[72], '9', 32);
    std::memset(&b[124], 'f', 64);
    sys_config_record r;
    r.load_bytes(b.data(), b.size());
    QCOMPARE(std::strlen(r.user), std::size_t(63));
    QCOMPARE(std::strlen(r.ip), std::size_t(31));
    QCOMPARE(std::strlen(r.styles[0][0].family), std::size_t(63));
    QCOMPARE(r.port, 55555);
}

void test_sys_config::texts_cut_at_character_boundary()
{
    sys_config_record r;
    r.set_user(std::string(100, 'a'));
    QCOMPARE(std::strlen(r.user), std::size_t(63));
    r.set_user(std::string(63, 'b'));
    QCOMPARE(std::strlen(r.user), std::size_t(63));
    // 62 ASCII bytes then a three-byte character: it does not fit and is left out whole.
    r.set_user(std::string(62, 'c') + "\xe4\xb8\xad");
    QCOMPARE(std::strlen(r.user), std::size_t(62));
    // 21 three-byte characters fit in 63 bytes exactly.
    std::string han;
    for (int i = 0; i < 30; ++i)
        han += "\xe4\xb8\xad";
    r.set_user(han);
    QCOMPARE(std::string(r.user), han.substr(0, 63));
    r.set_ip("255.255.255.255.255.255.255.255.255");
    QCOMPARE(std::strlen(r.ip), std::size_t(31));
    r.set_ip("1.2.3.4");
    QCOMPARE(QByteArray(r.ip), QByteArray("1.2.3.4"));
    QCOMPARE(int(r.ip[8]), 0);
    QCOMPARE(int(r.ip[31]), 0);
    std::string fam = std::string(61, 'F') + "\xc3\xa9\xc3\xa9"; // 61 + 2 + 2 bytes
    sys_config_record::set_family(r.styles[0][0], fam);
    QCOMPARE(std::string(r.styles[0][0].family), fam.substr(0, 63));
}

void test_sys_config::recent_files_rules()
{
    sys_config_record r;
    for (int i = 0; i < 30; ++i)
        r.add_recent_file("/f" + std::to_string(i));
    QCOMPARE(r.recent_files.size(), std::size_t(21));
    QCOMPARE(r.recent_files.front(), std::string("/f29"));
    QCOMPARE(r.recent_files.back(), std::string("/f9"));
    // Re-adding moves the entry to the front without dropping another.
    r.add_recent_file("/f15");
    QCOMPARE(r.recent_files.size(), std::size_t(21));
    QCOMPARE(r.recent_files.front(), std::string("/f15"));
    QCOMPARE(std::count(r.recent_files.begin(), r.recent_files.end(), std::string("/f15")), 1L);
    // Byte-for-byte comparison: a prefix is a different path.
    r.add_recent_file("/f1");
    QVERIFY(std::find(r.recent_files.begin(), r.recent_files.end(), std::string("/f15")) != r.recent_files.end());
    r.clear_recent_files();
    QVERIFY(r.recent_files.empty());
}

void test_sys_config::open_files_rules()
{
    sys_config_record r;
    r.add_open_file("/a");
    r.add_open_file("/b");
    r.add_open_file("/a");
    QCOMPARE(r.open_files, (std::list<std::string>{"/b", "/a"}));
    r.remove_open_file("/c");
    r.remove_open_file("/b");
    QCOMPARE(r.open_files, (std::list<std::string>{"/a"}));
}

QTEST_GUILESS_MAIN(test_sys_config)
#include "test_sys_config.moc"
