// Command files that cannot be written the usual way: a writable file in a folder that refuses
// new files is still saved, and closing the window never drops text it could not write.
#include "main_window_fixture.h"

#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "shell/cmd_file_tabs.h"

#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace mw_test;

namespace {

// Makes a path immutable (even for root) or mutable again; false when the system refuses.
bool set_immutable(const QString &path, bool on)
{
    return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

QByteArray slurp(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class test_safety_files : public window_test {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void folder_refusing_new_files_still_saves_in_place();
    void closing_with_an_unwritable_file_asks_data();
    void closing_with_an_unwritable_file_asks();
    void save_all_and_tab_mark_follow_the_modified_flag();

private:
    cmd_script_editor *open_typed(const QString &path, const QString &typed);

    std::unique_ptr<QTemporaryDir> dir_;
    QStringList immutable_;
};

void test_safety_files::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const QString why = open();
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void test_safety_files::cleanup()
{
    for (const QString &p : immutable_)
        set_immutable(p, false);
    immutable_.clear();
    close();
    dir_.reset();
}

cmd_script_editor *test_safety_files::open_typed(const QString &path, const QString &typed)
{
    seam_->push_file(path);
    w_->new_file();
    auto *ed = qobject_cast<cmd_script_editor *>(w_->tabs()->currentWidget());
    if (ed)
        QTest::keyClicks(ed->editor_widget(), typed);
    return ed;
}

void test_safety_files::folder_refusing_new_files_still_saves_in_place()
{
    const QString path = dir_->filePath(QStringLiteral("in_place.tcd"));
    QVERIFY(cmd_file_tabs::write_file(path.toUtf8(), "old"));
    if (!set_immutable(dir_->path(), true))
        QSKIP("chattr cannot make the folder refuse new files here");
    immutable_ << dir_->path();
    QVERIFY(!QFile(dir_->filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly));
    QVERIFY(cmd_file_tabs::write_file(path.toUtf8(), "new text"));
    QCOMPARE(slurp(path), QByteArray("new text"));
}

void test_safety_files::closing_with_an_unwritable_file_asks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addRow("cancel") << int(QMessageBox::Cancel);
    QTest::addRow("discard") << int(QMessageBox::Discard);
    QTest::addRow("save elsewhere") << int(QMessageBox::Save);
}

void test_safety_files::closing_with_an_unwritable_file_asks()
{
    QFETCH(int, answer);
    const QString path = dir_->filePath(QStringLiteral("locked.tcd"));
    const QString elsewhere = dir_->filePath(QStringLiteral("elsewhere.tcd"));
    cmd_script_editor *ed = open_typed(path, QStringLiteral("view t1"));
    QVERIFY(ed);
    QVERIFY(ed->modified());
    if (!set_immutable(path, true))
        QSKIP("chattr cannot lock the file here");
    immutable_ << path;

    seam_->shown.clear();
    seam_->push_button(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::Save)
        seam_->push_file(elsewhere);
    const bool closed = w_->close();

    QVERIFY(!seam_->shown.empty());
    const modal_seam::request &q = seam_->shown.front();
    QCOMPARE(q.what, modal_seam::kind::warning);
    QCOMPARE(q.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QVERIFY(q.text.contains(QStringLiteral("locked.tcd")));
    QCOMPARE(closed, answer != QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        // Nothing is lost: the tab and its text stay.
        QCOMPARE(ed->text_bytes(), QByteArray("view t1"));
        QVERIFY(ed->modified());
    }
    if (answer == QMessageBox::Save) {
        QCOMPARE(slurp(elsewhere), QByteArray("view t1"));
        bool listed = false;
        for (const std::string &p : sys_config.open_files)
            listed = listed || QString::fromStdString(p) == elsewhere;
        QVERIFY(listed);
    }
}

void test_safety_files::save_all_and_tab_mark_follow_the_modified_flag()
{
    QAction *save_all = w_->actions().save_all_files;
    QVERIFY(!save_all->isEnabled());
    cmd_script_editor *ed = open_typed(dir_->filePath(QStringLiteral("a.tcd")), QString());
    QVERIFY(ed);
    const int index = w_->tabs()->indexOf(ed);
    const QString title = w_->tabs()->tabText(index);
    QVERIFY(!save_all->isEnabled());
    QVERIFY(w_->tabs()->tabIcon(index).isNull());

    // Twice: the second edit after a save must be heard as well as the first.
    for (int round = 0; round < 2; ++round) {
        QTest::keyClicks(ed->editor_widget(), QStringLiteral("v"));
        QVERIFY(ed->modified());
        QVERIFY2(save_all->isEnabled(), round ? "after a save" : "first edit");
        QVERIFY(!w_->tabs()->tabIcon(index).isNull());
        QCOMPARE(w_->tabs()->tabText(index), title);
        w_->actions().save_file->trigger();
        QVERIFY(!ed->modified());
        QVERIFY(!save_all->isEnabled());
        QVERIFY(w_->tabs()->tabIcon(index).isNull());
    }
    // Undo back to the saved text: nothing to save any more.
    QTest::keyClicks(ed->editor_widget(), QStringLiteral("w"));
    QVERIFY(save_all->isEnabled());
    w_->actions().undo->trigger();
    QCOMPARE(ed->modified(), save_all->isEnabled());
}

QTEST_MAIN(test_safety_files)
#include "test_safety_files.moc"
