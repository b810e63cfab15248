// Failure boxes that say why: the reason the server or the network gave under the window's own
// text, a lost connection shown on the indicator at once with the offer to reconnect, and the
// status-bar buttons' tool tips.
#include "main_window_fixture.h"

#include "db/db_exec.h"
#include "script/cmd_script_editor.h"
#include "shell/exec_cmd_file.h"
#include "shell/status_indicators.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

using namespace mw_test;

class test_failure_reasons : public window_test {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void script_and_exec_cmd_boxes_add_the_reason();
    void table_operation_box_adds_the_reason();
    void file_operation_boxes_add_the_reason();
    void lost_connection_shows_at_once_and_offers_reconnect();
    void script_export_offers_reconnect_when_the_connection_is_lost();
    void status_buttons_explain_themselves();
};

void test_failure_reasons::init()
{
    const QString why = open({"create t1 f1 i32 f2 string"});
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void test_failure_reasons::cleanup()
{
    close();
}

void test_failure_reasons::script_and_exec_cmd_boxes_add_the_reason()
{
    db_exec &db = *w_->exec();
    {
        cmd_script_editor ed(w_.get(), w_->link(), "view nosuch");
        ed.exec_cmd();
        QVERIFY(settle(w_.get()));
        const QString reason = db.last_reason();
        QCOMPARE(db.last_code(), 1);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(seam_->last_text(), QStringLiteral("the cmd \"view nosuch\" execute failed!\n") + reason);
    }
    QVERIFY(exec_cmd_file::run_content("no such command\n", *w_->link(), w_.get(), {}));
    QVERIFY(settle(w_.get()));
    QVERIFY(!db.last_reason().isEmpty());
    QCOMPARE(seam_->last_text(), QStringLiteral("the cmd \"no such command\" execute failed!\n") + db.last_reason());
    // A refused command leaves the connection as it was.
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/connect.svg"));
}

void test_failure_reasons::table_operation_box_adds_the_reason()
{
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1"));
    QVERIFY(run_elsewhere(*server_, {"drop t1"}));
    seam_->push_button(QMessageBox::Yes);
    w_->actions().drop_table->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->last_title(), QStringLiteral("drop table result"));
    const QStringList lines = seam_->last_text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("drop table 't1' from database is failed!"));
    // The development server names the missing table.
    QVERIFY2(lines[1].contains(QStringLiteral("t1")), qPrintable(lines[1]));
}

void test_failure_reasons::file_operation_boxes_add_the_reason()
{
    const struct {
        QAction *action;
        const char *title;
    } ops[] = {{w_->actions().save, "save table result"}, {w_->actions().export_data, "export table result"}};
    for (const auto &op : ops) {
        // The table is in the tree but gone from the server when the operation runs.
        QVERIFY(run_elsewhere(*server_, {"create gone f1 i32"}));
        w_->actions().refresh->trigger();
        QVERIFY(settle(w_.get()));
        w_->tree()->setCurrentItem(find_item(w_->tree(), "gone"));
        QVERIFY(run_elsewhere(*server_, {"drop gone"}));
        seam_->push_result(QDialog::Accepted);   // the dialog with its proposed server path
        op.action->trigger();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_title(), QString::fromLatin1(op.title));
        const QStringList lines = seam_->last_text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].endsWith(QStringLiteral(" is failed!")), qPrintable(lines[0]));
        QVERIFY2(lines[1].contains(QStringLiteral("gone")), qPrintable(lines[1]));
    }
}

void test_failure_reasons::lost_connection_shows_at_once_and_offers_reconnect()
{
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1"));
    const quint16 port = server_->port();
    server_.reset();

    // Declined: the indicator already tells, without waiting for a reconnect.
    seam_->push_button(QMessageBox::Yes); // the truncate question
    seam_->push_button(QMessageBox::No);  // the reconnect offer
    w_->actions().truncate_table->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(w_->exec()->last_code(), 2);
    const modal_seam::request &offer = seam_->shown.back();
    QCOMPARE(offer.title, QStringLiteral("truncate table result"));
    QVERIFY(offer.text.startsWith(QStringLiteral("truncate table 't1' from database is failed!\n")));
    QVERIFY(offer.text.endsWith(QStringLiteral("\nthe connection to the server is lost, reconnect now?")));
    QCOMPARE(offer.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/disconnect.svg"));
    QVERIFY(w_->indicators()->connection_button()->toolTip().contains(QStringLiteral("lost")));

    // Accepted with the server back on the same port: reconnect runs and the indicator recovers.
    devserver_process again({QStringLiteral("--port"), QString::number(port)});
    if (!again.ok() || again.port() != port)
        QSKIP("the development server could not take the old port again");
    seam_->push_button(QMessageBox::Yes); // the reconnect offer
    QVERIFY(exec_cmd_file::run_content("show tables\n", *w_->link(), w_.get(), {}));
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->last_title(), QStringLiteral("reconnect information"));
    QCOMPARE(seam_->last_text(), QStringLiteral("reconnect sussesful!"));
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/connect.svg"));
}

void test_failure_reasons::script_export_offers_reconnect_when_the_connection_is_lost()
{
    cmd_script_editor ed(w_.get(), w_->link(), "view t1");
    ed.exec_cmd();
    QVERIFY(settle(w_.get()));
    QCOMPARE(ed.result_tabs()->count(), 1);
    server_.reset();

    seam_->push_result(QDialog::Accepted); // the dialog with its proposed server path
    seam_->push_button(QMessageBox::No);   // the reconnect offer
    ed.export_action()->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(w_->exec()->last_code(), 2);
    const modal_seam::request &offer = seam_->shown.back();
    QCOMPARE(offer.title, QStringLiteral("export data result"));
    QVERIFY2(offer.text.startsWith(QStringLiteral("export current data to file './export_data/t1_")), qPrintable(offer.text));
    QVERIFY(offer.text.contains(QStringLiteral(" is failed!\n")));
    QVERIFY(offer.text.endsWith(QStringLiteral("\nthe connection to the server is lost, reconnect now?")));
    QCOMPARE(offer.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
}

void test_failure_reasons::status_buttons_explain_themselves()
{
    const QString tip = w_->indicators()->connection_button()->toolTip();
    QVERIFY2(tip.contains(QStringLiteral("admin")) && tip.contains(QStringLiteral("127.0.0.1"))
                 && tip.contains(QString::number(server_->port())) && tip.contains(QStringLiteral("connected")),
             qPrintable(tip));
    // The status bar says it without hovering.
    QCOMPARE(w_->indicators()->connection_button()->text(), QStringLiteral("admin@127.0.0.1:%1").arg(server_->port()));
    QPushButton *err = w_->indicators()->error_button();
    QCOMPARE(err->toolTip(), QStringLiteral("the current script has no error"));
    w_->actions().goto_err->setEnabled(true);
    QCOMPARE(err->toolTip(), QStringLiteral("the current script has an error; Ctrl+E goes to it"));
    w_->actions().goto_err->setEnabled(false);
    QCOMPARE(err->toolTip(), QStringLiteral("the current script has no error"));
}

QTEST_MAIN(test_failure_reasons)
#include "test_failure_reasons.moc"
