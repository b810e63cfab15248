// An update names its row by time point: before edits go out, the rows that share an edited
// row's time point are counted and the user is asked (No by default) how many will change.
#include "common/modal_seam.h"
#include "support/mem_time.h"
#include "table/apply_question.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QtTest>

namespace mem = ox::db::mem;

class test_shared_time_point : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

    void fill()
    {
        QVERIFY(srv->run("truncate t"));
        QVERIFY(srv->run("push into t v values 1 at 2022-01-01 00:00:01"));
        QVERIFY(srv->run("push into t v values 2 at 2022-01-01 00:00:01"));
        QVERIFY(srv->run("push into t v values 3 at 2022-01-01 00:00:02"));
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create t v i32"));
    }
    void cleanupTestCase() { srv.reset(); }

    void counts_the_rows_an_update_changes()
    {
        fill();
        tab_data_model m("t");
        QVERIFY(m.load_result(*srv->exec(), "view t", 1));
        QCOMPARE(m.rowCount(), 3);
        QVERIFY(m.shared_time_point_updates().isEmpty());
        QVERIFY(m.setData(m.index(2, 1), 30)); // a time point of its own
        QVERIFY(m.shared_time_point_updates().isEmpty());
        // An added row at the shared time point is not on the server yet.
        QVERIFY(m.insertRows(3, 1));
        QVERIFY(m.setData(m.index(3, 0), QVariant::fromValue(mem::date_time{2022, 1, 1, 0, 0, 1, 0})));
        QVERIFY(m.setData(m.index(1, 1), 20));
        const auto shared = m.shared_time_point_updates();
        QCOMPARE(shared.size(), 1);
        QCOMPARE(shared[0].row, 1);
        QCOMPARE(shared[0].rows_changed, 2);
    }

    void the_question_defaults_to_no()
    {
        fill();
        tab_data_model m("t");
        QVERIFY(m.load_result(*srv->exec(), "view t", 1));
        modal_seam::script s;
        QVERIFY(confirm_shared_updates(nullptr, m)); // nothing edited: nothing asked
        QVERIFY(m.setData(m.index(2, 1), 30));
        QVERIFY(confirm_shared_updates(nullptr, m));
        QVERIFY(s.shown.empty());

        QVERIFY(m.setData(m.index(0, 1), 10));
        QVERIFY(!confirm_shared_updates(nullptr, m)); // the box closed without Yes
        QCOMPARE(s.shown.size(), std::size_t(1));
        QCOMPARE(s.shown[0].what, modal_seam::kind::question);
        QCOMPARE(s.shown[0].default_button, QMessageBox::No);
        QVERIFY(s.shown[0].buttons.testFlag(QMessageBox::Yes));
        QVERIFY2(s.last_text().contains(QStringLiteral("Row 1 ")) && s.last_text().contains(QStringLiteral(" 2 rows")),
                 qPrintable(s.last_text()));
        s.push_button(QMessageBox::No);
        QVERIFY(!confirm_shared_updates(nullptr, m));

        s.push_button(QMessageBox::Yes);
        QVERIFY(confirm_shared_updates(nullptr, m));
        QVERIFY(srv->apply_edits(m));
        tab_data_model back("t");
        QVERIFY(back.load_result(*srv->exec(), "view t", 1));
        QCOMPARE(back.data(back.index(0, 1), Qt::EditRole), QVariant(10));
        QCOMPARE(back.data(back.index(1, 1), Qt::EditRole), QVariant(10)); // as the question said
        QCOMPARE(back.data(back.index(2, 1), Qt::EditRole), QVariant(30));
    }
};

QTEST_MAIN(test_shared_time_point)
#include "test_shared_time_point.moc"
