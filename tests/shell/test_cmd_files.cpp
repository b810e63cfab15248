// Command files in tabs: new-file names, opening once, the recent and open lists, saving,
// save as, closing with the write first, and the reopening at start.
#include "config/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/tab_area.h"
#include "common/modal_seam.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

script_page_hooks plain_pages()
{
    script_page_hooks h;
    h.create = [](const QByteArray &content) {
        auto *e = new QPlainTextEdit;
        e->setPlainText(QString::fromUtf8(content));
        e->document()->setModified(false);
        return e;
    };
    h.text = [](QWidget *w) { return static_cast<QPlainTextEdit *>(w)->toPlainText().toUtf8(); };
    h.modified = [](QWidget *w) { return static_cast<QPlainTextEdit *>(w)->document()->isModified(); };
    h.mark_saved = [](QWidget *w) { static_cast<QPlainTextEdit *>(w)->document()->setModified(false); };
    return h;
}

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void spit(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QPlainTextEdit *edit(QWidget *w) { return static_cast<QPlainTextEdit *>(w); }

void type_into(QWidget *w, const QString &text)
{
    edit(w)->setPlainText(text);
    edit(w)->document()->setModified(true);
}

// One window's worth of state: tab area, configuration and the file logic with its editor map.
struct fixture {
    QTemporaryDir dir;
    QTabWidget tabs;
    tab_area area{&tabs};
    sys_config_record config;
    cmd_file_tabs files{area, config, plain_pages(), nullptr};
    const cmd_file_tabs::editor_map &map = files.editors();
    modal_seam::script seam;

    QByteArray path(const QString &name) const { return dir.filePath(name).toUtf8(); }
    QWidget *open(const QString &name, const QByteArray &content = QByteArray())
    {
        spit(dir.filePath(name), content);
        return files.open_path(path(name));
    }
};

} // namespace

class test_cmd_files : public QObject {
    Q_OBJECT
private slots:
    void new_file_proposes_the_first_free_number()
    {
        fixture f;
        QCOMPARE(f.files.proposed_name(), QStringLiteral("scriptfile1.tcd"));
        f.open("scriptfile1.tcd");
        f.open("scriptfile3.tcd");
        QCOMPARE(f.files.proposed_name(), QStringLiteral("scriptfile2.tcd"));

        f.seam.push_file(QString::fromUtf8(f.path("scriptfile2.tcd")));
        f.files.new_file();
        QCOMPARE(f.seam.shown.size(), size_t(1));
        QCOMPARE(f.seam.shown[0].what, modal_seam::kind::save_file);
        QCOMPARE(f.seam.shown[0].title, QStringLiteral("set cmd file's location"));
        QCOMPARE(f.seam.shown[0].text, QStringLiteral("scriptfile2.tcd"));
        QCOMPARE(f.seam.shown[0].filter, QStringLiteral("cmd files (*.tcd);;all files (*.*)"));
        // The file exists now, empty, and its tab is current with the file name as title.
        QCOMPARE(slurp(f.dir.filePath("scriptfile2.tcd")), QByteArray());
        QCOMPARE(f.tabs.count(), 3);
        QCOMPARE(f.tabs.tabText(f.tabs.currentIndex()), QStringLiteral("scriptfile2.tcd"));
        QCOMPARE(f.tabs.tabBar()->tabTextColor(f.tabs.currentIndex()), QColor(Qt::darkCyan));
        QCOMPARE(f.files.proposed_name(), QStringLiteral("scriptfile4.tcd"));
    }

    void new_file_over_an_existing_file_shows_its_content()
    {
        fixture f;
        spit(f.dir.filePath("kept.tcd"), "show tables\n");
        f.seam.push_file(QString::fromUtf8(f.path("kept.tcd")));
        f.files.new_file();
        QCOMPARE(f.map.size(), 1);
        QCOMPARE(edit(f.map.first())->toPlainText(), QStringLiteral("show tables\n"));
        QCOMPARE(slurp(f.dir.filePath("kept.tcd")), QByteArray("show tables\n"));
        // A cancelled dialog does nothing.
        f.files.new_file();
        QCOMPARE(f.tabs.count(), 1);
    }

    void opening_a_file_twice_leaves_one_tab()
    {
        fixture f;
        QWidget *a = f.open("a.tcd", "view t1");
        f.open("b.tcd");
        QCOMPARE(f.tabs.currentIndex(), 1);
        f.seam.push_file(QString::fromUtf8(f.path("a.tcd")));
        f.files.open_file();
        QCOMPARE(f.seam.shown.back().title, QStringLiteral("open cmd file to script editor"));
        QCOMPARE(f.seam.shown.back().text, QStringLiteral("."));
        QCOMPARE(f.tabs.count(), 2);
        QCOMPARE(f.tabs.currentWidget(), a);
        QCOMPARE(edit(a)->toPlainText(), QStringLiteral("view t1"));
        QCOMPARE(f.config.open_files.size(), size_t(2));
        QCOMPARE(f.config.recent_files.front(), f.path("b.tcd").toStdString());
    }

    void recent_list_keeps_the_newest_first_and_at_most_21()
    {
        fixture f;
        QSignalSpy changed(&f.files, &cmd_file_tabs::recent_changed);
        for (int i = 0; i < 25; ++i)
            f.open(QStringLiteral("f%1.tcd").arg(i));
        QCOMPARE(f.config.recent_files.size(), size_t(21));
        QCOMPARE(f.config.recent_files.front(), f.path("f24.tcd").toStdString());
        QCOMPARE(f.config.recent_files.back(), f.path("f4.tcd").toStdString());
        QCOMPARE(f.config.open_files.size(), size_t(25));
        QCOMPARE(f.config.open_files.back(), f.path("f24.tcd").toStdString());
        QVERIFY(changed.count() >= 25);

        // A file opened again (after closing it) moves to the front without a second entry.
        f.tabs.setCurrentWidget(f.map.value(f.path("f10.tcd")));
        f.files.close_file();
        f.files.open_path(f.path("f10.tcd"));
        QCOMPARE(f.config.recent_files.size(), size_t(21));
        QCOMPARE(f.config.recent_files.front(), f.path("f10.tcd").toStdString());
        QCOMPARE(std::count(f.config.recent_files.begin(), f.config.recent_files.end(),
                            f.path("f10.tcd").toStdString()), 1);

        f.files.cls_recent();
        QVERIFY(f.config.recent_files.empty());
        QCOMPARE(f.config.open_files.size(), size_t(25));
    }

    void open_recent_asks_for_a_missing_file()
    {
        fixture f;
        const QByteArray gone = f.path("gone.tcd");
        f.seam.push_button(QMessageBox::No);
        f.files.open_recent(gone);
        QCOMPARE(f.seam.shown.back().title, QStringLiteral("file not exists"));
        QCOMPARE(f.seam.shown.back().text, QStringLiteral("the file is not exists do your want to create new file?"));
        QCOMPARE(f.tabs.count(), 0);

        f.seam.push_button(QMessageBox::Yes);
        f.files.open_recent(gone);
        QCOMPARE(f.tabs.count(), 1);
        QVERIFY(!QFile::exists(QString::fromUtf8(gone)));   // created by the first save
        type_into(f.tabs.currentWidget(), "show tables");
        QVERIFY(f.files.save_file());
        QCOMPARE(slurp(QString::fromUtf8(gone)), QByteArray("show tables"));

        // An entry that is open just becomes current, without a question.
        const size_t asked = f.seam.shown.size();
        f.open("other.tcd");
        f.files.open_recent(gone);
        QCOMPARE(f.seam.shown.size(), asked);
        QCOMPARE(f.files.path_of(f.tabs.currentWidget()), gone);
    }

    void save_writes_utf8_and_marks_saved()
    {
        fixture f;
        QWidget *a = f.open("a.tcd", "old");
        QWidget *b = f.open("b.tcd", "old");
        type_into(a, QStringLiteral("view 表 \"é\""));
        type_into(b, "show tables");
        QVERIFY(f.files.any_modified());
        QVERIFY(f.files.save_all_files());
        QCOMPARE(slurp(f.dir.filePath("a.tcd")), QStringLiteral("view 表 \"é\"").toUtf8());
        QCOMPARE(slurp(f.dir.filePath("b.tcd")), QByteArray("show tables"));
        QVERIFY(!f.files.any_modified());
    }

    void an_unwritable_file_keeps_its_unsaved_state_and_its_tab()
    {
        fixture f;
        f.seam.push_button(QMessageBox::Yes);
        const QByteArray nowhere = f.path("no/such/dir/x.tcd");
        f.files.open_recent(nowhere);
        QWidget *page = f.tabs.currentWidget();
        type_into(page, "view t1");
        QVERIFY(!f.files.save_file());
        QVERIFY(edit(page)->document()->isModified());
        QVERIFY(!f.files.save_all_files());

        // Closing would lose the text: the tab stays and the user is told.
        const size_t before = f.seam.shown.size();
        f.files.close_file();
        QCOMPARE(f.tabs.count(), 1);
        QCOMPARE(f.map.size(), 1);
        QCOMPARE(f.seam.shown.size(), before + 1);
        QCOMPARE(f.seam.shown.back().what, modal_seam::kind::warning);
        QVERIFY(f.seam.shown.back().text.contains(QString::fromUtf8(nowhere)));
    }

    void save_as_moves_the_file_and_its_lists()
    {
        fixture f;
        QWidget *a = f.open("a.tcd", "view t1");
        type_into(a, "view t2");

        f.seam.push_file(QString::fromUtf8(f.path("a.tcd")));
        f.files.save_file_as();
        QCOMPARE(f.seam.shown.back().title, QStringLiteral("file path is same"));
        QCOMPARE(f.seam.shown.back().text, QStringLiteral("the selected path is same as original!"));
        QCOMPARE(f.seam.shown[0].title, QStringLiteral("save as cmd file to location"));
        QCOMPARE(f.seam.shown[0].text, QString::fromUtf8(f.path("a.tcd")));
        QCOMPARE(slurp(f.dir.filePath("a.tcd")), QByteArray("view t1"));

        f.seam.push_file(QString::fromUtf8(f.path("moved.tcd")));
        f.files.save_file_as();
        QCOMPARE(slurp(f.dir.filePath("moved.tcd")), QByteArray("view t2"));
        QCOMPARE(slurp(f.dir.filePath("a.tcd")), QByteArray("view t1"));
        QCOMPARE(f.tabs.tabText(0), QStringLiteral("moved.tcd"));
        QCOMPARE(f.map.keys(), QList<QByteArray>{f.path("moved.tcd")});
        QVERIFY(!edit(a)->document()->isModified());
        QCOMPARE(f.config.recent_files.front(), f.path("moved.tcd").toStdString());
        QCOMPARE(f.config.open_files, std::list<std::string>{f.path("moved.tcd").toStdString()});
    }

    // A name typed without an extension gets ".tcd", so the open dialog's filter shows the file.
    void save_as_and_new_add_the_extension_data()
    {
        QTest::addColumn<bool>("save_as");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("save as, bare name") << true << "moved" << "moved.tcd";
        QTest::newRow("save as, trailing dot") << true << "moved." << "moved.tcd";
        QTest::newRow("save as, other extension kept") << true << "moved.txt" << "moved.txt";
        QTest::newRow("new, bare name") << false << "fresh" << "fresh.tcd";
    }
    void save_as_and_new_add_the_extension()
    {
        QFETCH(bool, save_as);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        fixture f;
        QWidget *a = f.open("a.tcd", "view t1");
        type_into(a, "view t2");
        f.seam.push_file(f.dir.filePath(typed));
        if (save_as)
            f.files.save_file_as();
        else
            f.files.new_file();
        QVERIFY(QFileInfo::exists(f.dir.filePath(written)));
        QVERIFY(f.map.contains(f.path(written)));
        QCOMPARE(f.tabs.tabText(f.tabs.indexOf(f.map.value(f.path(written)))), written);
        if (written != typed)
            QVERIFY(!QFileInfo::exists(f.dir.filePath(typed)));
    }

    void save_as_onto_a_file_open_in_another_tab_is_refused()
    {
        fixture f;
        f.open("a.tcd", "one");
        QWidget *b = f.open("b.tcd", "two");
        type_into(b, "changed");
        f.seam.push_file(QString::fromUtf8(f.path("a.tcd")));
        f.files.save_file_as();
        QCOMPARE(f.seam.shown.back().title, QStringLiteral("file is open"));
        QCOMPARE(slurp(f.dir.filePath("a.tcd")), QByteArray("one"));
        QCOMPARE(f.map.size(), 2);
        QCOMPARE(f.map.value(f.path("b.tcd")), b);
    }

    void closing_a_modified_file_writes_it_first()
    {
        fixture f;
        QWidget *a = f.open("a.tcd", "x");
        f.open("b.tcd", "y");
        QWidget *c = f.open("c.tcd", "z");
        f.tabs.setCurrentWidget(a);
        type_into(a, "view t9");
        QPointer<QWidget> gone = a;
        f.files.close_file();
        QCOMPARE(slurp(f.dir.filePath("a.tcd")), QByteArray("view t9"));
        QCOMPARE(f.tabs.count(), 2);
        QVERIFY(!f.map.contains(f.path("a.tcd")));
        QCOMPARE(f.config.open_files.size(), size_t(2));
        QCOMPARE(f.tabs.currentIndex(), 0);   // the tab at the same index
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());

        // The last tab closed: the one before becomes current.
        f.tabs.setCurrentWidget(c);
        f.files.close_file();
        QCOMPARE(f.tabs.currentIndex(), 0);
        QCOMPARE(f.tabs.count(), 1);
    }

    void close_all_and_close_except_leave_other_tabs()
    {
        fixture f;
        f.open("a.tcd");
        QWidget *b = f.open("b.tcd");
        auto *table = new QWidget;
        f.tabs.addTab(table, "view data: t1");
        f.open("c.tcd");
        f.tabs.setCurrentWidget(b);
        f.files.close_files_except();
        QCOMPARE(f.tabs.count(), 2);
        QCOMPARE(f.map.keys(), QList<QByteArray>{f.path("b.tcd")});
        QCOMPARE(f.tabs.currentWidget(), b);
        QCOMPARE(f.config.open_files, std::list<std::string>{f.path("b.tcd").toStdString()});

        f.files.close_all_files();
        QCOMPARE(f.tabs.count(), 1);
        QCOMPARE(f.tabs.widget(0), table);
        QVERIFY(f.map.isEmpty());
        QVERIFY(f.config.open_files.empty());
        QVERIFY(!f.files.close_page(table));
    }

    void open_files_are_reopened_at_start()
    {
        QTemporaryDir dir;
        sys_config_record config;
        const std::string a = dir.filePath("a.tcd").toStdString();
        const std::string b = dir.filePath("b.tcd").toStdString();
        spit(dir.filePath("a.tcd"), "show tables");
        spit(dir.filePath("b.tcd"), "view t1");
        {
            QTabWidget tabs;
            tab_area area(&tabs);
            cmd_file_tabs files(area, config, plain_pages(), nullptr);
            files.open_path(QByteArray::fromStdString(a));
            files.open_path(QByteArray::fromStdString(b));
            // The window closes with both open: that is what the next start finds.
        }
        config.open_files.insert(std::next(config.open_files.begin()), dir.filePath("gone.tcd").toStdString());
        const auto recent = config.recent_files;
        const auto open = config.open_files;

        QTabWidget tabs;
        tab_area area(&tabs);
        cmd_file_tabs files(area, config, plain_pages(), nullptr);
        QSignalSpy opened(&files, &cmd_file_tabs::page_opened);
        files.reopen_at_start();
        QCOMPARE(tabs.count(), 2);
        QCOMPARE(tabs.tabText(0), QStringLiteral("a.tcd"));
        QCOMPARE(tabs.tabText(1), QStringLiteral("b.tcd"));
        QCOMPARE(edit(tabs.widget(1))->toPlainText(), QStringLiteral("view t1"));
        QCOMPARE(opened.count(), 2);
        QCOMPARE(config.recent_files, recent);
        QCOMPARE(config.open_files, open);
    }

    void a_failed_write_leaves_the_old_content()
    {
        QTemporaryDir dir;
        const QByteArray path = dir.filePath("a.tcd").toUtf8();
        QVERIFY(cmd_file_tabs::write_file(path, "first"));
        QVERIFY(!cmd_file_tabs::write_file(dir.filePath("missing/a.tcd").toUtf8(), "x"));
        QCOMPARE(cmd_file_tabs::read_file(path), QByteArray("first"));
        QCOMPARE(cmd_file_tabs::read_file(dir.filePath("missing.tcd").toUtf8()), QByteArray());
    }
};

QTEST_MAIN(test_cmd_files)
#include "test_cmd_files.moc"
