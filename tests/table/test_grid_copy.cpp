// The text a grid's copy puts on the clipboard: the chosen cells tab-separated with the column
// names first, rows and columns in the order the grid shows them, for a spreadsheet.
#include "table/grid_copy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

using cell_list = QList<QPoint>; // x: row, y: column

class test_grid_copy : public QObject {
    Q_OBJECT

    // Three rows of columns a, b, c; the cell texts name their place, one holds a tab.
    static void fill(QStandardItemModel &m)
    {
        m.setHorizontalHeaderLabels({"a", "b", "c"});
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                m.setItem(r, c, new QStandardItem(QStringLiteral("%1%2").arg(QChar('a' + c)).arg(r)));
        m.item(2, 2)->setText(QStringLiteral("x\ty"));
    }

private slots:
    void selected_cells_data()
    {
        QTest::addColumn<cell_list>("cells");
        QTest::addColumn<bool>("move_c_first");
        QTest::addColumn<bool>("hide_b");
        QTest::addColumn<QString>("text");
        QTest::newRow("current cell alone") << cell_list{} << false << false << "b\nb1\n";
        QTest::newRow("block") << cell_list{{0, 0}, {0, 1}, {1, 0}, {1, 1}} << false << false << "a\tb\na0\tb0\na1\tb1\n";
        QTest::newRow("gaps stay empty") << cell_list{{0, 0}, {2, 1}} << false << false << "a\tb\na0\t\n\tb2\n";
        QTest::newRow("shown column order") << cell_list{{0, 0}, {0, 2}} << true << false << "c\ta\nc0\ta0\n";
        QTest::newRow("hidden column left out") << cell_list{{1, 0}, {1, 1}, {1, 2}} << false << true << "a\tc\na1\tc1\n";
        QTest::newRow("a tab is quoted") << cell_list{{2, 2}} << false << false << "c\n\"x\ty\"\n";
    }
    void selected_cells()
    {
        QFETCH(cell_list, cells);
        QFETCH(bool, move_c_first);
        QFETCH(bool, hide_b);
        QFETCH(QString, text);
        QStandardItemModel m;
        fill(m);
        QTableView view;
        view.setModel(&m);
        if (move_c_first)
            view.horizontalHeader()->moveSection(2, 0);
        view.setColumnHidden(1, hide_b);
        view.selectionModel()->setCurrentIndex(m.index(1, 1), QItemSelectionModel::NoUpdate);
        for (const QPoint &p : cells)
            view.selectionModel()->select(m.index(p.x(), p.y()), QItemSelectionModel::Select);
        QCOMPARE(selected_cells_text(&view), text);
        // The menu entry copies the same.
        QAction *copy = add_copy_action(&view);
        QVERIFY(view.actions().contains(copy));
        copy->trigger();
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    void all_cells()
    {
        QStandardItemModel m;
        fill(m);
        QTableView view;
        view.setModel(&m);
        view.setColumnHidden(0, true);
        QCOMPARE(all_cells_text(&view), QStringLiteral("b\tc\nb0\tc0\nb1\tc1\nb2\t\"x\ty\"\n"));
    }
};

QTEST_MAIN(test_grid_copy)
#include "test_grid_copy.moc"
