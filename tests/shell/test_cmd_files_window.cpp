// The file actions in the real main window: a new file becomes a script tab whose run refreshes
// the tree, the Edit menu reaches the current editor, closing a modified tab by its button
// writes it, a recent entry opens its file, and the open files come back at the next start.
#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "main_window_fixture.h"
#include "shots_dir.h"
#include "shell/startup.h"
#include "shell/tab_area.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace mw_test;

class test_cmd_files_window : public window_test {
    Q_OBJECT
    QTemporaryDir dir_;

    QString file(const QString &name) const { return dir_.filePath(name); }
    cmd_script_editor *current() const { return qobject_cast<cmd_script_editor *>(w_->tabs()->currentWidget()); }
    QByteArray slurp(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init()
    {
        const QString why = open({"create t1 f1 i32 f2 string"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }
    void cleanup() { close(); }

    void a_new_file_runs_and_refreshes_the_tree()
    {
        seam_->push_file(file("scriptfile1.tcd"));
        w_->actions().new_file->trigger();
        QVERIFY(settle(w_.get()));
        cmd_script_editor *ed = current();
        QVERIFY(ed);
        QVERIFY(w_->area().is_script_tab(ed));
        QCOMPARE(w_->editors().size(), 1);
        QCOMPARE(w_->tabs()->tabText(0), QStringLiteral("scriptfile1.tcd"));
        QVERIFY(w_->actions().close_file->isEnabled());
        QVERIFY(!find_item(w_->tree(), "t9"));

        ed->editor_widget()->set_text(QStringLiteral("create t9 v i32\nview t1"));
        ed->exec_cmd();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QVERIFY(find_item(w_->tree(), "t9"));   // executed -> refresh
        QCOMPARE(ed->result_tabs()->count(), 1);

        // The Edit menu acts on this editor: select all, then execute the selection.
        ed->editor_widget()->set_text(QStringLiteral("view t1\nview t9"));
        w_->actions().sel_all->setEnabled(true);
        w_->sel_all();
        QVERIFY(!ed->editor_widget()->selections().empty());
        seam_->shown.clear();
        w_->exec_sel();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QCOMPARE(ed->result_tabs()->count(), 3);
    }

    void closing_a_modified_tab_by_its_button_writes_it()
    {
        seam_->push_file(file("a.tcd"));
        w_->new_file();
        seam_->push_file(file("b.tcd"));
        w_->new_file();
        QCOMPARE(w_->tabs()->count(), 2);
        auto *a = qobject_cast<cmd_script_editor *>(w_->tabs()->widget(0));
        a->editor_widget()->set_text(QStringLiteral("view t1"));
        a->editor_widget()->add_selection(0, 0);
        // set_text counts as saved: make a real edit through the editor's keys.
        a->editor_widget()->set_cursor_position(7);
        QTest::keyClicks(a->editor_widget(), QStringLiteral(" f1"));
        QVERIFY(a->modified());
        QVERIFY(a->isWindowModified());
        emit w_->tabs()->tabCloseRequested(0);
        QCOMPARE(w_->tabs()->count(), 1);
        QCOMPARE(slurp(file("a.tcd")), QByteArray("view t1 f1"));
        QCOMPARE(w_->tabs()->tabText(0), QStringLiteral("b.tcd"));
        QCOMPARE(sys_config.open_files, std::list<std::string>{file("b.tcd").toStdString()});

        // A file that cannot be written keeps its tab when its close button is pressed.
        sys_config.add_recent_file(file("no/dir/c.tcd").toStdString());
        w_ = std::make_unique<MainWindow>("127.0.0.1", server_->port(), "admin", "admin");
        seam_->push_button(QMessageBox::Yes);
        w_->actions().recent_menu->actions().first()->trigger();
        QVERIFY(settle(w_.get()));
        cmd_script_editor *c = current();
        QVERIFY(c);
        QTest::keyClicks(c->editor_widget(), QStringLiteral("view t1"));
        const int tabs = w_->tabs()->count();
        emit w_->tabs()->tabCloseRequested(w_->tabs()->indexOf(c));
        QCOMPARE(w_->tabs()->count(), tabs);
        QCOMPARE(seam_->shown.back().what, modal_seam::kind::warning);
        QCOMPARE(c->text_bytes(), QByteArray("view t1"));
    }

    void a_recent_entry_opens_its_file_and_open_files_return()
    {
        QFile f(file("kept.tcd"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("view t1\n");
        f.close();
        sys_config.add_recent_file(file("kept.tcd").toStdString());
        w_ = std::make_unique<MainWindow>("127.0.0.1", server_->port(), "admin", "admin");
        QMenu *recent = w_->actions().recent_menu;
        QCOMPARE(recent->actions().first()->text(), file("kept.tcd"));
        recent->actions().first()->trigger();
        QVERIFY(settle(w_.get()));
        QVERIFY(current());
        QCOMPARE(current()->text_bytes(), QByteArray("view t1\n"));
        QCoreApplication::processEvents();   // the menu follows the recent list
        QCOMPARE(recent->actions().first()->text(), file("kept.tcd"));

        seam_->push_file(file("second.tcd"));
        w_->new_file();
        QCOMPARE(sys_config.open_files.size(), size_t(2));
        w_->close();   // saves all, lists stay for the next start
        w_ = std::make_unique<MainWindow>("127.0.0.1", server_->port(), "admin", "admin");
        QCOMPARE(w_->tabs()->count(), 2);
        QCOMPARE(w_->tabs()->tabText(0), QStringLiteral("kept.tcd"));
        QCOMPARE(w_->tabs()->tabText(1), QStringLiteral("second.tcd"));
        QCOMPARE(w_->tabs()->tabBar()->tabTextColor(1), QColor(Qt::darkCyan));
        QCOMPARE(w_->editors().size(), 2);
    }

    void execute_cmd_from_the_database_menu()
    {
        QFile f(file("run.tcd"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("  create t5 v i32  \n\ncreate t6 v i32\n");
        f.close();
        seam_->push_file(file("run.tcd"));
        w_->actions().exec_cmd->trigger();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QVERIFY(find_item(w_->tree(), "t5"));
        QVERIFY(find_item(w_->tree(), "t6"));
        QCOMPARE(w_->tabs()->count(), 0);   // run without opening
    }

    // Run with VORN_SHOTS_DIR set (under Xvfb) to write a picture of the window with a script
    // tab holding two result grids.
    void screenshot_of_a_script_tab()
    {
        const QString path = shots::path(QStringLiteral("main_window_script_tab.png"));
        if (path.isEmpty())
            QSKIP("VORN_SHOTS_DIR not set");
        startup::register_fonts();
        QVERIFY(run_elsewhere(*server_, {"push into t1 f1 f2 values 5 \"abc\" at 2021-01-02 03:04:05",
                                         "push into t1 f1 f2 values -7 \"d e\" at 2021-01-03 00:00:00.5",
                                         "create t2 v double", "push into t2 v values 1.5 at 2021-01-02 03:04:05"}));
        w_->refresh();
        QVERIFY(settle(w_.get()));
        seam_->push_file(file("scriptfile1.tcd"));
        w_->new_file();
        cmd_script_editor *ed = current();
        ed->editor_widget()->set_text(QStringLiteral("view t1\n\nview t2\ncreate t3 v i32\n"));
        w_->showNormal();
        w_->resize(1280, 800);
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        ed->exec_cmd();
        QVERIFY(settle(w_.get()));
        // The two views give a grid each; the creation gives none.
        QCOMPARE(ed->result_tabs()->count(), 2);
        ed->result_tabs()->setCurrentIndex(0);
        // The grids are laid out once control is back in the event loop.
        QTRY_VERIFY(ed->result_tabs()->isVisible() && ed->result_tabs()->height() > 100);
        const QImage shot = w_->grab().toImage();
        QVERIFY(shot.width() >= 1280 && shot.height() >= 800);
        // A painted window, not a blank surface: the grid, tree and texts give many colours.
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                colours.insert(shot.pixel(x, y));
        QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));
        QVERIFY(shot.save(path));
    }
};

QTEST_MAIN(test_cmd_files_window)
#include "test_cmd_files_window.moc"
