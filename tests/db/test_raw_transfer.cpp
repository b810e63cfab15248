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
        QTest::newRow("several rows") << QList<QByteArray>{ "0001", "ff", "7f80" } << QByteArray("\x00\x01\xff\x7f\x80", 5);
        QTest::newRow("mixed case") << QList<QByteArray>{ "aBcD", "Ef0a" } << QByteArray("\xab\xcd\xef\x0a");
        QTest::newRow("stop at a non-hex row") << QList<QByteArray>{ "4142", "zz", "4344" } << QByteArray("AB");
        QTest::newRow("stop inside a row") << QList<QByteArray>{ "41", "42g3", "44" } << QByteArray("AB");
        QTest::newRow("odd digit count") << QList<QByteArray>{ "414", "42" } << QByteArray("A");
        QTest::newRow("empty rows pass") << QList<QByteArray>{ "", "41" } << QByteArray("A");
        QTest::newRow("no rows") << QList<QByteArray>{} << QByteArray();
    }
    void decoding()
    {
        QFETCH(QList<QByteArray>, texts);
        QFETCH(QByteArray, bytes);
        peer_.push_body(hex_rows(texts));
        QVERIFY(save_table(*db_, "t1", path("t1.bin").toUtf8(), true, false, true));
        QCOMPARE(contents(path("t1.bin")), bytes);
        peer_.push_body(hex_rows(texts));
        QVERIFY(backup_db(*db_, path("all.sbk").toUtf8(), true, false, true));
        QCOMPARE(contents(path("all.sbk")), bytes);
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

    void a_failed_command_leaves_the_file()
    {
        const QString file = path("t1.bin");
        write_file(file, "keep");
        peer_.push_failure();
        QVERIFY(!save_table(*db_, "t1", file.toUtf8(), true, true, true));
        peer_.push_failure();
        QVERIFY(!backup_db(*db_, file.toUtf8(), true, true, true));
        QCOMPARE(contents(file), QByteArray("keep"));
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

    void a_large_payload_round_trip()
    {
        // Larger than one receive buffer in both directions.
        QByteArray payload(300000, '\0');
        for (int i = 0; i < payload.size(); ++i)
            payload[i] = static_cast<char>((i * 131 + 7) & 0xff);
        const QString source = path("big.sbk");
        write_file(source, payload);
        QVERIFY(restore_db(*db_, source.toUtf8(), true, true));
        const QByteArray cmd = peer_.last_command();
        QCOMPARE(cmd.size(), int(strlen("restore from bin from raw \"\";")) + payload.size() * 4);

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
