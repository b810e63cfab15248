// The user manual against the program: the English PDF that the build made lists every command
// word the development server understands, each with an example, and names the program's version;
// the examples of the reference run on the development server. The Chinese and French sources keep
// the same examples.
#include "devserver_process.h"
#include "shell/build_version.h"
#include "support/proto/commands.h"
#include "vorn_tsdb.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QString source_dir()
{
    return qEnvironmentVariable("VORN_SOURCE_DIR");
}

QString read_text(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The words the server takes: the command words of the protocol's table, the words completion
// offers after them, and the words inside commands its parser compares against
// (`is_word(t[i], "...")`, read from its sources, so a word added there and missing here fails
// this test).
QStringList server_words(QStringList *verbs)
{
    QSet<QString> all, verb_set;
    for (const proto::command_word &c : proto::command_words)
        verb_set << QLatin1String(c.word);
    all = verb_set;
    for (const char *w : proto::post_words)
        all << QLatin1String(w);
    for (const char *w : proto::path_words)
        all << QLatin1String(w);
    const QDir dir(QDir(source_dir()).filePath(QStringLiteral("devserver")));
    static const QRegularExpression word_re(QStringLiteral(R"(is_word\([^,]+,\s*"([a-z_]+)\"\))"));
    for (const QString &name : dir.entryList({QStringLiteral("*.cpp")}, QDir::Files)) {
        const QString text = read_text(dir.filePath(name));
        for (auto it = word_re.globalMatch(text); it.hasNext();)
            all << it.next().captured(1);
    }
    *verbs = verb_set.values();
    verbs->sort();
    QStringList out = all.values();
    out.sort();
    return out;
}

// Lines of the fenced code blocks in the command reference (between the headings numbered 14.2
// and 14.3, in every language).
QStringList reference_examples(const QString &markdown)
{
    const int from = markdown.indexOf(QStringLiteral("\n## 14.2"));
    const int to = markdown.indexOf(QStringLiteral("\n## 14.3"));
    if (from < 0 || to < from)
        return {};
    QStringList out;
    bool fenced = false;
    for (const QString &line : markdown.mid(from, to - from).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("```"))) {
            fenced = !fenced;
            continue;
        }
        if (fenced && !line.trimmed().isEmpty())
            out << line.trimmed();
    }
    return out;
}

QString manual_source(const QString &lang)
{
    return read_text(QDir(source_dir()).filePath(QStringLiteral("doc/%1/vorn_cli.md").arg(lang)));
}

} // namespace

class test_help_manual : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pdf_lists_every_command_word();
    void examples_run_on_the_development_server();
    void translations_keep_the_examples_data();
    void translations_keep_the_examples();

private:
    QString pdf_text_;
    QStringList words_;
    QStringList verbs_;
};

void test_help_manual::initTestCase()
{
    QVERIFY2(!source_dir().isEmpty(), "VORN_SOURCE_DIR is not set");
    words_ = server_words(&verbs_);
    // The parse itself must have worked: these are the server's oldest commands.
    for (const char *w : {"show", "view", "push", "export_data", "restore", "into", "btw", "csvs"})
        QVERIFY2(words_.contains(QLatin1String(w)), w);

    const QString pdf = QCoreApplication::applicationDirPath() + QStringLiteral("/doc/en/vorn_cli.pdf");
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf + QStringLiteral(" missing: build the target vorn_manuals")));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(p.waitForStarted(10000), "pdftotext (poppler-utils) is not installed");
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    pdf_text_ = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY(pdf_text_.size() > 5000);
    // The build puts the version in; a manual that still said another one would mislead.
    QVERIFY2(pdf_text_.contains(QStringLiteral("Version " VORN_VERSION_TEXT ".")) &&
                 pdf_text_.contains(QStringLiteral("Version: " VORN_VERSION_TEXT ",")) &&
                 !pdf_text_.contains(QLatin1String("@PROJECT_")),
             VORN_VERSION_TEXT);
}

void test_help_manual::pdf_lists_every_command_word()
{
    QStringList missing, without_example;
    for (const QString &w : words_)
        if (!pdf_text_.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(w))))
            missing << w;
    for (const QString &v : verbs_)
        if (!pdf_text_.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*%1 \\S").arg(v))))
            without_example << v;
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the manual: ") + missing.join(QLatin1Char(' '))));
    QVERIFY2(without_example.isEmpty(),
             qPrintable(QStringLiteral("no example line: ") + without_example.join(QLatin1Char(' '))));
    // The reference names every type.
    for (const char *type : {"i08", "u08", "i16", "u16", "i32", "u32", "i64", "u64", "float", "double",
                             "string", "date", "time", "datetime"})
        QVERIFY2(pdf_text_.contains(QLatin1String(type)), type);
}

void test_help_manual::examples_run_on_the_development_server()
{
    const QStringList examples = reference_examples(manual_source(QStringLiteral("en")));
    QVERIFY(examples.size() >= verbs_.size());
    devserver_process srv({QStringLiteral("--demo")});
    QVERIFY2(srv.ok(), qPrintable(srv.error()));
    QVERIFY(connect_to_server("127.0.0.1", srv.port(), "admin", "admin"));
    QStringList failed;
    for (const QString &cmd : examples) {
        const QByteArray c = cmd.toUtf8();
        result_set *rs = exec(c.constData(), c.size());
        if (rs)
            del_datas(rs);
        else
            failed << cmd;
    }
    exit_to_server();
    QVERIFY2(failed.isEmpty(), qPrintable(QStringLiteral("examples the server refused:\n") + failed.join('\n')));
}

void test_help_manual::translations_keep_the_examples_data()
{
    QTest::addColumn<QString>("lang");
    QTest::newRow("zh") << "zh";
    QTest::newRow("fr") << "fr";
}

void test_help_manual::translations_keep_the_examples()
{
    QFETCH(QString, lang);
    const QString text = manual_source(lang);
    QVERIFY2(!text.isEmpty(), qPrintable(lang));
    QCOMPARE(reference_examples(text), reference_examples(manual_source(QStringLiteral("en"))));
    for (const QString &w : words_)
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(w))), qPrintable(lang + ": " + w));
}

QTEST_MAIN(test_help_manual)
#include "test_help_manual.moc"
