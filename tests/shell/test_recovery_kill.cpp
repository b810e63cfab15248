// A client killed with unsaved text in two script tabs (one file on disk, one new file): the next
// start offers both and restores the typed text into their tabs, marked modified; a clean close
// afterwards saves them and leaves no copy. The killed client is this program started again with
// --typing-client: a real main window whose editors get the keystrokes.
#include "main_window_fixture.h"

#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "shell/script_recovery.h"

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QByteArray typed_a = "view a_table;";
const QByteArray typed_b = "show tables;";

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

int copies_under(const QString &root)
{
    int n = 0;
    QDirIterator it(root, {QStringLiteral("*.copy")}, QDir::Files, QDirIterator::Subdirectories);
    for (; it.hasNext(); it.next())
        ++n;
    return n;
}

// The client that gets killed: opens a.tcd, makes the new file b.tcd, types into both, says
// "ready" once both copies are on disk and waits to be killed.
int typing_client(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int port = QByteArray(argv[2]).toInt();
    const QString folder = QString::fromLocal8Bit(argv[3]);
    sys_config.reset();
    sys_config.auto_enable = 0;   // no completion list between the keystrokes
    script_recovery::set_root(folder + QStringLiteral("/recovery"));
    modal_seam::script seam;
    MainWindow w(QStringLiteral("127.0.0.1"), port, QStringLiteral("admin"), QStringLiteral("admin"));
    seam.push_file(folder + QStringLiteral("/a.tcd"));
    w.open_file();
    seam.push_file(folder + QStringLiteral("/b.tcd"));
    w.new_file();
    const QByteArray texts[] = {typed_a, typed_b};
    int i = 0;
    for (QWidget *page : w.editors()) {
        editor *ed = static_cast<cmd_script_editor *>(page)->editor_widget();
        ed->set_cursor_position(ed->length());
        QTest::keyClicks(ed, QString::fromLatin1(texts[i++]));
    }
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (copies_under(script_recovery::root()) == 2) {
            poll.stop();
            std::printf("ready\n");
            std::fflush(stdout);
        }
    });
    poll.start(50);
    return app.exec();
}

} // namespace

class test_recovery_kill : public mw_test::window_test {
    Q_OBJECT
private slots:
    void cleanup()
    {
        close();
        script_recovery::set_root(QString());
    }

    void killed_client_leaves_its_text_for_the_next_start()
    {
        const QString why = start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.tcd")), b = dir.filePath(QStringLiteral("b.tcd"));
        {
            QFile f(a);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("-- saved\n");
        }

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--typing-client"), QString::number(server_->port()), dir.path()});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        while (!said.contains("ready") && child.state() == QProcess::Running && child.waitForReadyRead(60000))
            said += child.readAllStandardOutput();
        QVERIFY2(said.contains("ready"), said.constData());
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(slurp(a), QByteArray("-- saved\n"));
        QCOMPARE(slurp(b), QByteArray());

        // The next start: both offered (Yes is the default answer), both restored unsaved.
        script_recovery::set_root(dir.filePath(QStringLiteral("recovery")));
        seam_->fallback.button = QMessageBox::Yes;
        QVERIFY(open_main().isEmpty());
        QTRY_COMPARE(int(seam_->shown.size()), 2);
        QStringList named;
        for (const modal_seam::request &r : seam_->shown) {
            QCOMPARE(r.title, QStringLiteral("restore unsaved changes"));
            QCOMPARE(r.default_button, QMessageBox::Yes);
            QVERIFY2(r.text.contains(QStringLiteral("second(s) ago")), qPrintable(r.text));
            named << r.text.section(QLatin1Char('"'), 1, 1);
        }
        named.sort();
        QCOMPARE(named, (QStringList{QStringLiteral("a.tcd"), QStringLiteral("b.tcd")}));
        auto *ea = static_cast<cmd_script_editor *>(w_->editors().value(a.toUtf8()));
        auto *eb = static_cast<cmd_script_editor *>(w_->editors().value(b.toUtf8()));
        QVERIFY(ea && eb);
        QCOMPARE(ea->text_bytes(), "-- saved\n" + typed_a);
        QCOMPARE(eb->text_bytes(), typed_b);
        QVERIFY(ea->modified() && eb->modified());

        // A clean close writes both files and leaves no copy.
        QVERIFY(w_->close());
        QCOMPARE(slurp(a), "-- saved\n" + typed_a);
        QCOMPARE(slurp(b), typed_b);
        QCOMPARE(copies_under(dir.filePath(QStringLiteral("recovery"))), 0);
    }
};

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--typing-client") == 0)
        return typing_client(argc, argv);
    QApplication app(argc, argv);
    test_recovery_kill tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "test_recovery_kill.moc"
