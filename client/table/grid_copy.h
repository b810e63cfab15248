// Copying a grid's cells for a spreadsheet: tab-separated text, the column names first, the
// texts as the grid shows them.
#pragma once

#include <QString>

class QAction;
class QTableView;
class QWidget;

// The selected cells (the current cell when nothing is selected): every row and column that
// holds one, in the order the grid shows them; cells between them that are not selected stay
// empty. Empty without a cell.
QString selected_cells_text(const QTableView *view);
// Every row and every shown column.
QString all_cells_text(const QTableView *view);

// Ctrl+C on the grid copies its selected cells, ahead of any window shortcut on the same key;
// the returned action ("copy", in the menu of menu_owner, the grid when null) does the same.
QAction *add_copy_action(QTableView *view, QWidget *menu_owner = nullptr);
