// "find text" on a result grid of the script tab: it opens the grid's own dialog, which finds
// and marks but never replaces, since result grids are read-only.
#include "common/modal_seam.h"
#include "db/db_exec.h"
#include "devserver_process.h"
#include "link_wait.h"
#include "script/cmd_script_editor.h"
#include "config/sys_config.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>
#include <memory>

class test_search_result_grid : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<db_exec> db_;
    std::unique_ptr<db_link> link_;

    bool run(const QByteArray &cmd)
    {
        QByteArray line;
        result_set *rs = db_->run(cmd, line, 1);
        del_datas(rs);
        return rs != nullptr;
    }

private slots:
    void initTestCase()
    {
        sys_config.reset();
        server_ = std::make_unique<devserver_process>();
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        QVERIFY(connect_to_server(server_->host().toLatin1().constData(), server_->port(), "admin", "admin"));
        db_ = std::make_unique<db_exec>("vorn_tsdb", nullptr);
        link_ = link_wait::logged_in(server_->host(), server_->port());
        QVERIFY(link_);
        QVERIFY(run("create t1 v i32 s string"));
        QVERIFY(run("push into t1 v s values 5 \"abc\" at 2021-01-02 03:04:05"));
        QVERIFY(run("push into t1 v s values 7 \"abd\" at 2021-01-03 00:00:00"));
    }
    void cleanupTestCase()
    {
        link_.reset();
        db_.reset();
        server_.reset();
    }

    void find_text_opens_a_find_only_dialog()
    {
        modal_seam::script seam;
        cmd_script_editor ed(nullptr, link_.get(), "view t1");
        ed.exec_cmd();
        QVERIFY(link_wait::settle(link_.get()));
        QTableView *view = ed.result_view(0);
        QVERIFY(view);
        QAction *find = nullptr;
        for (QAction *a : view->actions())
            if (a->text() == QLatin1String("find text"))
                find = a;
        QVERIFY(find && find->isEnabled());
        QSignalSpy asked(&ed, &cmd_script_editor::find_in_result);
        find->trigger();
        QCOMPARE(asked.count(), 1);
        auto *dlg = view->findChild<search_tab_dlg *>();
        QVERIFY(dlg);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QString("find text in current table"));
        QVERIFY(!dlg->replace_allowed());
        dlg->show_top(true);
        QVERIFY(dlg->rep_le->isHidden());
        find->trigger();
        QCOMPARE(view->findChildren<search_tab_dlg *>().size(), 1);

        dlg->target_le->setText("ab");
        dlg->search_all();
        QCOMPARE(seam.last_text(), QString("the string 'ab' found 2 times."));
        dlg->rep_le->setText("x");
        dlg->replace_all();
        auto *model = ed.result_model(0);
        QCOMPARE(model->data(model->index(0, 2)).toString(), QString("abc"));
        QCOMPARE(model->changed_count(), 0);
    }
};

QTEST_MAIN(test_search_result_grid)
#include "test_search_result_grid.moc"
