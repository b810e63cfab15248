// The data view in a real shown window: the field list unfolds while the mouse is over it and
// folds with its text rebuilt when the mouse leaves, the right button lists the context actions
// by the current cell, and ctrl+f opens the search. With VORN_SHOTS_DIR set the screenshots
// (Dec and Hex modes, the unfolded list, the context menu) are written there.
#include "shown_window.h"
#include "support/mem_time.h"
#include "common/wait_notice.h"
#include "table/data_view.h"
#include "table/fld_wt.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "screen_shot_helper.h"
#include "table_server_helper.h"
#include "when_shown.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTranslator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>
#include <csignal>
#include <sys/types.h>

namespace {

QImage window_shot(QWidget *w)
{
    return screen_of(w, w->frameGeometry());
}

// The visible entries of the menu among the grid's four actions (other parts of the window
// may add entries of their own).
QStringList visible_texts(const QMenu *menu)
{
    static const QStringList ours{QStringLiteral("filter this"), QStringLiteral("append filter"),
                                  QStringLiteral("find text"), QStringLiteral("replace text")};
    QStringList out;
    for (const QAction *a : menu->actions())
        if (a->isVisible() && ours.contains(a->text()))
            out << a->text();
    return out;
}

} // namespace

class test_data_view_shown : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;
    std::unique_ptr<data_view> view;

    // Puts the mouse at the place; true once it is there and the toolkit has heard of it.
    static bool mouse_to(const QPoint &global)
    {
        QCursor::setPos(global);
        const bool there = QTest::qWaitFor([&] { return QCursor::pos() == global; }, 10000);
        // The X server's answer to the round trip comes after the pointer's own events.
        QGuiApplication::sync();
        return there;
    }
    bool park_mouse() { return mouse_to(view->mapToGlobal(QPoint(view->width() - 5, view->height() - 5))); }

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        ox::db::mem::register_meta_types();
        srv = std::make_unique<table_server>(QStringList{QStringLiteral("--demo")});
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        view = std::make_unique<data_view>("all_types", srv->link());
        QVERIFY(srv->settle());
        view->move(20, 20);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        QVERIFY(park_mouse());
    }
    void cleanupTestCase()
    {
        view.reset();
        srv.reset();
    }

    void the_window_in_dec_and_hex()
    {
        QVERIFY(view->findChild<QRadioButton *>(QStringLiteral("dec_rb"))->isChecked());
        save_shot(window_shot(view.get()), QStringLiteral("data_view_dec.png"));
        view->findChild<QRadioButton *>(QStringLiteral("hex_rb"))->setChecked(true);
        QCOMPARE(view->data_model()->data(view->data_model()->index(1, 1)).toString(), QStringLiteral("-0x05"));
        save_shot(window_shot(view.get()), QStringLiteral("data_view_hex.png"));
        view->findChild<QRadioButton *>(QStringLiteral("dec_rb"))->setChecked(true);
    }

    void the_field_list_unfolds_under_the_mouse()
    {
        fld_wt *f = view->findChild<fld_wt *>(QStringLiteral("fd_wt"));
        QLineEdit *le = f->findChild<QLineEdit *>();
        QListWidget *list = f->list();
        QVERIFY(!f->unfolded());
        QCOMPARE(f->size(), QSize(500, 30));

        QCursor::setPos(f->mapToGlobal(QPoint(250, 15)));
        QTRY_VERIFY_WITH_TIMEOUT(f->unfolded(), 3000);
        // In front of everything below it: a column of all fields, 480 wide.
        QCOMPARE(f->width(), 500);
        QVERIFY2(f->height() > 200, qPrintable(QString::number(f->height())));
        QCOMPARE(list->width(), 480);
        QCOMPARE(list->flow(), QListView::TopToBottom);
        QCOMPARE(list->viewMode(), QListView::IconMode);
        QCOMPARE(list->iconSize(), QSize(16, 16));
        const QRect last = list->visualItemRect(list->item(list->count() - 1));
        QVERIFY(list->viewport()->rect().contains(last));
        QCOMPARE(QApplication::widgetAt(f->mapToGlobal(QPoint(100, f->height() - 20))), list->viewport());
        save_shot(window_shot(view.get()), QStringLiteral("data_view_fields_unfolded.png"));

        // Unchecking under the mouse reloads at once; the line edit follows when the list folds.
        list->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(view->view_command().startsWith("view all_types v_u08 "));
        QVERIFY(park_mouse());
        QTRY_VERIFY_WITH_TIMEOUT(!f->unfolded(), 3000);
        QCOMPARE(f->size(), QSize(500, 30));
        QVERIFY(le->text().startsWith(QStringLiteral("v_u08|v_i16|")));
        QCOMPARE(le->cursorPosition(), 0);
        // The line edit lets the mouse through, so only the stacking order tells it is in front.
        QVERIFY(f->children().indexOf(le) > f->children().indexOf(list));
        // Checked again from elsewhere while folded, the field is named at once.
        list->item(0)->setCheckState(Qt::Checked);
        QVERIFY(le->text().startsWith(QStringLiteral("v_i08|v_u08|")));

        // A disabled list stays folded: the mouse's arrival, which unfolds an enabled one, has
        // been handled.
        f->setEnabled(false);
        QVERIFY(mouse_to(f->mapToGlobal(QPoint(250, 15))));
        QTRY_VERIFY_WITH_TIMEOUT(f->underMouse(), 10000);
        QVERIFY(!f->unfolded());
        f->setEnabled(true);
        QVERIFY(park_mouse());
    }

    void the_context_menu_follows_the_current_cell()
    {
        // The rows the field list's reloads asked for are in: the menu depends on them.
        QVERIFY(srv->settle());
        QTableView *dv = view->grid();
        tab_data_model *m = view->data_model();
        // The texts of the menu the right button opens on the cell, with its picture when named.
        auto menu_on = [&](int row, int col, const QString &shot) {
            QStringList seen;
            dv->setCurrentIndex(m->index(row, col));
            const QPoint at = dv->visualRect(m->index(row, col)).center();
            when_shown::next<QMenu>([&](QMenu *menu) {
                seen = visible_texts(menu);
                if (!shot.isEmpty() && QTest::qWaitForWindowExposed(menu))
                    save_shot(window_shot(view.get()), shot);
                menu->close();
            });
            QContextMenuEvent ev(QContextMenuEvent::Mouse, at, dv->viewport()->mapToGlobal(at));
            QApplication::sendEvent(dv->viewport(), &ev);
            return seen;
        };
        QCOMPARE(menu_on(2, 0, QStringLiteral("data_view_context_menu.png")),
                 (QStringList{QStringLiteral("filter this"), QStringLiteral("append filter"), QStringLiteral("find text"),
                              QStringLiteral("replace text")}));
        QCOMPARE(menu_on(2, 3, QString()),
                 (QStringList{QStringLiteral("append filter"), QStringLiteral("find text"), QStringLiteral("replace text")}));
    }

    void ctrl_f_opens_the_search_over_the_grid()
    {
        view->grid()->setFocus();
        QTRY_VERIFY(view->grid()->hasFocus());
        QTest::keyClick(view->grid(), Qt::Key_F, Qt::ControlModifier);
        search_tab_dlg *dlg = view->grid()->findChild<search_tab_dlg *>();
        QVERIFY(dlg);
        QTRY_VERIFY(dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("find text in current table"));
        dlg->close();
    }

    void a_reload_from_a_silent_server_shows_its_wait()
    {
        // The window's own notice tells the wait; the grid takes no edits until the rows come.
        QSignalSpy loaded(view.get(), &data_view::loaded);
        QVERIFY(::kill(pid_t(srv->pid()), SIGSTOP) == 0);
        view->findChild<QSpinBox *>(QStringLiteral("limit_sb"))->setValue(5);
        QVERIFY(view->busy());
        QTRY_VERIFY_WITH_TIMEOUT(view->waits()->isVisible(), 30000);
        QCOMPARE(view->grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        save_shot(window_shot(view.get()), QStringLiteral("data_view_waiting.png"));
        QVERIFY(::kill(pid_t(srv->pid()), SIGCONT) == 0);
        QVERIFY(loaded.wait(30000));
        QVERIFY(srv->settle());
        QVERIFY(!view->waits()->isVisible());
        QCOMPARE(view->data_model()->rowCount(), 5);
        QVERIFY(view->grid()->editTriggers() != QAbstractItemView::NoEditTriggers);
    }

    void translated_window_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("apply");
        QTest::addColumn<QString>("modes");
        QTest::newRow("zh") << "zh" << QString::fromUtf8("应用") << QString::fromUtf8("数字显示模式");
        QTest::newRow("fr") << "fr" << "Appliquer" << QString::fromUtf8("Mode d'affichage des nombres");
        QTest::newRow("jp") << "jp" << QString::fromUtf8("適用") << QString::fromUtf8("数値表示モード");
    }
    void translated_window()
    {
        QFETCH(QString, lang);
        QFETCH(QString, apply);
        QFETCH(QString, modes);
        QTranslator tr;
        QVERIFY(tr.load(QStringLiteral(":/lang/vorn_tsdb_cli_%1.qm").arg(lang)));
        QCoreApplication::installTranslator(&tr);
        data_view w("all_types", srv->link());
        QCoreApplication::removeTranslator(&tr);
        QVERIFY(srv->settle());
        w.move(20, 20);
        w.show();
        w.raise();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("apply_btn"))->text(), apply);
        QCOMPARE(w.findChild<QGroupBox *>(QStringLiteral("groupBox"))->title(), modes);
        // Every text fits its widget.
        for (const char *name : {"label", "label_2", "label_3", "limit_cb", "apply_btn", "cancel_btn", "nor_rb",
                                 "hex_rb", "dec_rb", "bin_rb"}) {
            QWidget *c = w.findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(c && c->width() >= c->sizeHint().width(), name);
        }
        // At most 75 wide, below the style's least button width: the text itself must fit.
        QPushButton *exp = w.findChild<QPushButton *>(QStringLiteral("export_btn"));
        QVERIFY(exp->fontMetrics().horizontalAdvance(exp->text()) + 12 <= exp->width());
        save_shot(window_shot(&w), QStringLiteral("data_view_%1.png").arg(lang));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_data_view_shown)
#include "test_data_view_shown.moc"
