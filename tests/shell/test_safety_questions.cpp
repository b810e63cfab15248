// The questions before destructive operations, answered in real message boxes: a warning that
// Return, Escape and the close button all answer with No, so nothing is lost by a reflex.
#include "main_window_fixture.h"
#include "when_shown.h"

#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "shell/language_switch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstring>

using namespace mw_test;

namespace {

// How a test closes the box it finds.
enum class dismiss { return_key, escape_key, close_button };

struct seen_box {
    bool found = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton default_button = QMessageBox::NoButton;
};

// Once the next message box runs, records what it shows and closes it as asked.
void answer_next_box(dismiss how, seen_box &seen)
{
    when_shown::next<QMessageBox>([how, &seen](QMessageBox *box) {
        seen.found = true;
        seen.icon = box->icon();
        seen.default_button = box->defaultButton() ? box->standardButton(box->defaultButton())
                                                   : QMessageBox::NoButton;
        if (how == dismiss::close_button) {
            box->close();
        } else {
            QKeyEvent press(QEvent::KeyPress, how == dismiss::return_key ? Qt::Key_Return : Qt::Key_Escape,
                            Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
    });
}

// Rows of the table as another client sees them.
uint64_t rows_elsewhere(const devserver_process &srv, const char *view)
{
    uint64_t n = 0;
    std::thread([&] {
        if (!connect_to_server("127.0.0.1", srv.port(), "admin", "admin"))
            return;
        if (result_set *rs = exec(view, strlen(view))) {
            n = rows_of(rs);
            del_datas(rs);
        }
        exit_to_server();
    }).join();
    return n;
}

} // namespace

class test_safety_questions : public window_test {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void table_questions_answer_no_by_default_data();
    void table_questions_answer_no_by_default();
    void scripted_questions_are_warnings();
    void language_restart_saves_open_files();
};

void test_safety_questions::init()
{
    const QString why = open({"create t1 f1 i32 f2 string", "push into t1 f1 values 1 at 2024-01-01 00:00:00"});
    QVERIFY2(why.isEmpty(), qPrintable(why));
    // The window's own refresh went to the scripted seam; the boxes below are real.
    seam_.reset();
}

void test_safety_questions::cleanup()
{
    close();
}

void test_safety_questions::table_questions_answer_no_by_default_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("how");
    for (int which = 0; which < 3; ++which) {
        const char *op[] = {"drop", "truncate", "delete field"};
        QTest::addRow("%s return", op[which]) << which << int(dismiss::return_key);
        QTest::addRow("%s escape", op[which]) << which << int(dismiss::escape_key);
        QTest::addRow("%s close", op[which]) << which << int(dismiss::close_button);
    }
}

void test_safety_questions::table_questions_answer_no_by_default()
{
    QFETCH(int, which);
    QFETCH(int, how);
    QTreeWidgetItem *item = which == 2 ? find_item(w_->tree(), "t1", "f1") : find_item(w_->tree(), "t1");
    QVERIFY(item);
    w_->tree()->setCurrentItem(item);
    QAction *act = which == 0 ? w_->actions().drop_table
                 : which == 1 ? w_->actions().truncate_table : w_->actions().delete_col;
    seen_box seen;
    answer_next_box(dismiss(how), seen);
    act->trigger();
    QVERIFY(seen.found);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.default_button, QMessageBox::No);
    // Nothing was run: the table and its row are still there, and no result box followed.
    QVERIFY(!QApplication::activeModalWidget());
    w_->refresh();
    QVERIFY(find_item(w_->tree(), "t1", "f1"));
    QCOMPARE(rows_elsewhere(*server_, "view t1"), uint64_t(1));
}

void test_safety_questions::scripted_questions_are_warnings()
{
    modal_seam::script seam;
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1"));
    w_->actions().drop_table->trigger();
    w_->actions().truncate_table->trigger();
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1", "f1"));
    w_->actions().delete_col->trigger();
    // The script answers Ok, which is not Yes: nothing runs and no result box follows.
    QCOMPARE(seam.shown.size(), size_t(3));
    for (const modal_seam::request &r : seam.shown) {
        QCOMPARE(r.what, modal_seam::kind::warning);
        QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(r.default_button, QMessageBox::No);
    }
    QCOMPARE(rows_elsewhere(*server_, "view t1"), uint64_t(1));
}

void test_safety_questions::language_restart_saves_open_files()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("typed.tcd"));
    const QString config = dir.filePath(QStringLiteral("config"));
    modal_seam::script seam;
    seam.push_file(path);
    w_->new_file();
    auto *ed = qobject_cast<cmd_script_editor *>(w_->tabs()->currentWidget());
    QVERIFY(ed);
    QTest::keyClicks(ed->editor_widget(), QStringLiteral("view t1"));
    QVERIFY(ed->modified());
    int exit_code = -1;
    language_switch::set_exit_hook([&](int code) { exit_code = code; });
    seam.push_button(QMessageBox::Yes);
    // The switch writes "config" into the working folder.
    const QString old_cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    w_->actions().lang_fr->trigger();
    QDir::setCurrent(old_cwd);
    language_switch::set_exit_hook(nullptr);
    QVERIFY(QFile::exists(config));
    QCOMPARE(exit_code, 0);
    // The question: No is what Return answers.
    const modal_seam::request &q = seam.shown[seam.shown.size() - 2];
    QCOMPARE(q.title, QStringLiteral("language changed"));
    QCOMPARE(q.default_button, QMessageBox::No);
    QCOMPARE(seam.shown.back().what, modal_seam::kind::start_process);
    // The typed text is on disk before the new process starts, and the file is reopened there.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("view t1"));
    QVERIFY(!ed->modified());
    bool listed = false;
    for (const std::string &p : sys_config.open_files)
        listed = listed || QString::fromStdString(p) == path;
    QVERIFY(listed);
}

QTEST_MAIN(test_safety_questions)
#include "test_safety_questions.moc"
