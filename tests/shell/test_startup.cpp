// Start-up: the language table with its locale and both translators, the style sheet, every
// resource the code names, and a whole run that ends at a closed login dialog.
#include "devserver_process.h"
#include "config/sys_config.h"
#include "shell/login_dlg.h"
#include "shell/main_window.h"
#include "common/modal_seam.h"
#include "shell/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <clocale>

namespace {

// Restores the working folder when a test that changes it ends.
struct cwd_guard {
    QString old = QDir::currentPath();
    ~cwd_guard() { QDir::setCurrent(old); }
};

QString cancel_text()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

} // namespace

class test_startup : public QObject {
    Q_OBJECT
private slots:
    void language_table_data();
    void language_table();
    void translators_data();
    void translators();
    void unknown_code_loads_nothing();
    void style_sheet_installed();
    void every_named_resource_exists();
    void closed_dialog_still_writes_config();
    void login_runs_event_loop_then_writes_config();
    void program_path_kept();
    void editor_font_is_fixed_pitch();
    void every_topic_translated();
};

void test_startup::language_table_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("qt_qm");
    QTest::addColumn<QString>("app_qm");
    QTest::newRow("0") << 0 << "zh_CN.UTF-8" << ":/lang/qt_zh_CN.qm" << ":/lang/vorn_tsdb_cli_zh.qm";
    QTest::newRow("1") << 1 << "en_US.UTF-8" << ":/lang/qt_en.qm" << ":/lang/vorn_tsdb_cli_en.qm";
    QTest::newRow("2") << 2 << "fr.UTF-8" << ":/lang/qt_fr.qm" << ":/lang/vorn_tsdb_cli_fr.qm";
    QTest::newRow("3") << 3 << "jp.UTF-8" << ":/lang/qt_jp.qm" << ":/lang/vorn_tsdb_cli_jp.qm";
}

void test_startup::language_table()
{
    QFETCH(int, code);
    QFETCH(QString, locale);
    QFETCH(QString, qt_qm);
    QFETCH(QString, app_qm);
    const startup::language *l = startup::language_of(code);
    QVERIFY(l);
    QCOMPARE(QString::fromLatin1(l->locale), locale);
    QCOMPARE(QString::fromLatin1(l->qt_qm), qt_qm);
    QCOMPARE(QString::fromLatin1(l->app_qm), app_qm);
    QVERIFY2(QFile::exists(qt_qm), qPrintable(qt_qm));
    QVERIFY2(QFile::exists(app_qm), qPrintable(app_qm));
}

void test_startup::translators_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("Chinese") << 0 << QString::fromUtf8("登录") << QString::fromUtf8("取消");
    QTest::newRow("English") << 1 << "Login" << "Cancel";
    QTest::newRow("French") << 2 << "Connexion" << "Annuler";
    QTest::newRow("Japanese") << 3 << QString::fromUtf8("ログイン") << QString::fromUtf8("キャンセル");
}

void test_startup::translators()
{
    QFETCH(int, code);
    QFETCH(QString, login);
    QFETCH(QString, cancel);
    QTranslator qt_tr;
    QTranslator app_tr;
    const startup::language *l = startup::load_language(code, qt_tr, app_tr);
    QVERIFY(l && l->code == code);
    // The locale is set where the machine has it; a machine without it keeps running.
    const char *now = std::setlocale(LC_ALL, nullptr);
    QVERIFY(now);
    if (code != 1)
        QVERIFY(!qt_tr.isEmpty() && !app_tr.isEmpty());
    qApp->installTranslator(&qt_tr);
    qApp->installTranslator(&app_tr);
    {
        login_dlg d;
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("pb_login"))->text(), login);
    }
    // The toolkit's standard buttons come out translated as well.
    QCOMPARE(cancel_text(), cancel);
    qApp->removeTranslator(&app_tr);
    qApp->removeTranslator(&qt_tr);
    std::setlocale(LC_ALL, "C");
    QCOMPARE(cancel_text(), QStringLiteral("Cancel"));
}

void test_startup::unknown_code_loads_nothing()
{
    for (int code : {7, -1, 4}) {
        std::setlocale(LC_ALL, "C");
        QTranslator qt_tr;
        QTranslator app_tr;
        QVERIFY(!startup::load_language(code, qt_tr, app_tr));
        QVERIFY(qt_tr.isEmpty() && app_tr.isEmpty());
        QCOMPARE(QByteArray(std::setlocale(LC_ALL, nullptr)), QByteArray("C"));
    }
}

void test_startup::style_sheet_installed()
{
    QApplication *app = qobject_cast<QApplication *>(qApp);
    QVERIFY(startup::install_style_sheet(*app));
    QVERIFY(app->styleSheet().contains(QStringLiteral("QMainWindow")));
    {
        // The sheet gives spin boxes a border; their buttons then need arrows of the sheet's
        // own, or they are drawn as bare frames with nothing in them.
        struct spin : QSpinBox {
            using QSpinBox::initStyleOption;
        } box;
        box.setRange(0, 10);
        box.setValue(5);
        box.resize(90, 26);
        const QImage img = box.grab().toImage();
        QStyleOptionSpinBox opt;
        box.initStyleOption(&opt);
        for (auto part : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
            const QRect button = box.style()->subControlRect(QStyle::CC_SpinBox, &opt, part, &box);
            const QRect middle = button.adjusted(button.width() / 3, 2, -button.width() / 3, -2);
            int ink = 0;
            for (int y = middle.top(); y <= middle.bottom(); ++y)
                for (int x = middle.left(); x <= middle.right(); ++x)
                    ink += qGray(img.pixel(x, y)) < 160;
            QVERIFY2(ink >= 2, qPrintable(QStringLiteral("button %1 has no arrow").arg(int(part))));
        }
    }
    app->setStyleSheet(QString());
}

void test_startup::every_named_resource_exists()
{
    // Every resource path written in the client's sources, so no icon is ever missing.
    const QString root = qEnvironmentVariable("VORN_SOURCE_DIR");
    QVERIFY(!root.isEmpty());
    static const QRegularExpression literal(QStringLiteral(":/(img|qss|lang)/[A-Za-z0-9_./-]+\\.(svg|png|qss|qm)"));
    QStringList named;
    QDirIterator it(root + QStringLiteral("/client"), {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.qss")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = literal.globalMatch(text); m.hasNext();)
            named << m.next().captured(0);
    }
    // Names the code composes at run time: the cluster node icons by usage step.
    for (const char *kind : {"node", "mnode"}) {
        for (int step = 0; step <= 100; step += 10)
            named << QStringLiteral(":/img/cluster/%1_%2.svg").arg(QLatin1String(kind)).arg(step);
        named << QStringLiteral(":/img/cluster/%1_pwr_off.svg").arg(QLatin1String(kind));
    }
    for (const char *type : {"string", "date", "time", "datetime", "i08", "u08", "i16", "u16", "i32",
                             "u32", "i64", "u64", "float", "double"})
        named << QStringLiteral(":/img/type_%1.svg").arg(QLatin1String(type));
    named.removeDuplicates();
    QVERIFY(named.size() > 20);
    QStringList missing;
    for (const QString &path : named)
        if (!QFile::exists(path))
            missing << path;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void test_startup::closed_dialog_still_writes_config()
{
    cwd_guard guard;
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    sys_config.reset();
    sys_config.lang = 7; // unknown: untranslated, and still saved as it is
    modal_seam::script seam;
    bool was_login = false;
    bool untranslated = false;
    seam.on_dialog = [&](QDialog *dlg) {
        was_login = qobject_cast<login_dlg *>(dlg) != nullptr;
        untranslated = dlg->findChild<QPushButton *>(QStringLiteral("pb_login"))->text() == QStringLiteral("Login");
    };
    seam.push_result(QDialog::Rejected);
    QCOMPARE(startup::run(*qobject_cast<QApplication *>(qApp)), 0);
    QCOMPARE(int(seam.shown.size()), 1);
    QCOMPARE(seam.shown[0].what, modal_seam::kind::dialog);
    QVERIFY(was_login);
    QVERIFY(untranslated);
    QCOMPARE(QFileInfo(QStringLiteral("config")).size(), qint64(2920));
    sys_config_record back;
    QVERIFY(back.load("config"));
    QCOMPARE(back.lang, 7);
    qApp->setStyleSheet(QString());
}

void test_startup::login_runs_event_loop_then_writes_config()
{
    devserver_process server;
    QVERIFY2(server.ok(), qPrintable(server.error()));
    cwd_guard guard;
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    sys_config.reset();
    modal_seam::script seam;
    bool loop_ran = false;
    seam.on_dialog = [&](QDialog *dlg) {
        dlg->findChild<QLineEdit *>(QStringLiteral("le_user"))->setText(QStringLiteral("admin"));
        dlg->findChild<QLineEdit *>(QStringLiteral("le_passwd"))->setText(QStringLiteral("admin"));
        dlg->findChild<QLineEdit *>(QStringLiteral("le_ip"))->setText(server.host());
        dlg->findChild<QLineEdit *>(QStringLiteral("le_port"))->setText(QString::number(server.port()));
        dlg->findChild<QCheckBox *>(QStringLiteral("checkBox"))->setChecked(true);
        // The login runs on its own thread; the dialog is accepted once it succeeded.
        QObject::connect(dlg, &QDialog::accepted, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                loop_ran = true;
                qApp->quit();
            });
        });
        QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("pb_login")), Qt::LeftButton);
    };
    seam.push_result(QDialog::Accepted);
    QCOMPARE(startup::run(*qobject_cast<QApplication *>(qApp)), 0);
    QVERIFY(loop_ran);
    // The window the dialog made outlives it; the test cleans it up.
    MainWindow *win = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<MainWindow *>(w))
            win = m;
    QVERIFY(win);
    delete win;
    sys_config_record back;
    QVERIFY(back.load("config"));
    QCOMPARE(QByteArray(back.user), QByteArray("admin"));
    QCOMPARE(back.port, server.port());
    qApp->setStyleSheet(QString());
}

void test_startup::program_path_kept()
{
    startup::set_program_path(QStringLiteral("/opt/vorn/vorn_tsdb_cli"));
    QCOMPARE(startup::program_path(), QStringLiteral("/opt/vorn/vorn_tsdb_cli"));
}

void test_startup::editor_font_is_fixed_pitch()
{
    const int bundled = startup::register_fonts();
    if (QFile::exists(QStringLiteral(":/font/SourceCodePro-Regular.ttf"))) {
        QVERIFY(bundled >= 1);
        QVERIFY(QFontDatabase().families().contains(QStringLiteral("Source Code Pro")));
    }
    // Bundled or not, the editor's family must give a fixed-pitch face.
    QFont f(QStringLiteral("Source Code Pro"), 12);
    QVERIFY(QFontInfo(f).fixedPitch());
    QFont bold = f;
    bold.setBold(true);
    QVERIFY(QFontInfo(bold).fixedPitch());
}

void test_startup::every_topic_translated()
{
    // Each topic exists in all three languages and leaves nothing unfinished.
    const QDir lang(qEnvironmentVariable("VORN_SOURCE_DIR") + QStringLiteral("/client/resources/lang"));
    QVERIFY(lang.exists());
    QStringList problems;
    const QStringList files = lang.entryList({QStringLiteral("*_zh.ts"), QStringLiteral("*_fr.ts"),
                                              QStringLiteral("*_jp.ts")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        const QString topic = name.left(name.size() - 6);
        for (const char *l : {"zh", "fr", "jp"})
            if (!lang.exists(QStringLiteral("%1_%2.ts").arg(topic, QLatin1String(l))))
                problems << QStringLiteral("%1_%2.ts missing").arg(topic, QLatin1String(l));
        QFile f(lang.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        if (text.contains("type=\"unfinished\""))
            problems << name + QStringLiteral(" has unfinished entries");
    }
    problems.removeDuplicates();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

QTEST_MAIN(test_startup)
#include "test_startup.moc"
