// The file dialogs on their own: the CSV dialog, the save and load dialogs, their warnings (asked
// once, No by default), the choosers behind "..." and the refusals of empty input.
#include "common/modal_seam.h"
#include "shell/load_tab_dlg.h"
#include "shell/save_tab_dlg.h"
#include "table/import_csv_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

template <class W> W *child(QWidget *dlg, const char *name)
{
    W *w = dlg->findChild<W *>(QLatin1String(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

// Clicks a group box's check box as the user would: the state flips, then the signal.
void click_group(QWidget *dlg, const char *name)
{
    QGroupBox *gb = child<QGroupBox>(dlg, name);
    gb->setChecked(!gb->isChecked());
    emit gb->clicked(gb->isChecked());
}

const QString client_warning_save =
    QStringLiteral("note: change to client mode will use <span style='color:orange'>big memory</span> store all data "
                   "for transform, should not use for <span style='color:orange'>big data</span>, do you want to "
                   "continue?");

} // namespace

class test_table_file_ops_dialogs : public QObject {
    Q_OBJECT
private slots:
    void csv_dialog_form()
    {
        import_csv_dlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Dialog"));
        QCOMPARE(child<QGroupBox>(&dlg, "s_gb")->title(), QStringLiteral("Server(note: the file is in remote server)"));
        QVERIFY(child<QGroupBox>(&dlg, "s_gb")->isChecked());
        QVERIFY(!child<QGroupBox>(&dlg, "c_gb")->isChecked());
        QCOMPARE(child<QLabel>(&dlg, "label_2")->text(), QStringLiteral("Spliter"));
        QComboBox *sp = child<QComboBox>(&dlg, "sp_cmb");
        QStringList shown;
        QList<QByteArray> seps;
        for (int i = 0; i < sp->count(); ++i) {
            shown << sp->itemText(i);
            sp->setCurrentIndex(i);
            seps << dlg.splitter();
        }
        QCOMPARE(shown, (QStringList{",", ";", "space", "-", ":", "\\t"}));
        QCOMPARE(seps, (QList<QByteArray>{",", ";", " ", "-", ":", "\t"}));
        QVERIFY(child<QCheckBox>(&dlg, "rep_cb")->isHidden());
        QVERIFY(dlg.is_csv());
        child<QRadioButton>(&dlg, "csvs_rb")->setChecked(true);
        QVERIFY(!dlg.is_csv());
        dlg.set_export_mode(true);
        QVERIFY(!child<QCheckBox>(&dlg, "rep_cb")->isHidden());
    }

    void csv_dialog_client_warning_once()
    {
        modal_seam::script seam;
        import_csv_dlg dlg;
        dlg.set_path(QStringLiteral("t_1.csv"));
        seam.push_button(QMessageBox::No);
        click_group(&dlg, "c_gb");
        QCOMPARE(seam.shown.size(), size_t(1));
        QCOMPARE(seam.shown[0].title, QStringLiteral("client mode information"));
        QCOMPARE(seam.shown[0].text, client_warning_save);
        QCOMPARE(seam.shown[0].default_button, QMessageBox::No);
        QVERIFY(!dlg.is_client());
        QVERIFY(child<QGroupBox>(&dlg, "s_gb")->isChecked());

        // Unchecking the server box asks too; Yes is the last time.
        seam.push_button(QMessageBox::Yes);
        click_group(&dlg, "s_gb");
        QCOMPARE(seam.shown.size(), size_t(2));
        QVERIFY(dlg.is_client());
        child<QLineEdit>(&dlg, "c_path_le")->setText(QStringLiteral("/tmp/mine.csv"));
        QCOMPARE(dlg.path(), QStringLiteral("/tmp/mine.csv"));
        click_group(&dlg, "c_gb");
        QVERIFY(!dlg.is_client());
        QCOMPARE(dlg.path(), QStringLiteral("t_1.csv"));
        click_group(&dlg, "c_gb");
        QVERIFY(dlg.is_client());
        QCOMPARE(seam.shown.size(), size_t(2));
    }

    void csv_dialog_replace_and_path()
    {
        modal_seam::script seam;
        import_csv_dlg dlg;
        dlg.set_export_mode(true);
        QCheckBox *rep = child<QCheckBox>(&dlg, "rep_cb");
        seam.push_button(QMessageBox::No);
        rep->setChecked(true);
        QVERIFY(!dlg.replace());
        QCOMPARE(seam.last_title(), QStringLiteral("replace mode information"));
        QCOMPARE(seam.shown.back().default_button, QMessageBox::No);
        seam.push_button(QMessageBox::Yes);
        rep->setChecked(true);
        rep->setChecked(false);
        rep->setChecked(true);
        QVERIFY(dlg.replace());
        QCOMPARE(seam.shown.size(), size_t(2));

        // Empty is refused with the export title; blanks only are a path.
        dlg.set_path(QString());
        dlg.accept();
        QCOMPARE(seam.last_title(), QStringLiteral("export path information"));
        QCOMPARE(seam.last_text(), QStringLiteral("the input path is empty."));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        dlg.set_path(QStringLiteral("  "));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        import_csv_dlg imp;
        imp.set_path(QString());
        imp.accept();
        QCOMPARE(seam.last_title(), QStringLiteral("import path information"));
    }

    void csv_dialog_chooser_fills_the_client_path()
    {
        modal_seam::script seam;
        import_csv_dlg imp;
        // The button belongs to the client group: usable once the client mode is on.
        QVERIFY(!child<QToolButton>(&imp, "path_tb")->isEnabled());
        seam.push_button(QMessageBox::Yes);
        click_group(&imp, "c_gb");
        QVERIFY(child<QToolButton>(&imp, "path_tb")->isEnabled());
        seam.push_file(QStringLiteral("/data/in.csv"));
        child<QToolButton>(&imp, "path_tb")->click();
        QCOMPARE(seam.shown.back().what, modal_seam::kind::open_file);
        QCOMPARE(child<QLineEdit>(&imp, "c_path_le")->text(), QStringLiteral("/data/in.csv"));
        // A cancelled chooser changes nothing.
        child<QToolButton>(&imp, "path_tb")->click();
        QCOMPARE(child<QLineEdit>(&imp, "c_path_le")->text(), QStringLiteral("/data/in.csv"));

        import_csv_dlg exp;
        exp.set_export_mode(true);
        seam.push_button(QMessageBox::Yes);
        click_group(&exp, "c_gb");
        seam.push_file(QStringLiteral("/data/out.csv"));
        child<QToolButton>(&exp, "path_tb")->click();
        QCOMPARE(seam.shown.back().what, modal_seam::kind::save_file);
        QCOMPARE(child<QLineEdit>(&exp, "c_path_le")->text(), QStringLiteral("/data/out.csv"));
    }

    void save_dialog()
    {
        modal_seam::script seam;
        save_tab_dlg dlg;
        QCOMPARE(dlg.size(), QSize(573, 240));
        QCOMPARE(child<QCheckBox>(&dlg, "rep_cb")->text(), QStringLiteral("Replace Mode"));
        QCOMPARE(child<QGroupBox>(&dlg, "s_gb")->title(), QStringLiteral("Server(note the input path is in remote server)"));
        QCOMPARE(child<QRadioButton>(&dlg, "sql_rb")->text(), QStringLiteral("cmd"));
        QVERIFY(dlg.is_bin());
        // The client group is offered, with its warning.
        QVERIFY(!child<QGroupBox>(&dlg, "c_gb")->isHidden());
        seam.push_button(QMessageBox::Yes);
        click_group(&dlg, "c_gb");
        QCOMPARE(seam.last_text(), client_warning_save);
        QVERIFY(dlg.is_client());
        QVERIFY(!child<QGroupBox>(&dlg, "s_gb")->isChecked());
        click_group(&dlg, "s_gb");   // back to the server, no question
        QVERIFY(!dlg.is_client());
        QCOMPARE(seam.shown.size(), size_t(1));

        // Replace mode: asked until a Yes.
        QCheckBox *rep = child<QCheckBox>(&dlg, "rep_cb");
        seam.push_button(QMessageBox::No);
        rep->setChecked(true);
        QVERIFY(!dlg.replace());
        seam.push_button(QMessageBox::Yes);
        rep->setChecked(true);
        rep->setChecked(false);
        rep->setChecked(true);
        QVERIFY(dlg.replace());
        QCOMPARE(seam.shown.size(), size_t(3));

        dlg.set_path(QString());
        dlg.accept();
        QCOMPARE(seam.last_title(), QStringLiteral("path information"));
        QCOMPARE(seam.last_text(), QStringLiteral("the input path is empty."));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));

        // The chooser by mode.
        seam.push_file(QStringLiteral("/x/t.bin"));
        dlg.change_path();
        QCOMPARE(seam.shown.back().what, modal_seam::kind::save_file);
        QCOMPARE(seam.shown.back().title, QStringLiteral("set table file's path"));
        QCOMPARE(seam.shown.back().filter, QStringLiteral("bin files (*.bin);;cmd files (*.tcd);;all files (*.*)"));
        QCOMPARE(child<QLineEdit>(&dlg, "c_path_le")->text(), QStringLiteral("/x/t.bin"));
        dlg.set_db_mode();
        dlg.change_path();
        QCOMPARE(seam.shown.back().title, QStringLiteral("set database file's path"));
        QCOMPARE(seam.shown.back().filter, QStringLiteral("backup files (*.sbk);;all files (*.*)"));
    }

    void load_dialog()
    {
        modal_seam::script seam;
        load_tab_dlg dlg;
        QCOMPARE(dlg.size(), QSize(641, 300));
        QCOMPARE(child<QLabel>(&dlg, "tab_lbl")->text(), QStringLiteral("table name"));
        seam.push_button(QMessageBox::No);
        click_group(&dlg, "c_gb");
        QCOMPARE(seam.last_text(),
                 QStringLiteral("note: change to client mode will use <span style='color:orange'>big memory</span> for "
                                "transform, should not use for <span style='color:orange'>big data</span>, do you want "
                                "to continue?"));
        QVERIFY(!dlg.is_client());

        dlg.accept();
        QCOMPARE(seam.last_title(), QStringLiteral("table name information"));
        QCOMPARE(seam.last_text(), QStringLiteral("the input table's name is empty."));
        child<QLineEdit>(&dlg, "tab_le")->setText(QStringLiteral("t9"));
        dlg.accept();
        QCOMPARE(seam.last_title(), QStringLiteral("table path information"));
        QCOMPARE(seam.last_text(), QStringLiteral("the input table's path is empty."));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));

        // "cmd" hides the name row; "bin" brings it back.
        child<QRadioButton>(&dlg, "cmd_rb")->click();
        QVERIFY(child<QLineEdit>(&dlg, "tab_le")->isHidden());
        QVERIFY(!dlg.is_bin_mode());
        child<QRadioButton>(&dlg, "bin_rb")->click();
        QVERIFY(!child<QLineEdit>(&dlg, "tab_le")->isHidden());

        seam.push_file(QStringLiteral("/x/all.sbk"));
        dlg.set_db_mode();
        dlg.change_path();
        QCOMPARE(seam.shown.back().what, modal_seam::kind::open_file);
        QCOMPARE(seam.shown.back().title, QStringLiteral("select database file's path"));
    }

    // Both table-file dialogs: the client path takes typing and is what the dialog returns; the
    // format's choice renames the file's extension and puts its files first in the chooser.
    void client_path_and_format_follow_the_user_data()
    {
        QTest::addColumn<bool>("loading");
        QTest::newRow("save") << false;
        QTest::newRow("load") << true;
    }
    void client_path_and_format_follow_the_user()
    {
        QFETCH(bool, loading);
        modal_seam::script seam;
        std::unique_ptr<tab_file_dlg> dlg;
        if (loading)
            dlg = std::make_unique<load_tab_dlg>();
        else
            dlg = std::make_unique<save_tab_dlg>();
        QRadioButton *cmd = child<QRadioButton>(dlg.get(), loading ? "cmd_rb" : "sql_rb");
        dlg->set_path(QStringLiteral("t1_24-03-05_14_07_09.bin"));
        seam.push_button(QMessageBox::Yes);
        click_group(dlg.get(), "c_gb");
        QVERIFY(dlg->is_client());
        QLineEdit *client = child<QLineEdit>(dlg.get(), "c_path_le");
        QVERIFY(!client->isReadOnly());
        client->clear();
        QTest::keyClicks(client, QStringLiteral("/data/t1.bin"));
        QCOMPARE(dlg->path(), QStringLiteral("/data/t1.bin"));

        cmd->click();
        QCOMPARE(dlg->path(), QStringLiteral("/data/t1.tcd"));
        QCOMPARE(child<QLineEdit>(dlg.get(), "s_path_le")->text(), QStringLiteral("t1_24-03-05_14_07_09.tcd"));
        dlg->change_path();
        QCOMPARE(seam.shown.back().filter, QStringLiteral("cmd files (*.tcd);;bin files (*.bin);;all files (*.*)"));
        child<QRadioButton>(dlg.get(), "bin_rb")->click();
        QCOMPARE(dlg->path(), QStringLiteral("/data/t1.bin"));
        dlg->change_path();
        QCOMPARE(seam.shown.back().filter, QStringLiteral("bin files (*.bin);;cmd files (*.tcd);;all files (*.*)"));
        // Another extension, or a backup, keeps its name.
        dlg->set_path(QStringLiteral("/data/t1.dat"));
        cmd->click();
        QCOMPARE(dlg->path(), QStringLiteral("/data/t1.dat"));
        dlg->set_db_mode();
        dlg->set_path(QStringLiteral("/data/all.bin"));
        child<QRadioButton>(dlg.get(), "bin_rb")->click();
        QCOMPARE(dlg->path(), QStringLiteral("/data/all.bin"));
    }

    void restore_dialog_refuses_an_empty_path()
    {
        modal_seam::script seam;
        load_tab_dlg dlg;
        dlg.set_db_mode();
        dlg.hide_table_name();
        dlg.accept();
        QCOMPARE(seam.last_text(), QStringLiteral("the input path is empty."));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        dlg.set_path(QStringLiteral("vorn_tsdb_x.sbk"));
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void proposed_names()
    {
        const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
        QCOMPARE(tab_file_dlg::proposed_name(QStringLiteral("vorn_tsdb_"), QStringLiteral(".sbk"), when),
                 QStringLiteral("vorn_tsdb_24-03-05_14_07_09.sbk"));
    }
};

QTEST_MAIN(test_table_file_ops_dialogs)
#include "test_table_file_ops_dialogs.moc"
