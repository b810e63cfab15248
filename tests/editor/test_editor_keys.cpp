// Keys, mouse and input method of the editor, with the signals they send and the undo
// history they leave.
#include "editor_test_helper.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace editor_test;

class test_editor_keys : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reset_config();
        sys_config.auto_enable = 0;   // the completion list has its own tests
    }

    void typing_return_and_deletion_signal_text_changes()
    {
        editor ed;
        take_config(ed);
        QSignalSpy text(&ed, &editor::textChanged), line(&ed, &editor::lineChanged);
        type(&ed, "ab");
        key(&ed, Qt::Key_Return);
        type(&ed, "c");
        QCOMPARE(ed.text(), QString("ab\nc"));
        QCOMPARE(text.count(), 4);
        QCOMPARE(line.count(), 0);
        key(&ed, Qt::Key_Left);
        QCOMPARE(line.count(), 1);
        key(&ed, Qt::Key_Backspace);   // the "\n"
        QCOMPARE(ed.text(), QString("abc"));
        key(&ed, Qt::Key_Home);
        key(&ed, Qt::Key_Delete);
        QCOMPARE(ed.text(), QString("bc"));
        QCOMPARE(text.count(), 6);
        QVERIFY(ed.modified());
        // Keys with Ctrl type nothing.
        key(&ed, Qt::Key_B, Qt::ControlModifier, QString(QChar(2)));
        QCOMPARE(ed.text(), QString("bc"));
    }

    void movement_and_shift_selection()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1\nshow tables");
        key(&ed, Qt::Key_End);
        QCOMPARE(ed.cursor_position(), qint64(7));
        key(&ed, Qt::Key_Down);
        QCOMPARE(ed.cursor_position(), qint64(15));   // same column in the next line
        key(&ed, Qt::Key_Shift, Qt::ShiftModifier);
        key(&ed, Qt::Key_Left, Qt::ShiftModifier);
        key(&ed, Qt::Key_Left, Qt::ShiftModifier);
        key(&ed, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(ed.selections().size(), size_t(1));
        QCOMPARE(ed.selections()[0], (text_range{5, 15}));
        QCOMPARE(ed.selected_text(), QString("t1\nshow ta"));
        key(&ed, Qt::Key_Right);
        QVERIFY(ed.selections().empty());
        // Typing replaces a selection.
        key(&ed, Qt::Key_Home, Qt::ShiftModifier);
        type(&ed, "X");
        QCOMPARE(ed.text(), QString("X1\nshow tables"));
        key(&ed, Qt::Key_Escape);
        key(&ed, Qt::Key_PageDown);
        QCOMPARE(ed.current_line(), qint64(1));
    }

    void clipboard_keys()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1");
        ed.add_selection(5, 7);
        key(&ed, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("t1"));
        key(&ed, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(ed.text(), QString("view "));
        key(&ed, Qt::Key_V, Qt::ControlModifier);
        key(&ed, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(ed.text(), QString("view t1t1"));
        // Ctrl+A after a partial selection still covers every byte once.
        ed.add_selection(0, 2);
        key(&ed, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(ed.selections().size(), size_t(1));
        type(&ed, "z");
        QCOMPARE(ed.text(), QString("z"));
    }

    void font_size_keys_stop_below_six_points()
    {
        editor ed;
        take_config(ed);
        QSignalSpy line(&ed, &editor::lineChanged), sizes(&ed, &editor::font_size_changed);
        text_style *s = sys_config.active_styles();
        for (int e = 0; e < style_class_count; ++e)
            s[e].point_size = 6;
        take_config(ed);
        const token_style *entries = ed.style().entries;
        key(&ed, Qt::Key_Minus, Qt::ControlModifier, "-");
        for (int e = 0; e < style_class_count; ++e)
            QCOMPARE(entries[e].point_size, 5);
        key(&ed, Qt::Key_Minus, Qt::ControlModifier, "-");
        QCOMPARE(entries[0].point_size, 5);
        QCOMPARE(entries[9].point_size, 5);
        for (int i = 0; i < 30; ++i)
            key(&ed, Qt::Key_Equal, Qt::ControlModifier, "=");
        QCOMPARE(entries[0].point_size, 35);
        QCOMPARE(entries[7].point_size, 35);
        QCOMPARE(line.count(), 32);
        QCOMPARE(sizes.count(), 31);   // the refused step changed nothing
        QCOMPARE(ed.line_height(), int(35 * 1.6f));
        // Keeping the sizes is the owner's business (the script window's tests).
        QCOMPARE(s[0].point_size, 6);
    }

    void tab_inserts_blanks_or_a_tab_byte()
    {
        QWidget host;
        editor ed(&host);
        take_config(ed);
        QSignalSpy line(&ed, &editor::lineChanged);
        sys_config.as_space = 1;
        sys_config.tab_width = 8;
        take_config(ed);
        key(&ed, Qt::Key_Tab);
        QCOMPARE(ed.text(), QString(8, QLatin1Char(' ')));
        QCOMPARE(line.count(), 1);
        sys_config.as_space = 0;
        take_config(ed);
        key(&ed, Qt::Key_Tab);
        QCOMPARE(ed.text(), QString(8, QLatin1Char(' ')) + QLatin1Char('\t'));
        // A damaged configuration value does not run away.
        sys_config.as_space = 1;
        sys_config.tab_width = -3;
        take_config(ed);
        key(&ed, Qt::Key_Tab);
        QCOMPARE(ed.length(), qint64(10));
    }

    void undo_merges_typing_without_pauses()
    {
        editor ed;
        take_config(ed);
        fake_clock clock;
        clock.attach(ed);
        sys_config.edit_time = 1.0f;
        take_config(ed);
        for (const char *c : {"a", "b", "c"}) {
            type(&ed, c);
            clock.now += 300;
        }
        clock.now += 2000;
        type(&ed, "d");
        clock.now += 2000;
        type(&ed, "e");
        ed.undo();
        QCOMPARE(ed.text(), QString("abcd"));
        ed.undo();
        QCOMPARE(ed.text(), QString("abc"));
        ed.undo();
        QCOMPARE(ed.text(), QString(""));
        QVERIFY(!ed.modified());
        ed.redo();
        QCOMPARE(ed.text(), QString("abc"));
        ed.redo();
        ed.redo();
        QCOMPARE(ed.text(), QString("abcde"));
        ed.redo();   // nothing left
        QCOMPARE(ed.text(), QString("abcde"));
    }

    void typing_after_undo_is_its_own_step()
    {
        editor ed;
        take_config(ed);
        fake_clock clock;
        clock.attach(ed);
        type(&ed, "abc");
        clock.now += 5000;
        type(&ed, "d");
        ed.undo();
        type(&ed, "x");   // within the pause of the earlier typing
        QCOMPARE(ed.history().entries().back().group, qint64(1));
        ed.undo();
        QCOMPARE(ed.text(), QString("abc"));
        ed.redo();
        QCOMPARE(ed.text(), QString("abcx"));
    }

    void replacing_a_selection_undoes_in_one_step()
    {
        editor ed;
        take_config(ed);
        fake_clock clock;
        clock.attach(ed);
        ed.set_text("view t1 f1 btw 1 2");
        clock.now += 10000;
        ed.add_selection(5, 7);
        ed.add_selection(8, 10);
        type(&ed, "X");
        QCOMPARE(ed.text(), QString("view X X btw 1 2"));
        const auto &h = ed.history().entries();
        QCOMPARE(h.size(), size_t(4));
        // Last range first, each as a deletion followed by an insertion.
        QCOMPARE(h[0].kind, int(history_entry::deleted));
        QCOMPARE(h[0].pos, qint64(8));
        QCOMPARE(h[0].bytes, std::string("f1"));
        QCOMPARE(h[1].kind, int(history_entry::inserted));
        QCOMPARE(h[2].pos, qint64(5));
        QCOMPARE(h[2].bytes, std::string("t1"));
        QVERIFY(h[0].pause);
        QVERIFY(!h[3].pause);
        QCOMPARE(ed.cursor_position(), qint64(6));
        ed.undo();
        QCOMPARE(ed.text(), QString("view t1 f1 btw 1 2"));
        QCOMPARE(ed.cursor_position(), qint64(8));   // where the last reverted entry was
    }

    void ctrl_up_and_down_swap_lines()
    {
        editor ed;
        take_config(ed);
        ed.set_text("one\ntwo\nthree");
        ed.set_cursor_position(5);   // "t|wo" -> "tw|o"
        key(&ed, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(ed.text(), QString("two\none\nthree"));
        QCOMPARE(ed.cursor_position(), qint64(1));
        key(&ed, Qt::Key_Down, Qt::ControlModifier);
        key(&ed, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(ed.text(), QString("one\nthree\ntwo"));
        key(&ed, Qt::Key_Down, Qt::ControlModifier);   // already last
        QCOMPARE(ed.text(), QString("one\nthree\ntwo"));
        ed.undo();
        QCOMPARE(ed.text(), QString("one\ntwo\nthree"));
    }

    void multibyte_characters_take_two_cells()
    {
        editor ed;
        take_config(ed);
        ed.set_text(QString::fromUtf8("a\xe4\xb8\xad\xe6\x96\x87z"));
        key(&ed, Qt::Key_End);
        QCOMPARE(ed.cursor_position(), qint64(8));
        QCOMPARE(ed.cursor_point().x(), 6 * ed.cell_width());
        key(&ed, Qt::Key_Left);
        key(&ed, Qt::Key_Left);
        QCOMPARE(ed.cursor_position(), qint64(4));
        QCOMPARE(ed.cursor_point().x(), 3 * ed.cell_width());
        key(&ed, Qt::Key_Backspace);
        QCOMPARE(ed.text(), QString::fromUtf8("a\xe6\x96\x87z"));
        // A click in the right half of a wide character lands after it.
        QCOMPARE(ed.position_at(QPoint(ed.cell_width() * 2 + 2, 2)), qint64(4));
        QCOMPARE(ed.position_at(QPoint(ed.cell_width() * 1 + 2, 2)), qint64(1));
    }

    void cell_metrics_follow_the_factors()
    {
        editor ed;
        take_config(ed);
        sys_config.h_factor = 1.3f;
        sys_config.v_factor = 2.0f;
        sys_config.active_styles()[0].point_size = 11;
        take_config(ed);
        QCOMPARE(ed.cell_width(), 14);
        QCOMPARE(ed.line_height(), 22);
        ed.set_text("ab\nabcdef\n");
        QCOMPARE(ed.size(), QSize(14 * 6 + 100, 22 * 4 + 100));
    }

    void mouse_places_drags_and_selects_words()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view tab_1 f1\npush");
        const int cw = ed.cell_width(), lh = ed.line_height();
        QTest::mouseClick(&ed, Qt::LeftButton, Qt::NoModifier, QPoint(cw * 6 + 1, lh / 2));
        QCOMPARE(ed.cursor_position(), qint64(6));
        QTest::mouseClick(&ed, Qt::LeftButton, Qt::ShiftModifier, QPoint(cw * 2 + 1, lh + 2));
        QCOMPARE(ed.selections()[0], (text_range{6, 16}));
        QTest::mousePress(&ed, Qt::LeftButton, Qt::NoModifier, QPoint(1, 2));
        QMouseEvent move(QEvent::MouseMove, QPoint(cw * 4 + 1, 2), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&ed, &move);
        QTest::mouseRelease(&ed, Qt::LeftButton, Qt::NoModifier, QPoint(cw * 4 + 1, 2));
        QCOMPARE(ed.selected_text(), QString("view"));
        QTest::mouseDClick(&ed, Qt::LeftButton, Qt::NoModifier, QPoint(cw * 7 + 1, 2));
        QCOMPARE(ed.selected_text(), QString("tab_1"));
    }

    void input_method_commits_chinese()
    {
        editor ed;
        take_config(ed);
        QSignalSpy text(&ed, &editor::textChanged);
        QInputMethodEvent pre(QString::fromUtf8("zhong"), {});
        QApplication::sendEvent(&ed, &pre);
        QCOMPARE(ed.length(), qint64(0));
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"));
        QApplication::sendEvent(&ed, &commit);
        QCOMPARE(ed.text(), QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87"));
        QCOMPARE(ed.cursor_position(), qint64(6));
        QCOMPARE(ed.cursor_point().x(), 4 * ed.cell_width());
        QCOMPARE(text.count(), 1);
        QCOMPARE(ed.inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    }
};

QTEST_MAIN(test_editor_keys)
#include "test_editor_keys.moc"
