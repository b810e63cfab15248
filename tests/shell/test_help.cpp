// The help menu: the manual of each language found and handed to the desktop, the boxes for a
// missing manual and for Japanese, the online reference address, and the about dialog.
#include "main_window_fixture.h"

#include "shell/about_dlg.h"
#include "shell/help_targets.h"
#include "shell/update_check.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <cstdlib>

using namespace mw_test;

class test_help : public window_test {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { close(); }
    void init();
    void cleanup();

    void local_opens_manual_of_each_language_data();
    void local_opens_manual_of_each_language();
    void local_falls_back_to_program_folder();
    void local_missing_manual_is_said();
    void refused_open_is_said();
    void japanese_offers_english();
    void online_reference_by_language_data();
    void online_reference_by_language();
    void about_dialog();

private:
    // Writes an empty manual file below `root` for the language folder.
    static QString put_manual(const QString &root, const QString &folder);
    QList<modal_seam::request> opened() const;

    QTemporaryDir work_;
    QTemporaryDir program_;
};

QString test_help::put_manual(const QString &root, const QString &folder)
{
    const QString path = QDir(root).filePath(QStringLiteral("doc/%1/vorn_cli.pdf").arg(folder));
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("%PDF-1.4\n");
    return QDir::cleanPath(path);
}

QList<modal_seam::request> test_help::opened() const
{
    QList<modal_seam::request> out;
    for (const modal_seam::request &r : seam_->shown)
        if (r.what == modal_seam::kind::start_process)
            out << r;
    return out;
}

void test_help::initTestCase()
{
    QVERIFY(work_.isValid() && program_.isValid());
    // One server for all cases; each case gets a window of its own.
    const QString why = start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QDir::setCurrent(work_.path());
    // The build puts manuals beside the test programs; the lookup must not find those here.
    help_targets::set_program_folder(program_.path());
}

void test_help::init()
{
    const QString why = open();
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void test_help::cleanup()
{
    close_window();
    QDir(work_.filePath(QStringLiteral("doc"))).removeRecursively();
    QDir(program_.filePath(QStringLiteral("doc"))).removeRecursively();
}

void test_help::local_opens_manual_of_each_language_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<QString>("folder");
    QTest::newRow("Chinese") << 0 << "zh";
    QTest::newRow("English") << 1 << "en";
    QTest::newRow("French") << 2 << "fr";
    QTest::newRow("unknown code runs in English") << 7 << "en";
}

void test_help::local_opens_manual_of_each_language()
{
    QFETCH(int, lang);
    QFETCH(QString, folder);
    // Every language's manual lies in the working folder; only the configured one may open.
    QString wanted;
    for (const char *f : {"zh", "en", "fr"}) {
        const QString p = put_manual(work_.path(), QLatin1String(f));
        if (folder == QLatin1String(f))
            wanted = p;
    }
    put_manual(program_.path(), folder);
    sys_config.lang = lang;
    w_->actions().help_local->trigger();
    const auto req = opened();
    QCOMPARE(req.size(), 1);
    QCOMPARE(req[0].args, (QStringList{QStringLiteral("xdg-open"), QDir::toNativeSeparators(wanted)}));
    QCOMPARE(int(seam_->shown.size()), 1);
}

void test_help::local_falls_back_to_program_folder()
{
    const QString beside = put_manual(program_.path(), QStringLiteral("fr"));
    sys_config.lang = 2;
    w_->actions().help_local->trigger();
    const auto req = opened();
    QCOMPARE(req.size(), 1);
    QCOMPARE(req[0].args.value(1), QDir::toNativeSeparators(beside));
}

void test_help::local_missing_manual_is_said()
{
    put_manual(work_.path(), QStringLiteral("en"));  // another language's manual does not help
    sys_config.lang = 0;
    w_->actions().help_local->trigger();
    QVERIFY(opened().isEmpty());
    QCOMPARE(int(seam_->shown.size()), 1);
    QCOMPARE(seam_->shown[0].what, modal_seam::kind::information);
    QCOMPARE(seam_->last_title(), QStringLiteral("local help information"));
    QVERIFY2(seam_->last_text().contains(QDir::toNativeSeparators(QStringLiteral("doc/zh/vorn_cli.pdf"))),
             qPrintable(seam_->last_text()));
}

void test_help::refused_open_is_said()
{
    // A desktop without a viewer for the file or the address refuses it; the user hears so.
    const QString en = put_manual(work_.path(), QStringLiteral("en"));
    modal_seam::answer refused;
    refused.ok = false;
    seam_->push(refused);
    w_->actions().help_local->trigger();
    QCOMPARE(opened().size(), 1);
    QCOMPARE(seam_->shown.back().what, modal_seam::kind::information);
    QVERIFY2(seam_->last_text().contains(QDir::toNativeSeparators(en)), qPrintable(seam_->last_text()));

    seam_->push(refused);
    w_->actions().help_online->trigger();
    QCOMPARE(opened().size(), 2);
    QCOMPARE(seam_->last_title(), QStringLiteral("online reference information"));
    QVERIFY(seam_->last_text().contains(QStringLiteral("cmd_ref_0.2.2.html")));
}

void test_help::japanese_offers_english()
{
    const QString en = put_manual(work_.path(), QStringLiteral("en"));
    sys_config.lang = 3;

    seam_->push_button(QMessageBox::No);
    w_->actions().help_local->trigger();
    QCOMPARE(int(seam_->shown.size()), 1);
    QCOMPARE(seam_->shown[0].what, modal_seam::kind::question);
    QVERIFY(seam_->shown[0].text.contains(QStringLiteral("English")));
    QVERIFY(opened().isEmpty());

    seam_->push_button(QMessageBox::Yes);
    w_->actions().help_local->trigger();
    QCOMPARE(opened().size(), 1);
    QCOMPARE(opened()[0].args.value(1), QDir::toNativeSeparators(en));

    // The English manual missing too: said, not silently dropped.
    QFile::remove(en);
    seam_->push_button(QMessageBox::Yes);
    w_->actions().help_local->trigger();
    QCOMPARE(opened().size(), 1);
    QVERIFY(seam_->last_text().contains(QStringLiteral("vorn_cli.pdf")));
}

void test_help::online_reference_by_language_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<QString>("path");
    QTest::newRow("Chinese") << 0 << "/zh/cmd_ref_0.2.2.html";
    QTest::newRow("English") << 1 << "/en/cmd_ref_0.2.2.html";
    QTest::newRow("French") << 2 << "/fr/cmd_ref_0.2.2.html";
}

void test_help::online_reference_by_language()
{
    QFETCH(int, lang);
    QFETCH(QString, path);
    sys_config.lang = lang;
    w_->actions().help_online->trigger();
    const auto req = opened();
    QCOMPARE(req.size(), 1);
    const QUrl url(req[0].args.value(1));
    QVERIFY2(url.isValid() && url.scheme().startsWith(QLatin1String("http")), qPrintable(url.toString()));
    QVERIFY(!url.host().isEmpty());
    QVERIFY2(url.path().endsWith(path), qPrintable(url.toString()));
    QVERIFY2(!url.path().contains(QLatin1String("//")), qPrintable(url.toString()));

    // Japanese: the English page on request only.
    sys_config.lang = 3;
    seam_->push_button(QMessageBox::No);
    w_->actions().help_online->trigger();
    QCOMPARE(opened().size(), 1);
    seam_->push_button(QMessageBox::Yes);
    w_->actions().help_online->trigger();
    QCOMPARE(opened().size(), 2);
    QVERIFY(opened()[1].args.value(1).endsWith(QLatin1String("/en/cmd_ref_0.2.2.html")));
}

void test_help::about_dialog()
{
    QString title, about, version;
    bool has_ok = false;
    int logo_pixels = 0, standing_out = 0;
    seam_->on_dialog = [&](QDialog *d) {
        // The logo, white on blue where the login shows it, stands out of the dialog whole.
        QImage logo = QImage(QStringLiteral(":/img/logo.png")).scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        for (int y = 0; y < logo.height(); ++y)
            for (int x = 0; x < logo.width(); ++x)
                logo_pixels += logo.pixelColor(x, y).alpha() >= 128;
        auto *label = d->findChild<QLabel *>(QStringLiteral("lbl_logo"));
        d->layout()->activate();
        const QImage shown = label->grab().toImage();
        const QColor back = d->palette().color(QPalette::Window);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                standing_out += std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                                    std::abs(c.blue() - back.blue()) >= 60;
            }
        title = d->windowTitle();
        about = d->findChild<QLabel *>(QStringLiteral("lbl_about"))->text();
        version = d->findChild<QLabel *>(QStringLiteral("lbl_version"))->text();
        auto *box = d->findChild<QDialogButtonBox *>();
        has_ok = box && box->button(QDialogButtonBox::Ok);
    };
    w_->actions().about->trigger();
    QCOMPARE(int(seam_->shown.size()), 1);
    QCOMPARE(seam_->shown[0].what, modal_seam::kind::dialog);
    QCOMPARE(title, QStringLiteral("about vorn tsdb client"));
    QCOMPARE(about, QStringLiteral("About: time sequence database client is GUI client develop by vorn time "
                                   "sequence database team."));
    QCOMPARE(version, QStringLiteral("Version: 0.2.2, Build Date: 2024-01-18"));
    QVERIFY(has_ok);
    QVERIFY(logo_pixels > 0);
    QVERIFY2(standing_out >= logo_pixels, qPrintable(QStringLiteral("%1 of %2").arg(standing_out).arg(logo_pixels)));
    // One number everywhere: the box, the reference the help opens and the version check's record.
    QVERIFY(help_targets::online_address(QStringLiteral("en")).endsWith(QLatin1String("/cmd_ref_0.2.2.html")));
    const QByteArray record = update_check::request_record(QString());
    QCOMPARE(record.mid(4, 12), QByteArray::fromHex("000000000200000002000000"));
}

QTEST_MAIN(test_help)
#include "test_help.moc"
