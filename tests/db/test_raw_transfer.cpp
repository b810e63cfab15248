// Raw saves and backups: the hexadecimal reply decoded into the local file, and the cases where
// the file must stay as it was.
#include "db/cmd_builders.h"
#include "recording_peer_helper.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QByteArray hex_rows(const QList<QByteArray> &texts)
{
    body_builder b;
    b.str_col("data");
    uint64_t sid = 1;
    for (const QByteArray &t : texts)
        b.row(sid++).str(t);
    return b.build();
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void write_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

} // namespace

class test_raw_transfer : public QObject {
    Q_OBJECT
    recording_peer peer_;
    std::unique_ptr<db_exec> db_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const char *name) const { return dir_->path() + '/' + name; }

private slots:
    void init()
    {
        peer_.clear();
        dir_.reset(new QTemporaryDir);
        QVERIFY(dir_->isValid());
        QVERIFY(peer_.login());
        db_.reset(new db_exec("vorn_tsdb", nullptr));
    }
    void cleanup() { db_.reset(); }

    void decoding_data()
    {
        QTest::addColumn<QList<QByteArray>>("texts");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::newRow("several rows") << QList<QByteArray>{ "0001", "ff", "7f80" } << QByteArray("\x00\x01\xff\x7f\x80", 5) << true;
        QTest::newRow("mixed case") << QList<QByteArray>{ "aBcD", "Ef0a" } << QByteArray("\xab\xcd\xef\x0a") << true;
        QTest::newRow("empty rows pass") << QList<QByteArray>{ "", "41" } << QByteArray("A") << true;
        QTest::newRow("no rows") << QList<QByteArray>{} << QByteArray() << true;
        // A damaged reply would leave a shortened copy: it fails and writes nothing.
        QTest::newRow("a non-hex row") << QList<QByteArray>{ "4142", "zz", "4344" } << QByteArray() << false;
        QTest::newRow("non-hex inside a row") << QList<QByteArray>{ "41", "42g3", "44" } << QByteArray() << false;
        QTest::newRow("odd digit count") << QList<QByteArray>{ "414", "42" } << QByteArray() << false;
    }
    void decoding()
    {
        QFETCH(QList<QByteArray>, texts);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        peer_.push_body(hex_rows(texts));
        QCOMPARE(save_table(*db_, "t1", path("t1.bin").toUtf8(), true, false, true), ok);
        QCOMPARE(QFileInfo::exists(path("t1.bin")), ok);
        if (ok)
            QCOMPARE(contents(path("t1.bin")), bytes);
        write_file(path("all.sbk"), "old backup");
        peer_.push_body(hex_rows(texts));
        QCOMPARE(backup_db(*db_, path("all.sbk").toUtf8(), true, true, true), ok);
        QCOMPARE(contents(path("all.sbk")), ok ? bytes : QByteArray("old backup"));
    }

    void an_existing_file_needs_replace()
    {
        const QString file = path("t1.bin");
        write_file(file, "old contents");
        peer_.push_body(hex_rows({ "4142" }));
        QVERIFY(!save_table(*db_, "t1", file.toUtf8(), true, false, true));
        QCOMPARE(contents(file), QByteArray("old contents"));
        peer_.push_body(hex_rows({ "4142" }));
        QVERIFY(!backup_db(*db_, file.toUtf8(), true, false, true));
        QCOMPARE(contents(file), QByteArray("old contents"));

        peer_.push_body(hex_rows({ "4142" }));
        QVERIFY(save_table(*db_, "t1", file.toUtf8(), true, true, true));
        QCOMPARE(contents(file), QByteArray("AB"));
        peer_.push_body(hex_rows({ "43" }));
        QVERIFY(backup_db(*db_, file.toUtf8(), false, true, true));
        QCOMPARE(contents(file), QByteArray("C"));
    }

    void a_failed_transfer_leaves_the_file_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::newRow("refused") << false;
        // Several batches of rows reach the file beside the target before the reply turns out
        // to be damaged.
        QTest::newRow("reply cut short") << true;
    }
    void a_failed_transfer_leaves_the_file()
    {
        QFETCH(bool, cut);
        const QString file = path("t1.bin");
        write_file(file, "keep");
        for (int i = 0; i < 2; ++i) {
            if (cut) {
                QList<QByteArray> rows;
                for (int r = 0; r < 100; ++r)
                    rows << QByteArray(64000, char('a' + r % 6));
                QByteArray body = hex_rows(rows);
                body.chop(10);
                peer_.push_body(body);
                QVERIFY(peer_.login());
            } else {
                peer_.push_failure();
            }
            QVERIFY(i == 0 ? !save_table(*db_, "t1", file.toUtf8(), true, true, true)
                           : !backup_db(*db_, file.toUtf8(), true, true, true));
            QCOMPARE(contents(file), QByteArray("keep"));
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{ "t1.bin" });
        }
    }

    void a_file_that_cannot_be_written_is_a_failure()
    {
        peer_.push_body(hex_rows({ "4142" }));
        QVERIFY(!save_table(*db_, "t1", path("no/such/folder/t1.bin").toUtf8(), true, true, true));
        // A folder in the way cannot be replaced by a file, and stays.
        QVERIFY(QDir(dir_->path()).mkdir("taken"));
        peer_.push_body(hex_rows({ "4142" }));
        QVERIFY(!backup_db(*db_, path("taken").toUtf8(), true, true, true));
        QVERIFY(QFileInfo(path("taken")).isDir());
    }

    void the_file_goes_out_as_escaped_text_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("one byte") << 1;
        QTest::newRow("every byte value") << 256;
        QTest::newRow("past the receive buffer") << 300000;
        QTest::newRow("several read blocks, odd") << (3 << 18) + 3;
    }
    void the_file_goes_out_as_escaped_text()
    {
        QFETCH(int, size);
        QByteArray payload(size, '\0');
        for (int i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<char>((i * 131 + 7) & 0xff);
        const QString source = path("big.sbk");
        write_file(source, payload);
        QByteArray escaped;
        escaped.reserve(size * 4);
        const QByteArray hex = payload.toHex();
        for (int i = 0; i < hex.size(); i += 2)
            escaped += "\\x" + hex.mid(i, 2);
        QVERIFY(restore_db(*db_, source.toUtf8(), true, true));
        QCOMPARE(peer_.last_command(), "restore from bin from raw \"" + escaped + "\";");
        QVERIFY(load_table(*db_, "t1", source.toUtf8(), false, true));
        QCOMPARE(peer_.last_command(), "load t1 from cmd from raw \"" + escaped + "\";");

        // And back, in rows of 30,000 bytes.
        QList<QByteArray> rows;
        for (int off = 0; off < payload.size(); off += 30000)
            rows << payload.mid(off, 30000).toHex();
        peer_.push_body(hex_rows(rows));
        QVERIFY(backup_db(*db_, path("copy.sbk").toUtf8(), true, false, true));
        QCOMPARE(contents(path("copy.sbk")), payload);
    }
};

QTEST_MAIN(test_raw_transfer)
#include "test_raw_transfer.moc"
