// The version check against a fake update server: the request bytes, every kind of answer,
// servers that refuse, cut short or never answer, and the boxes the main window shows.
#include "main_window_fixture.h"

#include "shell/startup.h"
#include "shell/update_check.h"
#include "support/log/log_control.h"
#include "support/log/vorn_log.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QtEndian>
#include <cstdio>
#include <unistd.h>

using namespace mw_test;

namespace {

// Answers each connection the way a test asks: a full reply after the request, a few bytes
// and a close, or nothing at all.
class fake_update_server : public QObject {
public:
    enum class mode { answer, short_reply, silent };

    explicit fake_update_server(mode m, QByteArray reply = {}) : mode_(m), reply_(std::move(reply))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server_.nextPendingConnection()) {
                peer_ = s;
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    received_ += s->readAll();
                    if (received_.size() < version::record_size || answered_)
                        return;
                    answered_ = true;
                    if (mode_ == mode::answer)
                        s->write(reply_);
                    else if (mode_ == mode::short_reply)
                        s->write(reply_.left(7));
                    if (mode_ != mode::silent)
                        s->disconnectFromHost();
                });
                connect(s, &QTcpSocket::disconnected, this, [this] { client_closed_ = true; });
            }
        });
    }

    quint16 port() const { return server_.serverPort(); }
    const QByteArray &received() const { return received_; }
    bool client_closed() const { return client_closed_; }

private:
    QTcpServer server_;
    mode mode_;
    QByteArray reply_;
    QByteArray received_;
    QTcpSocket *peer_ = nullptr;
    bool answered_ = false;
    bool client_closed_ = false;
};

QByteArray record(qint32 kind, quint32 major, quint32 minor, quint32 patch, quint32 crc = 0)
{
    QByteArray out(20, '\0');
    qToLittleEndian(kind, out.data());
    qToLittleEndian(major, out.data() + 4);
    qToLittleEndian(minor, out.data() + 8);
    qToLittleEndian(patch, out.data() + 12);
    qToLittleEndian(crc, out.data() + 16);
    return out;
}

// Bit by bit, independent of the library the client uses.
quint32 reference_crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A port nobody listens on: taken from a server that is closed again.
quint16 refused_port()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}

// Collects what the process writes to standard output while it lives.
class stdout_capture {
public:
    stdout_capture()
    {
        file_.open();
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        dup2(file_.handle(), STDOUT_FILENO);
    }
    ~stdout_capture() { restore(); }
    QByteArray text()
    {
        restore();
        file_.seek(0);
        return file_.readAll();
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

// Runs one check to its end; returns the outcome. elapsed_ms: from the return of start() to the
// outcome. returned_first: start() came back before the exchange ended (it never waits for the
// network itself).
update_check::outcome run_check(qint64 *elapsed_ms = nullptr, bool *returned_first = nullptr)
{
    update_check check;
    QSignalSpy spy(&check, &update_check::finished);
    check.start();
    QElapsedTimer t;
    t.start();
    if (returned_first)
        *returned_first = spy.isEmpty() && check.running();
    if (!spy.wait(8000) && spy.isEmpty())
        return update_check::outcome(-1);
    if (elapsed_ms)
        *elapsed_ms = t.elapsed();
    return spy.takeFirst().at(0).value<update_check::outcome>();
}

} // namespace

Q_DECLARE_METATYPE(update_check::outcome)

class test_help_update : public window_test {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void request_is_kind_version_and_program_crc();
    void replies_data();
    void replies();
    void short_reply_fails();
    void refused_connection_fails();
    void silent_server_gives_up_after_three_seconds();
    void failure_reasons_reach_the_log_data();
    void failure_reasons_reach_the_log();
    void destroyed_mid_check_hangs_up_silently();
    void window_boxes_data();
    void window_boxes();
    void check_at_start_does_not_delay_the_window();

private:
    QTemporaryDir dir_;
};

void test_help_update::initTestCase()
{
    qRegisterMetaType<update_check::outcome>();
    QVERIFY(dir_.isValid());
    QDir::setCurrent(dir_.path());
    startup::set_program_path(QCoreApplication::applicationFilePath());
}

void test_help_update::cleanup()
{
    close();
    update_check::set_endpoint(QString(), 0);
    QFile::remove(QStringLiteral("config"));
}

void test_help_update::request_is_kind_version_and_program_crc()
{
    QFile self(QCoreApplication::applicationFilePath());
    QVERIFY(self.open(QIODevice::ReadOnly));
    const QByteArray expected = record(100, 0, 2, 2, reference_crc32(self.readAll()));

    fake_update_server srv(fake_update_server::mode::answer, record(100, 0, 2, 2));
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());
    QCOMPARE(run_check(), update_check::outcome::latest);
    QCOMPARE(srv.received().toHex(), expected.toHex());
    QVERIFY(QTest::qWaitFor([&] { return srv.client_closed(); }, 10000));

    // A program file that cannot be read is checked as an empty one.
    QCOMPARE(update_check::request_record(dir_.filePath(QStringLiteral("gone"))).toHex(),
             record(100, 0, 2, 2, 0).toHex());
}

void test_help_update::replies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<update_check::outcome>("expected");
    QTest::newRow("next patch") << record(100, 0, 2, 3) << update_check::outcome::newer;
    QTest::newRow("next major") << record(100, 1, 0, 0) << update_check::outcome::newer;
    QTest::newRow("same") << record(100, 0, 2, 2) << update_check::outcome::latest;
    QTest::newRow("older") << record(100, 0, 1, 9) << update_check::outcome::latest;
    // Unsigned comparison: a field with the top bit set is a large version, not a negative one.
    QTest::newRow("huge minor") << record(100, 0, 0x80000000u, 0) << update_check::outcome::newer;
    QTest::newRow("other kind") << record(101, 9, 9, 9) << update_check::outcome::failed;
}

void test_help_update::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(update_check::outcome, expected);
    fake_update_server srv(fake_update_server::mode::answer, reply);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());
    QCOMPARE(run_check(), expected);
}

void test_help_update::short_reply_fails()
{
    fake_update_server srv(fake_update_server::mode::short_reply, record(100, 0, 2, 3));
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());
    qint64 took = 0;
    QCOMPARE(run_check(&took), update_check::outcome::failed);
    QVERIFY2(took < 2000, "a closed connection ends the wait at once");
}

void test_help_update::refused_connection_fails()
{
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), refused_port());
    stdout_capture out;
    QCOMPARE(run_check(), update_check::outcome::failed);
    QCOMPARE(out.text(), QByteArray("connect error!\n"));
}

// Support reads why a check failed from the diagnostic log.
void test_help_update::failure_reasons_reach_the_log_data()
{
    QTest::addColumn<int>("server");   // -1 none listening, else a fake_update_server::mode
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("refused") << -1 << QByteArray() << QByteArray("failed (cannot connect: ");
    QTest::newRow("cut short") << int(fake_update_server::mode::short_reply) << record(100, 0, 2, 3)
                               << QByteArray("failed (the server closed the connection after 7 of 20 reply bytes)");
    QTest::newRow("other kind") << int(fake_update_server::mode::answer) << record(101, 9, 9, 9)
                                << QByteArray("failed (reply kind 101, not 100)");
}

void test_help_update::failure_reasons_reach_the_log()
{
    QFETCH(int, server);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, reason);
    const QString log = dir_.filePath(QStringLiteral("check_%1.log").arg(QTest::currentDataTag()));
    QVERIFY(set_log2file(log.toUtf8().constData()));
    std::unique_ptr<fake_update_server> srv;
    if (server >= 0)
        srv = std::make_unique<fake_update_server>(fake_update_server::mode(server), reply);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv ? srv->port() : refused_port());
    QCOMPARE(run_check(), update_check::outcome::failed);
    vorn_log::restore_defaults();
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY2(text.contains("version check at 127.0.0.1:") && text.contains(reason), text.constData());
}

void test_help_update::silent_server_gives_up_after_three_seconds()
{
    fake_update_server srv(fake_update_server::mode::silent);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());
    qint64 took = 0;
    bool returned_first = false;
    QCOMPARE(run_check(&took, &returned_first), update_check::outcome::failed);
    QVERIFY2(returned_first, "start() waited for the network");
    // The limit's timer may fire a little early (the toolkit's coarse timers); late is the
    // machine's load, not the client's.
    QVERIFY2(took >= 2500, qPrintable(QStringLiteral("gave up after %1 ms").arg(took)));
    QCOMPARE(srv.received().size(), 20);
    // The client hung up: its socket is not left open.
    QVERIFY(QTest::qWaitFor([&] { return srv.client_closed(); }, 10000));
}

void test_help_update::destroyed_mid_check_hangs_up_silently()
{
    fake_update_server srv(fake_update_server::mode::silent);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());
    auto *check = new update_check;
    QSignalSpy spy(check, &update_check::finished);
    check->start();
    QVERIFY(QTest::qWaitFor([&] { return srv.received().size() == 20; }, 10000));
    delete check;  // what closing the window does to a running check
    QVERIFY(spy.isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return srv.client_closed(); }, 10000));
}

void test_help_update::window_boxes_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::newRow("newer") << record(100, 0, 2, 3) << "there is new version, please update from website!";
    QTest::newRow("same") << record(100, 0, 2, 2) << "the current version is latest version!";
    QTest::newRow("older") << record(100, 0, 1, 9) << "the current version is latest version!";
    QTest::newRow("other kind") << record(101, 9, 9, 9) << "check version failed!";
}

void test_help_update::window_boxes()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    const QString why = open();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    fake_update_server srv(fake_update_server::mode::answer, reply);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());

    w_->actions().update->trigger();
    // A second click while the first check runs starts no second exchange.
    w_->actions().update->trigger();
    const auto checks = [&] { return w_->findChildren<update_check *>(QString(), Qt::FindDirectChildrenOnly).size(); };
    QCOMPARE(checks(), 1);
    QVERIFY(QTest::qWaitFor([&] { return !seam_->shown.empty(); }, 30000));
    // The one check is gone once answered: no second answer is on its way.
    QVERIFY(QTest::qWaitFor([&] { return checks() == 0; }, 30000));
    QCOMPARE(int(seam_->shown.size()), 1);
    QCOMPARE(seam_->last_title(), QStringLiteral("version infomation"));
    QCOMPARE(seam_->last_text(), text);
}

void test_help_update::check_at_start_does_not_delay_the_window()
{
    const QString why = start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    sys_config.check_update = 1;
    fake_update_server srv(fake_update_server::mode::silent);
    update_check::set_endpoint(QStringLiteral("127.0.0.1"), srv.port());

    // Built here, not by open_main(): the window is looked at before any event loop runs.
    QVERIFY(connect_to_server("127.0.0.1", server_->port(), "admin", "admin"));
    w_ = std::make_unique<MainWindow>(QStringLiteral("127.0.0.1"), server_->port(), QStringLiteral("admin"),
                                      QStringLiteral("admin"));
    // Built and shown with the check still running (only the event loop could end it): the
    // window did not wait for the update server.
    QVERIFY(w_->isVisible());
    const auto checks = w_->findChildren<update_check *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(checks.size(), 1);
    QVERIFY2(checks[0]->running(), "the window waited for the update server");
    QVERIFY(settle(w_.get()));
    QVERIFY(QTest::qWaitFor([&] { return !seam_->shown.empty(); }, 30000));
    QCOMPARE(seam_->last_text(), QStringLiteral("check version failed!"));
}

QTEST_MAIN(test_help_update)
#include "test_help_update.moc"
