// The editor's search dialog in a real shown window under a window manager: Ctrl+F and Ctrl+H
// put the focus into the target, Return runs Next, the dialog stays open above the editor while
// the user types there. With VORN_SHOTS_DIR set the dialog's screenshots are written there.
#include "common/modal_seam.h"
#include "editor/search_dlg.h"
#include "editor_test_helper.h"
#include "shots_dir.h"
#include "shown_editor_helper.h"
#include "shown_window.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

using shown_editor::key;
using shown_editor::type;

namespace {

// The dialog with its frame as the screen shows it.
void save_shot(QWidget *w, const QString &name)
{
    const QString path = shots::path(name);
    if (path.isEmpty())
        return;
    // Paints what is pending, then waits until the X server has drawn it.
    QGuiApplication::sync();
    const QRect r = w->frameGeometry().adjusted(-4, -4, 4, 4);
    w->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(path);
}

} // namespace

class test_search_shown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        editor_test::reset_config();
        sys_config.auto_enable = 0;
    }

    void shortcuts_focus_the_target_and_the_dialog_stays_open()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        w.ed->set_text("view t1\nview t2 btw 1 2\n");
        key(Qt::Key_F, Qt::ControlModifier);
        auto *dlg = qobject_cast<search_dlg *>(w.ed->search_dialog());
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(QTest::qWaitFor([&] { return dlg->target_le->hasFocus(); }, 2000));
        QCOMPARE(dlg->windowTitle(), QString("find text in current windows"));
        // Above its editor's window, not behind it.
        QVERIFY(dlg->isWindow() && dlg->parentWidget() == w.ed);
        type("t2");
        QCOMPARE(dlg->target(), QString("t2"));
        key(Qt::Key_Return);   // Next is the default button
        QCOMPARE(w.ed->selections(), (std::vector<text_range>{{13, 15}}));
        save_shot(dlg, "search_dlg_find.png");

        // Back in the editor: typing goes there, the dialog stays open.
        w.top.activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == w.top.windowHandle(); }, 2000));
        QVERIFY(QTest::qWaitFor([&] { return w.ed->hasFocus(); }, 2000));
        w.ed->clear_selection();
        w.ed->set_cursor_position(0);
        type("x");
        QVERIFY2(w.ed->text().startsWith("xview"), qPrintable(w.ed->text()));
        QVERIFY(dlg->isVisible());

        // Ctrl+H brings it back in front in replace mode, the old target selected for typing over.
        key(Qt::Key_H, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(QTest::qWaitFor([&] { return dlg->target_le->hasFocus(); }, 2000));
        QCOMPARE(dlg->windowTitle(), QString("replace text in current windows"));
        QCOMPARE(dlg->target_le->selectedText(), QString("t2"));
        type("view");
        key(Qt::Key_Tab);
        QVERIFY(QTest::qWaitFor([&] { return dlg->rep_le->hasFocus(); }, 2000));
        type("show");
        modal_seam::script s;
        dlg->replace_all();
        QCOMPARE(w.ed->text(), QString("xshow t1\nshow t2 btw 1 2\n"));
        QCOMPARE(s.last_text(), QString("the string 'view' 2 times replaced."));
        save_shot(dlg, "search_dlg_replace.png");

        // Escape closes it; the editor keeps its text.
        key(Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !dlg->isVisible(); }, 2000));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_search_shown)
#include "test_search_shown.moc"
