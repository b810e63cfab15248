// The login dialog: its form, live validation, the failed and successful logins against the
// development server, and the connection defaults it leaves in the configuration.
#include "devserver_process.h"
#include "config/sys_config.h"
#include "shell/login_dlg.h"
#include "shell/main_window.h"
#include "common/modal_seam.h"
#include "db/db_link.h"
#include "vorn_tsdb.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

const QString secret = QStringLiteral("Pw-9f3k-s\u00e9cret");
const QString operator_name = QStringLiteral("operator");

template <class W> W *child(QWidget &w, const char *name)
{
    W *c = w.findChild<W *>(QLatin1String(name));
    if (!c)
        qFatal("missing widget %s", name);
    return c;
}

struct form {
    explicit form(login_dlg &d)
        : user(child<QLineEdit>(d, "le_user")), passwd(child<QLineEdit>(d, "le_passwd")),
          ip(child<QLineEdit>(d, "le_ip")), port(child<QLineEdit>(d, "le_port")),
          ipinfo(child<QLabel>(d, "lbl_ipinfo")), portinfo(child<QLabel>(d, "lbl_portinfo")),
          as_default(child<QCheckBox>(d, "checkBox")), login(child<QPushButton>(d, "pb_login")),
          close(child<QToolButton>(d, "pb_close"))
    {
    }
    QLineEdit *user, *passwd, *ip, *port;
    QLabel *ipinfo, *portinfo;
    QCheckBox *as_default;
    QPushButton *login;
    QToolButton *close;
};

// The login runs on the dialog's connection thread: waits until its answer was handled.
bool login_done(login_dlg &d)
{
    db_link *link = d.link();
    if (!link || !link->busy())
        return true;
    QSignalSpy idle(link, &db_link::busy_changed);
    QDeadlineTimer deadline(30000);
    while (d.link() == link && link->busy() && !deadline.hasExpired())
        idle.wait(int(qMax<qint64>(1, deadline.remainingTime())));
    return d.link() != link || !link->busy();
}

} // namespace

class test_login : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void form_layout();
    void tab_order();
    void boxes_keep_dark_text();
    void fills_from_config();
    void port_rule_data();
    void port_rule();
    void ip_rule_data();
    void ip_rule();
    void host_rule_data();
    void host_rule();
    void login_by_host_name_data();
    void login_by_host_name();
    void live_messages();
    void both_invalid_sends_nothing();
    void close_button_rejects();
    void failed_login_keeps_dialog();
    void return_in_any_field_logs_in();
    void login_with_default_kept();
    void login_without_default_resets();
    void long_user_name_is_cut();
    void password_never_reaches_file();

private:
    void login_ok(login_dlg &d, const QString &user, bool keep_default);
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<modal_seam::script> seam_;
    std::vector<MainWindow *> windows_;
};

void test_login::initTestCase()
{
    server_ = std::make_unique<devserver_process>(
        QStringList{QStringLiteral("--user"), operator_name, QStringLiteral("--password"), secret});
    QVERIFY2(server_->ok(), qPrintable(server_->error()));
}

void test_login::init()
{
    sys_config.reset();
    seam_ = std::make_unique<modal_seam::script>();
}

void test_login::cleanup()
{
    for (MainWindow *w : windows_)
        delete w;
    windows_.clear();
    exit_to_server();
    seam_.reset();
}

void test_login::login_ok(login_dlg &d, const QString &user, bool keep_default)
{
    form f(d);
    f.user->setText(user);
    f.passwd->setText(secret);
    f.ip->setText(server_->host());
    f.port->setText(QString::number(server_->port()));
    f.as_default->setChecked(keep_default);
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    if (d.main_window())
        windows_.push_back(d.main_window());
}

void test_login::form_layout()
{
    login_dlg d;
    form f(d);
    QCOMPARE(d.size(), QSize(728, 416));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QVERIFY(d.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(d.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(d.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(f.passwd->echoMode(), QLineEdit::Password);
    QCOMPARE(f.user->focusPolicy(), Qt::StrongFocus);
    QVERIFY(!f.login->isDefault() && !f.login->autoDefault());
    QCOMPARE(f.login->text(), QStringLiteral("Login"));
    QCOMPARE(f.as_default->text(), QStringLiteral("set as default"));
    QCOMPARE(child<QLabel>(d, "label_4")->text(), QStringLiteral("port "));
    QVERIFY(child<QLabel>(d, "title")->text().contains(QStringLiteral("VORN Time Series Database")));
    QVERIFY(child<QLabel>(d, "label_6")->styleSheet().contains(QStringLiteral(":/img/logo.png")));
    QVERIFY(!f.close->icon().isNull());
    QCOMPARE(f.user->font().pointSize(), 12);
    QCOMPARE(f.login->font().pointSize(), 14);
    QCOMPARE(d.font().pointSize(), 10);
    QVERIFY(f.ipinfo->text().isEmpty() && f.portinfo->text().isEmpty());
    QVERIFY(f.ipinfo->styleSheet().contains(QStringLiteral("red")));
}

void test_login::tab_order()
{
    login_dlg d;
    form f(d);
    const QList<QWidget *> expected{f.user, f.passwd, f.ip, f.port, f.as_default, f.login, f.close};
    QList<QWidget *> seen;
    QWidget *w = f.user;
    for (int guard = 0; guard < 100 && seen.size() < expected.size(); ++guard) {
        if (expected.contains(w) && !seen.contains(w))
            seen << w;
        w = w->nextInFocusChain();
    }
    QCOMPARE(seen, expected);
}

void test_login::boxes_keep_dark_text()
{
    // The form's white captions must not leak into message boxes parented to the dialog,
    // whose background is light: that would make the failure message invisible.
    login_dlg d;
    QLabel *caption = child<QLabel>(d, "label");
    caption->ensurePolished();
    QCOMPARE(caption->palette().color(caption->foregroundRole()), QColor(Qt::white));
    QMessageBox box(QMessageBox::Information, QStringLiteral("info"), QStringLiteral("text"), QMessageBox::Ok, &d);
    box.ensurePolished();
    bool found = false;
    for (QLabel *l : box.findChildren<QLabel *>()) {
        if (l->text() != QStringLiteral("text"))
            continue;
        found = true;
        l->ensurePolished();
        QVERIFY(l->palette().color(l->foregroundRole()) != QColor(Qt::white));
    }
    QVERIFY(found);
}

void test_login::fills_from_config()
{
    {
        login_dlg d;
        form f(d);
        QCOMPARE(f.ip->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(f.port->text(), QStringLiteral("55555"));
        QVERIFY(f.user->text().isEmpty());
        QVERIFY(f.passwd->text().isEmpty());
        QVERIFY(!f.as_default->isChecked()); // no remembered user
    }
    sys_config.set_ip("10.0.0.7");
    sys_config.set_user("\xe7\x94\xa8\xe6\x88\xb7"); // UTF-8 user name
    sys_config.port = 6000;
    login_dlg d;
    form f(d);
    QCOMPARE(f.ip->text(), QStringLiteral("10.0.0.7"));
    QCOMPARE(f.port->text(), QStringLiteral("6000"));
    QCOMPARE(f.user->text(), QString::fromUtf8("\xe7\x94\xa8\xe6\x88\xb7"));
    QVERIFY(f.as_default->isChecked());
}

void test_login::port_rule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("65535") << "65535" << true;
    QTest::newRow("65536") << "65536" << false;
    QTest::newRow("negative") << "-1" << false;
    QTest::newRow("text") << "abc" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("huge") << "99999999999999999999" << false;
}

void test_login::port_rule()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(login_dlg::valid_port(text), ok);
}

void test_login::ip_rule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("256.1.1.1") << "256.1.1.1" << false;
    QTest::newRow("1.2.3") << "1.2.3" << false;
    QTest::newRow("01.2.3.4") << "01.2.3.4" << true;
    QTest::newRow("255.255.255.255") << "255.255.255.255" << true;
    QTest::newRow("0.0.0.0") << "0.0.0.0" << true;
    QTest::newRow("four digits") << "1.2.3.0001" << false;
    QTest::newRow("leading 2 with three digits") << "1.2.3.299" << false;
    QTest::newRow("trailing dot") << "1.2.3.4." << false;
    QTest::newRow("blank inside") << "1.2.3. 4" << false;
    QTest::newRow("host name") << "localhost" << false;
    QTest::newRow("empty") << "" << false;
}

void test_login::ip_rule()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(login_dlg::valid_ip(text), ok);
}

void test_login::host_rule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("localhost") << "localhost" << true;
    QTest::newRow("dns name") << "db-1.example.com" << true;
    QTest::newRow("address") << "01.2.3.4" << true;
    QTest::newRow("digits and dots only") << "1.2.3" << false;
    QTest::newRow("address out of range") << "256.1.1.1" << false;
    QTest::newRow("leading hyphen") << "-db.example.com" << false;
    QTest::newRow("empty label") << "db..example.com" << false;
    QTest::newRow("underscore") << "db_1" << false;
    QTest::newRow("blank") << "db 1" << false;
    QTest::newRow("empty") << "" << false;
}

void test_login::host_rule()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(login_dlg::valid_host(text), ok);
    login_dlg d;
    form f(d);
    f.ip->setText(text);
    QCOMPARE(f.ipinfo->text().isEmpty(), ok);
}

// A host name is resolved before the login (the library takes an IPv4 address); a name that
// does not resolve is said beside the field and nothing is sent.
void test_login::login_by_host_name_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("resolves");
    QTest::newRow("localhost") << "localhost" << true;
    QTest::newRow("unknown name") << "no-such-host.invalid" << false;
}

void test_login::login_by_host_name()
{
    QFETCH(QString, host);
    QFETCH(bool, resolves);
    const int logins_before = server_->log().count(QStringLiteral(" login "));
    login_dlg d;
    form f(d);
    f.user->setText(operator_name);
    f.passwd->setText(secret);
    f.as_default->setChecked(true);
    f.ip->setText(host);
    f.port->setText(QString::number(server_->port()));
    QVERIFY(f.ipinfo->text().isEmpty());
    QTest::mouseClick(f.login, Qt::LeftButton);
    if (!resolves) {
        QTRY_COMPARE(f.ipinfo->text(), QStringLiteral("cannot resolve"));
        QVERIFY(f.login->isEnabled());
        QVERIFY(seam_->shown.empty());
        QVERIFY(!d.link());
        QCOMPARE(server_->log().count(QStringLiteral(" login ")), logins_before);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(d.main_window(), 30000);
    windows_.push_back(d.main_window());
    QCOMPARE(d.main_window()->link()->values().ip, QByteArray("127.0.0.1"));
    // The name stays the default, as typed.
    QCOMPARE(QByteArray(sys_config.ip), host.toUtf8());
}

void test_login::live_messages()
{
    login_dlg d;
    form f(d);
    QTest::keyClicks(f.ip, QStringLiteral("."));
    QCOMPARE(f.ipinfo->text(), QStringLiteral("invalid ip"));
    f.ip->setText(QStringLiteral("1.2.3.4"));
    QVERIFY(f.ipinfo->text().isEmpty());
    f.port->setText(QStringLiteral("0"));
    QCOMPARE(f.portinfo->text(), QStringLiteral("invalid port"));
    f.port->setText(QStringLiteral("80"));
    QVERIFY(f.portinfo->text().isEmpty());
}

void test_login::both_invalid_sends_nothing()
{
    const QString log_before = server_->log();
    login_dlg d;
    form f(d);
    f.ip->setText(QStringLiteral("1.2.3"));
    f.port->setText(QStringLiteral("65536"));
    f.ipinfo->clear();
    f.portinfo->clear();
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    QCOMPARE(f.ipinfo->text(), QStringLiteral("invalid ip"));
    QCOMPARE(f.portinfo->text(), QStringLiteral("invalid port"));
    QVERIFY(seam_->shown.empty());
    QVERIFY(!d.main_window());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    // Only the port wrong: its message, still no attempt.
    f.ip->setText(server_->host());
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    QVERIFY(f.ipinfo->text().isEmpty());
    QCOMPARE(f.portinfo->text(), QStringLiteral("invalid port"));
    QVERIFY(seam_->shown.empty());
    QCOMPARE(server_->log(), log_before);
}

void test_login::close_button_rejects()
{
    login_dlg d;
    d.show();
    QSignalSpy rejected(&d, &QDialog::rejected);
    QTest::mouseClick(form(d).close, Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!d.isVisible());
}

void test_login::return_in_any_field_logs_in()
{
    for (const char *name : { "le_user", "le_passwd", "le_ip", "le_port" }) {
        login_dlg d;
        form f(d);
        f.user->setText(operator_name);
        f.passwd->setText(secret);
        f.ip->setText(server_->host());
        f.port->setText(QString::number(server_->port()));
        QVERIFY(!f.login->isDefault() && !f.login->autoDefault());
        QTest::keyClick(child<QLineEdit>(d, name), Qt::Key_Return);
        QVERIFY(login_done(d));
        QVERIFY2(d.main_window(), name);
        windows_.push_back(d.main_window());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        cleanup();
        init();
    }
}

void test_login::failed_login_keeps_dialog()
{
    login_dlg d;
    form f(d);
    f.user->setText(operator_name);
    f.passwd->setText(QStringLiteral("wrong"));
    f.ip->setText(server_->host());
    f.port->setText(QString::number(server_->port()));
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    QCOMPARE(int(seam_->shown.size()), 1);
    QCOMPARE(seam_->shown[0].what, modal_seam::kind::information);
    QCOMPARE(seam_->last_title(), QStringLiteral("info"));
    // The sentence stays; the reason follows on a second line.
    QVERIFY2(seam_->last_text().startsWith(QStringLiteral("invalid user or password\n")), qPrintable(seam_->last_text()));
    QVERIFY(seam_->shown[0].buttons == QMessageBox::Ok);
    QVERIFY(!d.main_window());
    QCOMPARE(f.passwd->text(), QStringLiteral("wrong")); // input kept
    QCOMPARE(QByteArray(sys_config.ip), QByteArray("127.0.0.1"));

    // Nobody listening: the same message.
    devserver_process gone;
    QVERIFY(gone.ok());
    const int dead_port = gone.port();
    gone.stop();
    f.passwd->setText(secret);
    f.port->setText(QString::number(dead_port));
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    QCOMPARE(int(seam_->shown.size()), 2);
    // An unreachable server no longer reads like a wrong password.
    const QStringList lines = seam_->last_text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("invalid user or password"));
    QVERIFY2(lines[1].startsWith(QStringLiteral("cannot connect to 127.0.0.1:%1").arg(dead_port)), qPrintable(lines[1]));
    QVERIFY2(lines[1].contains(QStringLiteral("refused")), qPrintable(lines[1]));
}

void test_login::login_with_default_kept()
{
    login_dlg d;
    QSignalSpy accepted(&d, &QDialog::accepted);
    login_ok(d, operator_name, true);
    QVERIFY(seam_->shown.empty());
    QCOMPARE(accepted.count(), 1);
    QVERIFY(d.main_window());
    QVERIFY(d.main_window()->isVisible());
    QCOMPARE(d.main_window()->windowTitle(), QStringLiteral("vorn tsdb database gui client"));
    QCOMPARE(QByteArray(sys_config.ip), server_->host().toUtf8());
    QCOMPARE(QByteArray(sys_config.user), operator_name.toUtf8());
    QCOMPARE(sys_config.port, server_->port());

    // The next start shows the used values, the box checked and an empty password.
    login_dlg next;
    form f(next);
    QCOMPARE(f.user->text(), operator_name);
    QCOMPARE(f.port->text(), QString::number(server_->port()));
    QVERIFY(f.as_default->isChecked());
    QVERIFY(f.passwd->text().isEmpty());
}

void test_login::login_without_default_resets()
{
    sys_config.set_user("someone");
    sys_config.set_ip("10.9.8.7");
    sys_config.port = 1234;
    login_dlg d;
    login_ok(d, operator_name, false);
    QVERIFY(d.main_window());
    QCOMPARE(QByteArray(sys_config.ip), QByteArray("127.0.0.1"));
    QCOMPARE(QByteArray(sys_config.user), QByteArray());
    QCOMPARE(sys_config.port, 55555);
    login_dlg next;
    form f(next);
    QCOMPARE(f.ip->text(), QStringLiteral("127.0.0.1"));
    QVERIFY(f.user->text().isEmpty());
    QCOMPARE(f.port->text(), QStringLiteral("55555"));
    QVERIFY(!f.as_default->isChecked());
}

void test_login::long_user_name_is_cut()
{
    // The server knows only `operator`, so exercise the storing path through a second server.
    QString long_name;
    for (int i = 0; i < 40; ++i)
        long_name += QChar(0x6570); // three UTF-8 bytes each, 120 bytes
    devserver_process wide({QStringLiteral("--user"), long_name, QStringLiteral("--password"), secret});
    QVERIFY2(wide.ok(), qPrintable(wide.error()));
    login_dlg d;
    form f(d);
    f.user->setText(long_name);
    f.passwd->setText(secret);
    f.ip->setText(wide.host());
    f.port->setText(QString::number(wide.port()));
    f.as_default->setChecked(true);
    QTest::mouseClick(f.login, Qt::LeftButton);
    QVERIFY(login_done(d));
    QVERIFY(seam_->shown.empty());
    QVERIFY(d.main_window());
    windows_.push_back(d.main_window());
    QCOMPARE(QByteArray(sys_config.user), long_name.left(21).toUtf8()); // 63 bytes, whole characters
    QCOMPARE(d.main_window()->windowTitle(), QStringLiteral("vorn tsdb database gui client"));
}

void test_login::password_never_reaches_file()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("config")).toStdString();
    login_dlg d;
    login_ok(d, operator_name, true);
    QVERIFY(d.main_window());
    sys_config.save(path);
    sys_config.save(path); // the first image now lies in config.bak
    const QByteArray pw = secret.toUtf8();
    for (const QString &name : {QStringLiteral("config"), QStringLiteral("config.bak")}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.size() >= 2920);
        QVERIFY(bytes.contains(operator_name.toUtf8()));
        QVERIFY2(!bytes.contains(pw), qPrintable(name));
        QVERIFY(!bytes.contains(pw.left(6)));
    }
}

QTEST_MAIN(test_login)
#include "test_login.moc"
