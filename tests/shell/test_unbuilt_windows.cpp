// Actions whose windows are not built yet stay out of sight: no menu entry, tool button or
// shortcut that does nothing, also after the tree selects a table or a field.
#include "main_window_fixture.h"

#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>

using namespace mw_test;

class test_unbuilt_windows : public QObject {
    Q_OBJECT

private slots:
    void table_window_actions_are_hidden()
    {
        modal_seam::script seam;
        devserver_process server;
        QVERIFY2(server.ok(), qPrintable(server.error()));
        QVERIFY(run_elsewhere(server, { "create hidden_t v i64" }));
        std::unique_ptr<MainWindow> w = open_window(server);
        QVERIFY(w);
        const main_actions &a = w->actions();
        const QList<QAction *> unbuilt = a.table_window_actions();
        QCOMPARE(unbuilt.size(), 6);

        // Selecting a table and then a field enables their actions; the unbuilt ones stay hidden.
        QTreeWidget *tree = w->findChild<QTreeWidget *>();
        QVERIFY(tree);
        QTreeWidgetItem *table = find_item(tree, QStringLiteral("hidden_t"));
        QVERIFY(table);
        tree->setCurrentItem(table);
        for (QAction *act : unbuilt)
            QVERIFY2(!act->isVisible(), qPrintable(act->objectName()));
        QVERIFY(a.drop_table->isVisible() && a.drop_table->isEnabled());

        // Nowhere on screen: not in a menu, not on the tool bar, not in the tree's menu.
        QList<QWidget *> holders;
        for (QMenu *m : w->menuBar()->findChildren<QMenu *>())
            holders << m;
        for (QToolBar *b : w->findChildren<QToolBar *>())
            holders << b;
        holders << tree;
        for (QWidget *h : holders)
            for (QAction *act : h->actions())
                QVERIFY2(!unbuilt.contains(act) || !act->isVisible(), qPrintable(act->objectName()));

        // F4 (create table) reaches nothing.
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTest::keyClick(w.get(), Qt::Key_F4);
        QVERIFY(seam.shown.empty());
    }
};

QTEST_MAIN(test_unbuilt_windows)
#include "test_unbuilt_windows.moc"
