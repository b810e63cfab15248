// The completion list in a real shown, focused window under a window manager: chords and
// Tab inside the list, its place on the screen, input methods, focus when it closes, and
// the look of its rows.
#include "editor_test_helper.h"
#include "shown_editor_helper.h"
#include "shown_window.h"

#include "editor/auto_list.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QScreen>
#include <QtTest>

using shown_editor::key;
using shown_editor::type;

namespace {

auto_list *open_list(editor *ed)
{
    auto_list *l = ed->completion_list();
    return l && l->isVisible() ? l : nullptr;
}

} // namespace

class test_completion_shown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }

    void init()
    {
        editor_test::reset_config();
        sys_config.auto_enable = 1;
        sys_config.least_count = 0;
        sys_config.only_cmd = 0;
        qApp->setStyleSheet(QString());
    }

    // Ctrl on its own must not close the list, so Ctrl+J/K and Ctrl+Down/Up move in it and
    // never reach the editor (where Ctrl+Up/Down swap lines).
    void chords_move_in_the_list()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        const QString text = "push into t1 values(1)\nview t1\n";
        w.ed->set_text(text);
        w.ed->set_cursor_position(w.ed->length());
        type("s");
        auto_list *l = open_list(w.ed);
        QVERIFY(l);
        QCOMPARE(l->candidates(), QStringList({"save", "show"}));
        shown_editor::modifier_press(Qt::Key_Control);
        shown_editor::modifier_press(Qt::Key_Shift);
        shown_editor::modifier_press(Qt::Key_Alt);
        QCOMPARE(open_list(w.ed), l);
        key(Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(l->currentRow(), 1);
        key(Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(l->currentRow(), 0);
        key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(l->currentRow(), 1);
        key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(l->currentRow(), 0);
        QCOMPARE(open_list(w.ed), l);
        QCOMPARE(w.ed->text(), text + "s");
        key(Qt::Key_End);
        key(Qt::Key_Return);
        QCOMPARE(w.ed->text(), text + "show");
        QVERIFY(!open_list(w.ed));
        QVERIFY(w.ed->hasFocus());
    }

    void tab_takes_the_candidate()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        type("dr");
        QVERIFY(open_list(w.ed));
        key(Qt::Key_Tab);
        QCOMPARE(w.ed->text(), QString("drop"));
        QVERIFY(!open_list(w.ed));
        QTRY_VERIFY(w.ed->hasFocus());
        QCOMPARE(w.other->text(), QString());
    }

    // The list is a window of its own: visible near the bottom of the view, kept inside
    // the screen, and above the cursor line when there is no room below.
    void list_is_a_popup_inside_the_screen()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        QString text;
        for (int i = 0; i < 30; ++i)
            text += QString("view t%1\n").arg(i);
        w.ed->set_text(text);
        w.ed->set_cursor_position(w.ed->length());
        type("s");
        auto_list *l = open_list(w.ed);
        QVERIFY(l);
        QVERIFY(l->isWindow());
        QCOMPARE(l->pos(), w.ed->mapToGlobal(w.ed->cursor_point() + QPoint(10, 30)));
        QCOMPARE(QApplication::widgetAt(l->mapToGlobal(QPoint(5, 5))), l->viewport());
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        QVERIFY(w.ed->text().endsWith("show"));

        // A window at the bottom right corner of the screen.
        const QRect screen = w.top.screen()->availableGeometry();
        shown_editor::window low(QSize(300, 200), screen.bottomRight() - QPoint(320, 230));
        QVERIFY(low.ready());
        low.ed->set_text("view t1\n\n\n\n\n\n");
        low.ed->set_cursor_position(low.ed->length());
        QTRY_VERIFY(low.top.frameGeometry().bottom() > screen.bottom() - 80);
        type("e");
        l = open_list(low.ed);
        QVERIFY(l);
        QVERIFY2(screen.contains(l->frameGeometry()), "the list leaves the screen");
        QVERIFY(l->frameGeometry().bottom() <= low.ed->mapToGlobal(low.ed->cursor_point()).y());
    }

    // What an input method commits while the list is open goes into the script.
    void input_method_text_reaches_the_editor()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        type("s");
        QVERIFY(open_list(w.ed));
        QCOMPARE(QGuiApplication::focusObject(), w.ed);   // the list never takes the focus
        QInputMethodEvent compose(QString::fromUtf8("biao"), {});
        QApplication::sendEvent(QGuiApplication::focusObject(), &compose);
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("表"));
        QApplication::sendEvent(QGuiApplication::focusObject(), &commit);
        QCOMPARE(w.ed->text(), QString::fromUtf8("s表"));
        QVERIFY(!open_list(w.ed));
        QTRY_VERIFY(w.ed->hasFocus());
    }

    // A click on another widget closes the list and that widget keeps the focus.
    void clicking_elsewhere_keeps_that_focus()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        type("s");
        QVERIFY(open_list(w.ed));
        shown_editor::click(w.other, QPoint(20, w.other->height() / 2));
        QTRY_VERIFY(!open_list(w.ed));
        QTRY_VERIFY(w.other->hasFocus());
        // Whatever the click set going has run (posted events, the X server's answers): the
        // focus stays where the click put it.
        QGuiApplication::sync();
        QVERIFY(w.other->hasFocus());
        type("abc");
        QCOMPARE(w.other->text(), QString("abc"));
        QCOMPARE(w.ed->text(), QString("s"));
    }

    void return_after_the_whole_word_starts_a_line()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        type("dro");
        QVERIFY(open_list(w.ed));
        type("p");
        QVERIFY(!open_list(w.ed));
        key(Qt::Key_Return);
        type("x");
        QCOMPARE(w.ed->text(), QString("drop\nx"));
        // Typing on after the whole word opens nothing.
        w.ed->set_text("");
        type("drops");
        QVERIFY(!open_list(w.ed));
        QCOMPARE(w.ed->text(), QString("drops"));
    }

    // The application's style sheet frames list views; this list has no frame and its rows
    // keep every pixel.
    void list_has_no_frame()
    {
        qApp->setStyleSheet("QListView { border: 3px solid rgb(255, 0, 0); background: white; }");
        shown_editor::window w;
        QVERIFY(w.ready());
        type("e");
        auto_list *l = open_list(w.ed);
        QVERIFY(l);
        QCOMPARE(l->candidates().size(), 2);
        QCOMPARE(l->size(), auto_list::size_for(l->candidates()));
        QCOMPARE(l->viewport()->geometry(), l->rect());
        QCOMPARE(l->visualItemRect(l->item(1)).bottom(), l->height() - 1);
        const QImage img = shown_editor::grab_screen(l, l->rect());
        QVERIFY(!editor_test::has_colour(img, img.rect(), QColor(255, 0, 0), 60));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_completion_shown)
#include "test_completion_shown.moc"
