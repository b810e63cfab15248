// The completion list: when it opens, what it offers, its size and place, and its keys.
#include "editor_test_helper.h"

#include "editor/auto_list.h"
#include "editor/completion_words.h"

#include <QSignalSpy>
#include <QtTest>

using namespace editor_test;

namespace {

auto_list *shown(editor &ed)
{
    auto_list *l = ed.completion_list();
    return l && !l->isHidden() ? l : nullptr;
}

std::vector<std::string> cands(const std::string &before, bool only_cmd = false)
{
    completion_words::names n;
    n.tables = {"t1", "T2", "weather"};
    n.fields["t1"] = {"f1", "temp"};
    return completion_words::candidates(before, n, only_cmd);
}

} // namespace

class test_auto_list : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reset_config();
        sys_config.auto_enable = 1;
        sys_config.only_cmd = 0;
        sys_config.least_count = 0;
    }

    void candidate_rules()
    {
        QCOMPARE(cands("ex"), (std::vector<std::string>{"export", "export_data"}));
        QCOMPARE(cands("  FI"), (std::vector<std::string>{"fields_of", "field_of"}));
        QCOMPARE(cands("view t"), (std::vector<std::string>{"t1", "T2"}));
        QCOMPARE(cands("drop w"), (std::vector<std::string>{"weather"}));
        QCOMPARE(cands("push in"), (std::vector<std::string>{"into"}));
        QCOMPARE(cands("push into "), (std::vector<std::string>{"t1", "T2", "weather"}));
        QCOMPARE(cands("view t1 "), (std::vector<std::string>{"f1", "temp", "btw", "at", "max"}));
        QCOMPARE(cands("push into t1 f1 v"), (std::vector<std::string>{"values"}));
        QCOMPARE(cands("update t1 set t"), (std::vector<std::string>{"temp"}));
        QCOMPARE(cands("export t1 a"), (std::vector<std::string>{"at", "as"}));
        QCOMPARE(cands("view t1 ", true), std::vector<std::string>{});
        QCOMPARE(cands("v", true), (std::vector<std::string>{"view"}));
        QCOMPARE(completion_words::all_words().size(), size_t(17 + 12));
        QCOMPARE(completion_words::trailing_word("view t\xe4\xb8\xad_1"), std::string("t\xe4\xb8\xad_1"));
    }

    void opens_under_the_cursor_with_its_size()
    {
        editor ed;
        take_config(ed);
        ed.set_table_names({"t1", "t2", "t3"}, {});
        ed.set_text("view ");
        ed.set_cursor_position(5);
        type(&ed, "t");
        auto_list *l = shown(ed);
        QVERIFY(l);
        QCOMPARE(l->candidates(), QStringList({"t1", "t2", "t3"}));
        QCOMPARE(l->size(), QSize(80, 60));
        QVERIFY(l->isWindow());
        QCOMPARE(l->pos(), ed.mapToGlobal(ed.cursor_point() + QPoint(10, 30)));
        QCOMPARE(l->prefix(), QString("t"));
        QCOMPARE(auto_list::size_for({"export_data", "x"}), QSize(176, 40));
    }

    void keys_pick_a_candidate()
    {
        editor ed;
        take_config(ed);
        type(&ed, "e");
        auto_list *l = shown(ed);
        QVERIFY(l);
        QCOMPARE(l->currentRow(), 0);
        key(l, Qt::Key_End);
        QCOMPARE(l->currentRow(), 1);
        key(l, Qt::Key_Home);
        QCOMPARE(l->currentRow(), 0);
        key(l, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(l->currentRow(), 1);
        key(l, Qt::Key_K, Qt::ControlModifier);
        key(l, Qt::Key_Down);
        key(l, Qt::Key_Down);   // stays on the last
        QCOMPARE(l->currentRow(), 1);
        key(l, Qt::Key_Return);
        QCOMPARE(ed.text(), QString("export_data"));
        QVERIFY(!shown(ed));
        ed.undo();
        QCOMPARE(ed.text(), QString(""));
    }

    void typing_in_the_list_goes_to_the_editor()
    {
        editor ed;
        take_config(ed);
        QSignalSpy text(&ed, &editor::textChanged);
        type(&ed, "f");
        auto_list *l = shown(ed);
        QVERIFY(l);
        QCOMPARE(l->count(), 2);
        key(l, Qt::Key_I, Qt::NoModifier, "i");
        key(l, Qt::Key_E, Qt::NoModifier, "e");
        key(l, Qt::Key_L, Qt::NoModifier, "l");
        key(l, Qt::Key_D, Qt::NoModifier, "d");
        key(l, Qt::Key_S, Qt::NoModifier, "s");
        QCOMPARE(ed.text(), QString("fields"));
        QCOMPARE(l->candidates(), QStringList({"fields_of"}));
        key(l, Qt::Key_Backspace);
        QCOMPARE(ed.text(), QString("field"));
        QCOMPARE(l->count(), 2);
        key(l, Qt::Key_Tab);
        QCOMPARE(ed.text(), QString("fields_of"));
        QVERIFY(text.count() >= 8);
    }

    void list_closes_when_nothing_matches_or_on_escape()
    {
        editor ed;
        take_config(ed);
        type(&ed, "v");
        auto_list *l = shown(ed);
        QVERIFY(l);
        key(l, Qt::Key_Escape);
        QCOMPARE(ed.text(), QString("v"));   // the typed word stays
        QVERIFY(!shown(ed));
        ed.set_text("");
        type(&ed, "v");
        l = shown(ed);
        QVERIFY(l);
        key(l, Qt::Key_Q, Qt::NoModifier, "q");
        QCOMPARE(ed.text(), QString("vq"));
        QVERIFY(!shown(ed));
        // A key the list does not use closes it and reaches the editor.
        ed.set_text("");
        type(&ed, "v");
        key(shown(ed), Qt::Key_Comma, Qt::NoModifier, ",");
        QCOMPARE(ed.text(), QString("v,"));
        QVERIFY(!shown(ed));
    }

    void space_ends_the_word_and_offers_the_next()
    {
        editor ed;
        take_config(ed);
        ed.set_table_names({"t1"}, {});
        type(&ed, "vie");
        auto_list *l = shown(ed);
        QVERIFY(l);
        key(l, Qt::Key_W, Qt::NoModifier, "w");
        key(l, Qt::Key_Space, Qt::NoModifier, " ");
        QCOMPARE(ed.text(), QString("view "));
        l = shown(ed);
        QVERIFY(l);
        QCOMPARE(l->candidates(), QStringList({"t1"}));
    }

    void settings_decide_whether_it_opens()
    {
        {
            sys_config.auto_enable = 0;
            editor ed;
            take_config(ed);
            type(&ed, "v");
            QVERIFY(!shown(ed));
        }
        sys_config.auto_enable = 1;
        {
            sys_config.least_count = 3;
            editor ed;
            take_config(ed);
            type(&ed, "v");
            QVERIFY(!shown(ed));
            ed.set_text("vi");
            ed.set_cursor_position(2);
            type(&ed, "e");
            QVERIFY(shown(ed));
        }
        sys_config.least_count = 0;
        {
            sys_config.only_cmd = 1;
            editor ed;
            take_config(ed);
            ed.set_table_names({"t1", "t2"}, {});
            ed.set_text("view ");
            ed.set_cursor_position(5);
            type(&ed, "t");
            QVERIFY(!shown(ed));
            ed.set_text("");
            type(&ed, "s");
            QVERIFY(shown(ed));
            QCOMPARE(shown(ed)->candidates(), QStringList({"save", "show"}));
        }
    }
};

QTEST_MAIN(test_auto_list)
#include "test_auto_list.moc"
