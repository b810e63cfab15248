// The main window in a real shown window (Xvfb and openbox), where focus, key chords, the mouse
// and popups decide: Ctrl+F and Ctrl+H search the result grid that has the focus, not the script;
// after a table dropped from the tree's context menu the next right-click at the same place
// acts on the table now there, and a table gone loses the selection; the status bar names the
// connection and the log pane's menu filters. With VORN_SHOTS_DIR set, the screenshots of the
// tree before and after the refresh, the status bar and the log menu (English and Chinese) are
// written there.
#include "main_window_fixture.h"
#include "shots_dir.h"
#include "when_shown.h"
#include "shown_window.h"

#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "editor/search_dlg.h"
#include "shell/log_pane_menu.h"
#include "shell/startup.h"
#include "shell/status_indicators.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTranslator>
#include <functional>

using namespace mw_test;

class test_main_window_shown : public window_test {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QTranslator qt_tr_, app_tr_;
    bool translated_ = false;

    // The program's own look: its style sheet, and the catalogues of the language (0 Chinese,
    // 1 English) installed before the window is made.
    void use_language(int lang)
    {
        startup::install_style_sheet(*qApp);
        if (lang == 1)
            return;
        startup::load_language(lang, qt_tr_, app_tr_);
        qApp->installTranslator(&qt_tr_);
        qApp->installTranslator(&app_tr_);
        translated_ = true;
    }
    void shot(QWidget *area, const QString &name)
    {
        const QString path = shots::path(name);
        if (path.isEmpty())
            return;
        // Paints what is pending, then waits until the X server has drawn it.
        QGuiApplication::sync();
        const QRect r(area->mapToGlobal(QPoint(0, 0)), area->size());
        // From the X screen, so an open popup is on the picture too.
        area->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(path);
    }
    // Once the popup menu is open (in the menu's own event loop), act on it.
    static void when_popup(std::function<void(QMenu *)> act) { when_shown::next<QMenu>(std::move(act)); }
    // A right-click as the window system delivers it: press, context menu, release.
    void right_click(QWidget *w, const QPoint &at)
    {
        QWindow *win = w->window()->windowHandle();
        const QPoint in_window = w->mapTo(w->window(), at);
        QTest::mouseClick(win, Qt::RightButton, Qt::NoModifier, in_window);
    }
    bool window_up()
    {
        return w_ && QTest::qWaitForWindowActive(w_.get());
    }

private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        if (w_)
            settle(w_.get());
        close();
        if (translated_) {
            qApp->removeTranslator(&app_tr_);
            qApp->removeTranslator(&qt_tr_);
            translated_ = false;
        }
        qApp->setStyleSheet(QString());
        dir_.reset();
    }

    void find_and_replace_follow_the_focus()
    {
        const QString why = open({"create t1 v i32 s string", "push into t1 v s values 5 \"zeta\" at 2024-01-01 00:00:00"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(window_up());
        seam_->push_file(dir_->filePath(QStringLiteral("s.tcd")));
        w_->new_file();
        auto *ed = static_cast<cmd_script_editor *>(w_->editors().value(dir_->filePath(QStringLiteral("s.tcd")).toUtf8()));
        QVERIFY(ed);
        QWidget *script = ed->editor_widget();
        QTRY_COMPARE(QApplication::focusWidget(), script);
        QTest::keyClicks(script, QStringLiteral("view t1"));
        QTest::keyClick(script, Qt::Key_F7);
        QVERIFY(settle(w_.get()));
        QTableView *grid = ed->result_view(0);
        QVERIFY(grid);
        auto *model = ed->result_model(0);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualRect(model->index(0, 1)).center());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(grid));
        const std::size_t boxes = seam_->shown.size();

        // Ctrl+F in the grid: the grid's own search, which finds the value on screen.
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        auto *found = grid->findChild<search_tab_dlg *>();
        QVERIFY(found);
        QTRY_VERIFY(found->isVisible());
        QVERIFY(!script->findChild<search_dlg *>());
        found->target_le->setText(QStringLiteral("zeta"));
        found->next();
        QCOMPARE(grid->currentIndex(), model->index(0, 2));
        QCOMPARE(seam_->shown.size(), boxes);   // no "not found"
        found->reject();

        // Ctrl+H in the grid: the same find-only dialog; the script stays as it is.
        grid->activateWindow();
        grid->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(grid));
        QTest::keyClick(grid, Qt::Key_H, Qt::ControlModifier);
        QTRY_VERIFY(found->isVisible());
        QVERIFY(found->rep_le->isHidden());
        QVERIFY(!script->findChild<search_dlg *>());
        QCOMPARE(ed->text_bytes(), QByteArray("view t1"));
        found->reject();

        // With the script focused, Ctrl+F searches the script.
        QTest::mouseClick(script, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), script);
        QTest::keyClick(script, Qt::Key_F, Qt::ControlModifier);
        auto *in_script = script->findChild<search_dlg *>();
        QVERIFY(in_script);
        QTRY_VERIFY(in_script->isVisible());
        QVERIFY(!found->isVisible());
        in_script->reject();
    }

    void right_click_after_a_drop_data()
    {
        QTest::addColumn<int>("lang");
        QTest::newRow("English") << 1;
        QTest::newRow("Chinese") << 0;
    }
    void right_click_after_a_drop()
    {
        QFETCH(int, lang);
        use_language(lang);
        QList<QByteArray> tables;
        for (int i = 1; i <= 24; ++i)
            tables << "create t" + QByteArray::number(i).rightJustified(2, '0') + " v i32 s string";
        const QString why = open(tables);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(window_up());
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).toLower();
        const main_actions &a = w_->actions();
        QTreeWidget *tree = w_->tree();
        tree->scrollToItem(find_item(tree, QStringLiteral("t12")), QAbstractItemView::PositionAtTop);
        const int scroll = tree->verticalScrollBar()->value();
        QVERIFY(scroll > 0);
        const QPoint at = tree->visualItemRect(find_item(tree, QStringLiteral("t14"))).center();

        // Right-click t14, "drop(&d)" by its mnemonic, Yes.
        seam_->push_button(QMessageBox::Yes);
        QStringList menu;
        when_popup([&](QMenu *m) {
            menu = texts_of(m->actions());
            QVERIFY(QTest::qWaitForWindowExposed(m));
            shot(w_.get(), QStringLiteral("tree_before_refresh_%1.png").arg(tag));
            QTest::keyClick(m, Qt::Key_D);
        });
        right_click(tree->viewport(), at);
        QVERIFY(settle(w_.get()));
        QVERIFY2(menu.contains(a.drop_table->text()) && menu.contains(a.new_field->text()), qPrintable(menu.join(',')));
        QVERIFY2(seam_->shown.at(0).text.contains(QStringLiteral("'t14'")), qPrintable(seam_->shown.at(0).text));
        QVERIFY(!find_item(tree, QStringLiteral("t14")));
        // The dropped table's selection went to the database, not to a neighbour; the view stayed.
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QCOMPARE(tree->verticalScrollBar()->value(), scroll);
        QCOMPARE(tree->itemAt(at)->text(0), QStringLiteral("t15"));
        shot(w_.get(), QStringLiteral("tree_after_refresh_%1.png").arg(tag));

        // The next right-click at the same place acts on t15, the table under the mouse now.
        seam_->push_button(QMessageBox::No);
        when_popup([](QMenu *m) { QTest::keyClick(m, Qt::Key_T); });
        right_click(tree->viewport(), at);
        QVERIFY(settle(w_.get()));
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("t15"));
        QVERIFY2(seam_->last_text().contains(QStringLiteral("'t15'")), qPrintable(seam_->last_text()));

        // Dropped by another client: at the refresh it loses the selection and its actions.
        QVERIFY(run_elsewhere(*server_, {"drop t15"}));
        QTest::keyClick(w_.get(), Qt::Key_F5);
        QVERIFY(settle(w_.get()));
        QVERIFY(!tree->currentItem());
        QVERIFY(!a.drop_table->isEnabled());
        QCOMPARE(tree->itemAt(at)->text(0), QStringLiteral("t16"));
    }

    void status_bar_and_log_menu_data()
    {
        QTest::addColumn<int>("lang");
        QTest::newRow("English") << 1;
        QTest::newRow("Chinese") << 0;
    }
    void status_bar_and_log_menu()
    {
        QFETCH(int, lang);
        use_language(lang);
        const QString why = open({"create t1 v i32"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(window_up());
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).toLower();
        QPushButton *conn = w_->indicators()->connection_button();
        QVERIFY(conn->isVisible());
        QCOMPARE(conn->text(), QStringLiteral("admin@127.0.0.1:%1").arg(server_->port()));
        QVERIFY(conn->width() >= conn->fontMetrics().horizontalAdvance(conn->text()));
        shot(w_->statusBar(), QStringLiteral("status_bar_%1.png").arg(tag));

        // A command of the user's, then a refresh; the menu's filter leaves the refresh out.
        w_->link()->post(nullptr, [](db_exec &db) { del_datas(db.run("view t1")); });
        w_->refresh();
        QVERIFY(settle(w_.get()));
        QTextEdit *pane = w_->log_pane();
        QTRY_VERIFY(pane->toPlainText().contains(QStringLiteral("show tables")));
        log_pane_menu *lm = w_->log_menu();
        right_click(pane->viewport(), QPoint(40, 20));
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu->actions().contains(lm->clear_action()) && menu->actions().contains(lm->filter_action()));
        shot(w_.get(), QStringLiteral("log_menu_%1.png").arg(tag));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(lm->filter_action()).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(lm->filter_action()->isChecked());
        QVERIFY(pane->toPlainText().contains(QStringLiteral("view t1")));
        QVERIFY(!pane->toPlainText().contains(QStringLiteral("show tables")));
        shot(w_.get(), QStringLiteral("log_filtered_%1.png").arg(tag));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_main_window_shown)
#include "test_main_window_shown.moc"
