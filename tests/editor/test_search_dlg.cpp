// The editor's search and replace dialog: Next and Previous with the wrap-around question,
// Find All into selected ranges, Replace, Replace All as one undo step, Only Selection, the
// shortcuts that open it, and the boxes it shows.
#include "common/modal_seam.h"
#include "editor/search_dlg.h"
#include "editor_test_helper.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace editor_test;

namespace {

search_dlg *dialog_of(editor &ed)
{
    ed.find();
    return qobject_cast<search_dlg *>(ed.search_dialog());
}

std::vector<text_range> ranges(std::initializer_list<text_range> r) { return r; }

QStringList titles(const modal_seam::script &s)
{
    QStringList out;
    for (const modal_seam::request &r : s.shown)
        out << r.title;
    return out;
}

} // namespace

class test_search_dlg : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reset_config();
        sys_config.auto_enable = 0;
    }

    void shortcuts_open_one_dialog_in_find_or_replace_mode()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1");
        key(&ed, Qt::Key_F, Qt::ControlModifier);
        auto *dlg = qobject_cast<search_dlg *>(ed.search_dialog());
        QVERIFY(dlg);
        QVERIFY(dlg->isVisible());
        QVERIFY(!dlg->isModal());
        QCOMPARE(dlg->windowTitle(), QString("find text in current windows"));
        QVERIFY(dlg->rep_le->isHidden());
        QVERIFY(dlg->rep_all_pb->isHidden());
        // Nothing to search for: the buttons wait for a target.
        QVERIFY(!dlg->next_pb->isEnabled());
        dlg->target_le->setText("t1");
        QVERIFY(dlg->next_pb->isEnabled() && dlg->fall_pb->isEnabled());

        key(&ed, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(ed.search_dialog(), static_cast<QWidget *>(dlg));
        QCOMPARE(dlg->windowTitle(), QString("replace text in current windows"));
        QVERIFY(!dlg->rep_le->isHidden());
        QVERIFY(dlg->rep_all_pb->isEnabled());
        QCOMPARE(dlg->parent(), static_cast<QObject *>(&ed));
        for (const char *name : {"target_le", "next_pb", "prev_pb", "fall_pb", "mw_cb", "cs_cb", "os_cb", "mode_gb",
                                 "normal_rb", "reg_rb", "sup_rb", "rep_lbl", "rep_le", "rep_pb", "rep_all_pb"})
            QVERIFY2(dlg->findChild<QWidget *>(name), name);
        QCOMPARE(dlg->sup_rb->text(), QString("Support(\\n,\\r,\\x)"));
        QCOMPARE(dlg->cs_cb->text(), QString("Case-sentive"));
    }

    void next_and_previous_wrap_on_both_sides()
    {
        editor ed;
        take_config(ed);
        ed.set_text("ab x ab y");
        search_dlg *dlg = dialog_of(ed);
        dlg->target_le->setText("ab");
        modal_seam::script s;

        // The cursor at 0: Next skips the character under it and finds the second "ab".
        dlg->next();
        QCOMPARE(ed.selections(), ranges({{5, 7}}));
        QCOMPARE(ed.cursor_position(), qint64(5));
        QVERIFY(s.shown.empty());

        // At the end: the question; No leaves everything as it is.
        s.push_button(QMessageBox::No);
        dlg->next();
        QCOMPARE(titles(s), QStringList{"next search result"});
        QCOMPARE(s.last_text(), QString("the string 'ab' not found. continue from begin?"));
        QCOMPARE(ed.selections(), ranges({{5, 7}}));
        QVERIFY(!dlg->wrapped());

        // Yes: found again from the very beginning, the match at offset 0 included.
        s.push_button(QMessageBox::Yes);
        dlg->next();
        QCOMPARE(ed.selections(), ranges({{0, 2}}));
        QVERIFY(dlg->wrapped());

        // Previous from the first match: the question about the end; Yes finds the last one.
        s.shown.clear();
        dlg->target_changed(dlg->target());
        s.push_button(QMessageBox::Yes);
        dlg->prev();
        QCOMPARE(titles(s), QStringList{"previous search result"});
        QCOMPARE(s.last_text(), QString("the string 'ab' not found. continue from end?"));
        QCOMPARE(ed.selections(), ranges({{5, 7}}));
        dlg->prev();
        QCOMPARE(ed.selections(), ranges({{0, 2}}));
        s.push_button(QMessageBox::No);
        dlg->target_changed(dlg->target());
        dlg->prev();
        QCOMPARE(ed.selections(), ranges({{0, 2}}));
        QCOMPARE(s.shown.size(), std::size_t(2));
    }

    void a_missing_target_is_reported_once_after_wrapping()
    {
        editor ed;
        take_config(ed);
        ed.set_text("nothing here");
        search_dlg *dlg = dialog_of(ed);
        dlg->target_le->setText("zz");
        modal_seam::script s;
        s.push_button(QMessageBox::Yes);
        dlg->next();
        QCOMPARE(titles(s), (QStringList{"next search result", "next research result"}));
        QCOMPARE(s.last_text(), QString("the string 'zz' not found."));
        QVERIFY(!dlg->wrapped());
        s.shown.clear();
        s.push_button(QMessageBox::Yes);
        dlg->prev();
        QCOMPARE(titles(s), (QStringList{"previous search result", "previous research result"}));
        // An empty target does nothing at all.
        s.shown.clear();
        dlg->target_le->clear();
        dlg->next();
        dlg->search_all();
        QVERIFY(s.shown.empty());
    }

    void find_all_selects_every_match_and_counts()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1\nview t2 view\nshow");
        search_dlg *dlg = dialog_of(ed);
        dlg->target_le->setText("VIEW");
        modal_seam::script s;
        dlg->search_all();
        QCOMPARE(s.last_title(), QString("search result"));
        QCOMPARE(s.last_text(), QString("the string 'VIEW' found 3 times."));
        QCOMPARE(ed.selections(), ranges({{0, 4}, {8, 12}, {16, 20}}));
        dlg->cs_cb->setChecked(true);
        dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string 'VIEW' not found."));
        QVERIFY(ed.selections().empty());
    }

    void invalid_regular_expression_is_told_and_searches_nothing()
    {
        editor ed;
        take_config(ed);
        ed.set_text("a(b");
        search_dlg *dlg = dialog_of(ed);
        dlg->reg_rb->setChecked(true);
        dlg->target_le->setText("a(b");
        modal_seam::script s;
        dlg->search_all();
        QCOMPARE(s.shown.size(), std::size_t(1));
        QCOMPARE(s.shown[0].what, modal_seam::kind::warning);
        QVERIFY(s.last_text().startsWith("the regular expression 'a(b' is not valid: "));
        QVERIFY(ed.selections().empty());
        dlg->next();
        QCOMPARE(s.shown.size(), std::size_t(2));
        QCOMPARE(s.shown[1].what, modal_seam::kind::warning);
    }

    void support_mode_and_regular_expressions_across_lines()
    {
        editor ed;
        take_config(ed);
        ed.set_text("ab\ncd\nA");
        search_dlg *dlg = dialog_of(ed);
        modal_seam::script s;
        dlg->sup_rb->setChecked(true);
        dlg->target_le->setText("b\\nc");
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{1, 4}}));
        dlg->target_le->setText("\\x41");
        dlg->cs_cb->setChecked(true);
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{6, 7}}));
        // "^" matches the empty string at each line start: counted once each, nothing left to
        // select, and Replace All puts the text in front of every line.
        dlg->reg_rb->setChecked(true);
        dlg->target_le->setText("^");
        dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string '^' found 3 times."));
        QVERIFY(ed.selections().empty());
        dlg->rep_le->setText("# ");
        dlg->replace_all();
        QCOMPARE(ed.text(), QString("# ab\n# cd\n# A"));
        QCOMPARE(s.last_text(), QString("the string '^' 3 times replaced."));
    }

    void replace_takes_the_current_match_and_moves_on()
    {
        editor ed;
        take_config(ed);
        ed.set_text("one two one two one");
        search_dlg *dlg = dialog_of(ed);
        ed.replace();
        dlg->target_le->setText("one");
        dlg->rep_le->setText("1");
        modal_seam::script s;
        QSignalSpy replaced(dlg, &search_dlg::replaced);
        // No current match yet: Replace finds the next one only.
        ed.set_cursor_position(2);
        dlg->replace();
        QCOMPARE(ed.text(), QString("one two one two one"));
        QCOMPARE(ed.selections(), ranges({{8, 11}}));
        dlg->replace();
        QCOMPARE(ed.text(), QString("one two 1 two one"));
        QCOMPARE(ed.selections(), ranges({{14, 17}}));
        QCOMPARE(replaced.count(), 1);
        // The last one; the search then asks about the beginning.
        s.push_button(QMessageBox::No);
        dlg->replace();
        QCOMPARE(ed.text(), QString("one two 1 two 1"));
        QCOMPARE(s.last_title(), QString("next search result"));
    }

    void replace_all_is_one_undo_step_and_terminates()
    {
        editor ed;
        take_config(ed);
        fake_clock clock;
        clock.attach(ed);
        sys_config.edit_time = 1.0f;
        take_config(ed);
        ed.set_text("ab cd ab\nab");
        ed.set_cursor_position(ed.length());
        type(&ed, "!");
        search_dlg *dlg = dialog_of(ed);
        ed.replace();
        dlg->target_le->setText("ab");
        dlg->rep_le->setText("xaby");   // contains the target
        modal_seam::script s;
        dlg->replace_all();
        QCOMPARE(ed.text(), QString("xaby cd xaby\nxaby!"));
        QCOMPARE(s.last_title(), QString("replace result"));
        QCOMPARE(s.last_text(), QString("the string 'ab' 3 times replaced."));
        // Typing right after the replacement is a step of its own, and so is the typing before.
        type(&ed, "?");
        ed.undo();
        QCOMPARE(ed.text(), QString("xaby cd xaby\nxaby!"));
        ed.undo();
        QCOMPARE(ed.text(), QString("ab cd ab\nab!"));
        ed.redo();
        QCOMPARE(ed.text(), QString("xaby cd xaby\nxaby!"));
        ed.undo();
        ed.undo();
        QCOMPARE(ed.text(), QString("ab cd ab\nab"));
    }

    void only_selection_limits_to_several_ranges()
    {
        editor ed;
        take_config(ed);
        ed.set_text("a1 a2 a3 a4 a5");
        search_dlg *dlg = dialog_of(ed);
        ed.replace();
        dlg->os_cb->setChecked(true);
        ed.set_selections({{0, 2}, {6, 8}, {12, 14}});
        dlg->target_le->setText("a");
        dlg->rep_le->setText("bb");
        modal_seam::script s;

        // Next stays inside the ranges and keeps them after selecting a match.
        dlg->next();
        QCOMPARE(ed.selections(), ranges({{6, 7}}));
        dlg->next();
        QCOMPARE(ed.selections(), ranges({{12, 13}}));
        dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string 'a' found 3 times."));
        QCOMPARE(ed.selections(), ranges({{0, 1}, {6, 7}, {12, 13}}));

        dlg->replace_all();
        QCOMPARE(ed.text(), QString("bb1 a2 bb3 a4 bb5"));
        QCOMPARE(s.last_text(), QString("the string 'a' 3 times replaced."));
        // The ranges grew with their text and stay selected for the next search.
        QCOMPARE(ed.selections(), ranges({{0, 3}, {7, 10}, {14, 17}}));
        dlg->target_le->setText("b1");
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{1, 3}}));
        // With the box off the whole text counts again.
        dlg->os_cb->setChecked(false);
        dlg->target_le->setText("a");
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{4, 5}, {11, 12}}));
    }

    void cjk_text_maps_to_byte_ranges()
    {
        editor ed;
        take_config(ed);
        ed.set_text(QString::fromUtf8("中文 abc 中文字"));
        search_dlg *dlg = dialog_of(ed);
        ed.replace();
        modal_seam::script s;
        dlg->target_le->setText(QString::fromUtf8("中文"));
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{0, 6}, {11, 17}}));
        dlg->mw_cb->setChecked(true);
        dlg->search_all();
        QCOMPARE(ed.selections(), ranges({{0, 6}}));
        dlg->mw_cb->setChecked(false);
        dlg->rep_le->setText(QString::fromUtf8("日本"));
        dlg->replace_all();
        QCOMPARE(ed.text(), QString::fromUtf8("日本 abc 日本字"));
        ed.set_cursor_position(0);
        dlg->target_le->setText("abc");
        dlg->next();
        QCOMPARE(ed.selections(), ranges({{7, 10}}));
        QCOMPARE(ed.selected_text(), QString("abc"));
    }
};

QTEST_MAIN(test_search_dlg)
#include "test_search_dlg.moc"
