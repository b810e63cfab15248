// Recovery copies of unsaved script text: written after an edit, removed by a save, a close and a
// clean end; copies a client left are offered once (restored into the tab or discarded), and a
// running client's copies are not.
#include "common/modal_seam.h"
#include "config/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/script_recovery.h"
#include "shell/tab_area.h"

#include <QDirIterator>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QPlainTextEdit *edit(QWidget *w) { return static_cast<QPlainTextEdit *>(w); }

script_page_hooks plain_pages()
{
    script_page_hooks h;
    h.create = [](const QByteArray &content) {
        auto *e = new QPlainTextEdit;
        e->setPlainText(QString::fromUtf8(content));
        e->document()->setModified(false);
        return e;
    };
    h.text = [](QWidget *w) { return edit(w)->toPlainText().toUtf8(); };
    h.modified = [](QWidget *w) { return edit(w)->document()->isModified(); };
    h.mark_saved = [](QWidget *w) { edit(w)->document()->setModified(false); };
    h.restore = [](QWidget *w, const QByteArray &text) {
        edit(w)->setPlainText(QString::fromUtf8(text));
        edit(w)->document()->setModified(true);
    };
    return h;
}

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A window's file logic over a temporary folder, its copies kept in <folder>/recovery.
struct fixture {
    QTemporaryDir dir;
    QString root = (script_recovery::set_root(dir.filePath(QStringLiteral("recovery"))), script_recovery::root());
    QTabWidget tabs;
    tab_area area{&tabs};
    sys_config_record config;
    std::unique_ptr<cmd_file_tabs> files = std::make_unique<cmd_file_tabs>(area, config, plain_pages(), nullptr);
    modal_seam::script seam;

    ~fixture() { script_recovery::set_root(QString()); }

    QByteArray path(const QString &name) const { return dir.filePath(name).toUtf8(); }
    QWidget *open(const QString &name, const QByteArray &content)
    {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
        f.close();
        return files->open_path(path(name));
    }
    void type(QWidget *page, const QString &text)
    {
        edit(page)->setPlainText(text);
        edit(page)->document()->setModified(true);
        files->note_edit(page);
    }
    // The text of every copy under the root, by the file it belongs to.
    QMap<QByteArray, QByteArray> copies() const
    {
        QMap<QByteArray, QByteArray> out;
        QDirIterator it(root, {QStringLiteral("*.copy")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QByteArray all = slurp(it.next());
            const int nl = all.indexOf('\n');
            out.insert(QByteArray::fromPercentEncoding(all.left(nl)), all.mid(nl + 1));
        }
        return out;
    }
    // A client that ended without cleaning up left this copy, written `age_s` seconds ago.
    void leave_copy(const QByteArray &file, const QByteArray &text, int age_s)
    {
        script_recovery gone;
        QVERIFY(gone.keep(file, text));
        QDirIterator it(gone.folder(), {QStringLiteral("*.copy")}, QDir::Files);
        QVERIFY(it.hasNext());
        QFile copy(it.next());
        QVERIFY(copy.open(QIODevice::ReadWrite));
        QVERIFY(copy.setFileTime(QDateTime::currentDateTime().addSecs(-age_s), QFileDevice::FileModificationTime));
    }
};

} // namespace

class test_script_recovery : public QObject {
    Q_OBJECT
private slots:
    void copies_follow_the_unsaved_text()
    {
        fixture f;
        QWidget *a = f.open(QStringLiteral("a.tcd"), "saved a");
        QWidget *b = f.open(QStringLiteral("b.tcd"), "saved b");
        QVERIFY(f.files->recovery().active());

        // The timer writes the copy a moment after the edit; the file keeps its saved text.
        f.type(a, QStringLiteral("typed a"));
        QTRY_COMPARE_WITH_TIMEOUT(f.copies().value(f.path("a.tcd")), QByteArray("typed a"), 10000);
        QCOMPARE(slurp(f.dir.filePath(QStringLiteral("a.tcd"))), QByteArray("saved a"));

        // Back to unmodified (an undo to the saved text): the copy goes at the next write.
        f.files->note_edit(b);
        edit(a)->document()->setModified(false);
        f.files->note_edit(a);
        f.files->write_copies();
        QVERIFY(f.copies().isEmpty());

        // A save and a close remove a copy at once.
        f.type(a, QStringLiteral("typed a again"));
        f.type(b, QStringLiteral("typed b"));
        f.files->write_copies();
        QCOMPARE(f.copies().size(), 2);
        QVERIFY(f.files->save_page(a));
        QCOMPARE(f.copies().keys(), QList<QByteArray>{f.path("b.tcd")});
        QVERIFY(f.files->close_page(b));
        QVERIFY(f.copies().isEmpty());
        QCOMPARE(slurp(f.dir.filePath(QStringLiteral("b.tcd"))), QByteArray("typed b"));

        // A clean end leaves nothing, even for text the user chose not to save.
        f.type(a, QStringLiteral("given up"));
        f.files->write_copies();
        QCOMPARE(f.copies().size(), 1);
        f.files->end_session();
        QVERIFY(!QFileInfo::exists(f.root));
    }

    void left_copies_are_offered_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("file_exists");
        QTest::newRow("restored into its open file") << true << true;
        QTest::newRow("restored, file never saved") << true << false;
        QTest::newRow("discarded") << false << true;
    }
    void left_copies_are_offered()
    {
        QFETCH(bool, restore);
        QFETCH(bool, file_exists);
        fixture f;
        const QByteArray file = f.path(QStringLiteral("s.tcd"));
        QWidget *page = file_exists ? f.open(QStringLiteral("s.tcd"), "saved") : nullptr;
        f.leave_copy(file, "left behind", 3 * 3600);

        f.seam.push_button(restore ? QMessageBox::Yes : QMessageBox::No);
        f.files->offer_left_copies();
        QCOMPARE(f.seam.shown.size(), size_t(1));
        const modal_seam::request &offer = f.seam.shown[0];
        QCOMPARE(offer.what, modal_seam::kind::question);
        QCOMPARE(offer.title, QStringLiteral("restore unsaved changes"));
        QCOMPARE(offer.default_button, QMessageBox::Yes);
        QVERIFY2(offer.text.contains(QStringLiteral("\"s.tcd\"")) && offer.text.contains(QStringLiteral("3 hour(s) ago")) &&
                     offer.text.contains(QString::fromUtf8(file)), qPrintable(offer.text));

        if (restore) {
            page = f.files->editors().value(file);
            QVERIFY(page);
            QCOMPARE(edit(page)->toPlainText(), QStringLiteral("left behind"));
            QVERIFY(f.files->any_modified());
            // The text waits in this client's copy until it is saved.
            QCOMPARE(f.copies(), (QMap<QByteArray, QByteArray>{{file, "left behind"}}));
        } else {
            QCOMPARE(f.files->editors().value(file), page);
            QVERIFY(!f.files->any_modified());
            QVERIFY(f.copies().isEmpty());
        }
        QCOMPARE(slurp(QString::fromUtf8(file)), file_exists ? QByteArray("saved") : QByteArray("<missing>"));
        // Offered once: the left folder is gone.
        f.seam.shown.clear();
        f.files->offer_left_copies();
        QVERIFY(f.seam.shown.empty());
    }

    void a_running_clients_copies_are_not_offered()
    {
        fixture f;
        script_recovery other;
        QVERIFY(other.keep(f.path(QStringLiteral("o.tcd")), "still typing"));
        f.files->offer_left_copies();
        QVERIFY(f.seam.shown.empty());
        QCOMPARE(f.copies().size(), 1);
        other.finish();
        QVERIFY(f.copies().isEmpty());
    }
};

QTEST_MAIN(test_script_recovery)
#include "test_script_recovery.moc"
