// The login dialog in a real shown window (Xvfb and openbox): after a wrong password the focus
// is back in the password field with its text selected, so typing the right one replaces it and
// Return logs in.
#include "devserver_process.h"
#include "shown_window.h"

#include "common/modal_seam.h"
#include "db/db_link.h"
#include "config/sys_config.h"
#include "shell/login_dlg.h"
#include "shell/main_window.h"
#include "vorn_tsdb.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

class test_login_shown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }

    void wrong_password_is_selected_for_retyping()
    {
        const QString secret = QStringLiteral("right-one");
        devserver_process server({QStringLiteral("--user"), QStringLiteral("operator"), QStringLiteral("--password"), secret});
        QVERIFY2(server.ok(), qPrintable(server.error()));
        sys_config.reset();
        modal_seam::script seam;
        login_dlg d;
        auto *user = d.findChild<QLineEdit *>(QStringLiteral("le_user"));
        auto *passwd = d.findChild<QLineEdit *>(QStringLiteral("le_passwd"));
        d.findChild<QLineEdit *>(QStringLiteral("le_ip"))->setText(server.host());
        d.findChild<QLineEdit *>(QStringLiteral("le_port"))->setText(QString::number(server.port()));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(user));
        QTest::keyClicks(user, QStringLiteral("operator"));
        QTest::keyClick(user, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(passwd));
        QTest::keyClicks(passwd, QStringLiteral("wrong"));
        // The button takes the focus with the click, as it does for the user.
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("pb_login")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!seam.shown.empty(), 30000);
        QCOMPARE(seam.last_title(), QStringLiteral("info"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(passwd));
        QCOMPARE(passwd->selectedText(), QStringLiteral("wrong"));

        QTest::keyClicks(passwd, secret);
        QCOMPARE(passwd->text(), secret);
        QTest::keyClick(passwd, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(d.main_window(), 30000);
        std::unique_ptr<MainWindow> w(d.main_window());
        QCOMPARE(seam.shown.size(), std::size_t(1));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_login_shown)
#include "test_login_shown.moc"
