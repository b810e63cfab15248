// The table windows as tabs of the main window: each action opens its window on the current
// table or field under its title, the window's end closes its tab, a created table reaches the
// tree, and the windows of a dropped table go with it.
#include "main_window_fixture.h"
#include "shell/tab_area.h"
#include "table/col_info.h"
#include "table/data_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

using namespace mw_test;

class test_table_windows : public window_test {
    Q_OBJECT

    QTabWidget *tabs(MainWindow *w) { return w->area().tabs(); }

    QStringList titles(MainWindow *w)
    {
        QStringList out;
        for (int i = 0; i < tabs(w)->count(); ++i)
            out << tabs(w)->tabText(i);
        return out;
    }

    // Lets the tab area destroy the pages it removed.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void cleanup() { close(); }

    void each_action_opens_its_window()
    {
        const QString why = open({"create tw_t v i64 s string"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const main_actions &a = w_->actions();
        QTreeWidget *tree = w_->findChild<QTreeWidget *>();
        QTreeWidgetItem *table = find_item(tree, QStringLiteral("tw_t"));
        QVERIFY(table);
        tree->setCurrentItem(table);
        const int before = tabs(w_.get())->count();

        for (QAction *act : {a.view_data, a.view_cols, a.new_field, a.create_table}) {
            QVERIFY2(act->isVisible() && act->isEnabled(), qPrintable(act->objectName()));
            act->trigger();
            QVERIFY(mw_test::settle(w_.get()));
        }
        QCOMPARE(titles(w_.get()).mid(before),
                 (QStringList{"data of table: tw_t", "view fields of table: tw_t", "add field to table: tw_t",
                              "new table"}));
        // The newest window is the current tab.
        QCOMPARE(tabs(w_.get())->currentIndex(), tabs(w_.get())->count() - 1);

        auto *view = qobject_cast<data_view *>(tabs(w_.get())->widget(before));
        QVERIFY(view);
        QCOMPARE(view->findChild<QLineEdit *>(QStringLiteral("table_le"))->text(), QStringLiteral("tw_t"));
        auto *fields = qobject_cast<col_info *>(tabs(w_.get())->widget(before + 1));
        QVERIFY(fields);
        // The definition lists the table's fields, not the time point.
        QCOMPARE(fields->findChild<QTableWidget *>(QStringLiteral("tableWidget"))->rowCount(), 2);

        // Field actions name the field in the title.
        tree->setCurrentItem(find_item(tree, QStringLiteral("tw_t"), QStringLiteral("s")));
        a.rename_col->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        a.modify_col->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        QCOMPARE(titles(w_.get()).mid(before + 4),
                 (QStringList{"rename field 's' of table: tw_t", "modify field 's' of table: tw_t"}));

        // Cancel ends the data view's tab, and only that one.
        const int count = tabs(w_.get())->count();
        view->findChild<QPushButton *>(QStringLiteral("cancel_btn"))->click();
        settle();
        QCOMPARE(tabs(w_.get())->count(), count - 1);
        QVERIFY(!titles(w_.get()).contains(QStringLiteral("data of table: tw_t")));
    }

    void created_table_reaches_the_tree_and_dropped_table_closes_its_windows()
    {
        const QString why = open({"create tw_old v i64"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QTreeWidget *tree = w_->findChild<QTreeWidget *>();

        // A table made in the definition window: its tab closes and the tree lists the table.
        w_->actions().create_table->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        auto *def = qobject_cast<col_info *>(tabs(w_.get())->currentWidget());
        QVERIFY(def);
        def->findChild<QLineEdit *>(QStringLiteral("table_le"))->setText(QStringLiteral("tw_new"));
        def->findChild<QPushButton *>(QStringLiteral("apply_btn"))->click();
        QVERIFY(mw_test::settle(w_.get()));
        settle();
        QCOMPARE(seam_->last_text(), QStringLiteral("create table 'tw_new' is successful!"));
        QVERIFY(!titles(w_.get()).contains(QStringLiteral("new table")));
        QVERIFY(find_item(tree, QStringLiteral("tw_new")));

        // Windows of a table that is dropped close with the next refresh; others stay.
        tree->setCurrentItem(find_item(tree, QStringLiteral("tw_old")));
        w_->actions().view_data->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        w_->actions().view_cols->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        tree->setCurrentItem(find_item(tree, QStringLiteral("tw_new")));
        w_->actions().view_data->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        tree->setCurrentItem(find_item(tree, QStringLiteral("tw_old")));
        seam_->push_button(QMessageBox::Yes);
        w_->actions().drop_table->trigger();
        QVERIFY(mw_test::settle(w_.get()));
        settle();
        const QStringList left = titles(w_.get());
        QVERIFY(!left.contains(QStringLiteral("data of table: tw_old")));
        QVERIFY(!left.contains(QStringLiteral("view fields of table: tw_old")));
        QVERIFY(left.contains(QStringLiteral("data of table: tw_new")));
    }
};

QTEST_MAIN(test_table_windows)
#include "test_table_windows.moc"
