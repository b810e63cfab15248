// Completion in open script tabs follows the database tree: tables and fields created after a
// tab opened are offered once the tree is refreshed.
#include "main_window_fixture.h"

#include "editor/auto_list.h"
#include "script/cmd_script_editor.h"
#include "editor/editor.h"

#include <QTabWidget>
#include <QTemporaryDir>

using namespace mw_test;

class test_editor_names : public window_test {
    Q_OBJECT
    QTemporaryDir dir_;

    // The candidates offered after typing `typed` at the end of `line`.
    static QStringList offered(editor *ed, const QString &line, const QString &typed)
    {
        ed->set_text(line);
        ed->set_cursor_position(ed->length());
        QTest::keyClicks(ed, typed);
        auto_list *l = ed->completion_list();
        const QStringList out = l && l->isVisible() ? l->candidates() : QStringList();
        ed->reset_word();
        return out;
    }

private slots:
    void init()
    {
        const QString why = open({"create t1 f1 i32"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        sys_config.auto_enable = 1;
        sys_config.least_count = 0;
        sys_config.only_cmd = 0;
    }
    void cleanup() { close(); }

    void every_open_editor_learns_new_tables_and_fields()
    {
        seam_->push_file(dir_.filePath("a.tcd"));
        w_->new_file();
        seam_->push_file(dir_.filePath("b.tcd"));
        w_->new_file();
        QCOMPARE(w_->editors().size(), 2);
        QList<editor *> eds;
        for (QWidget *page : w_->editors())
            eds << static_cast<cmd_script_editor *>(page)->editor_widget();
        QCOMPARE(offered(eds[0], "view ", "t"), QStringList({"t1"}));

        QVERIFY(run_elsewhere(*server_, {"create t9 speed double"}));
        w_->refresh();
        QVERIFY(settle(w_.get()));
        for (editor *ed : eds) {
            QCOMPARE(offered(ed, "view ", "t"), QStringList({"t1", "t9"}));
            QVERIFY(offered(ed, "view t9 ", "s").contains("speed"));
        }
    }
};

QTEST_MAIN(test_editor_names)
#include "test_editor_names.moc"
