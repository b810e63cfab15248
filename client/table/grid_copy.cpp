// Tab-separated text of a grid's cells, and the key and menu entry that put it on the clipboard.
#include "table/grid_copy.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QSet>
#include <QTableView>
#include <algorithm>
#include <vector>

namespace {

class grid_copy {
    Q_DECLARE_TR_FUNCTIONS(grid_copy)
};

// A field a spreadsheet reads back as one cell: quoted when it holds a tab, a line break or a
// quote.
QString field(QString text)
{
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
        !text.contains(QLatin1Char('"')))
        return text;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Logical indexes of the sections in the order the header shows them, hidden ones left out.
std::vector<int> shown_order(const QHeaderView *header, int count)
{
    std::vector<int> out;
    for (int v = 0; v < count; ++v) {
        const int logical = header->logicalIndex(v);
        if (logical >= 0 && !header->isSectionHidden(logical))
            out.push_back(logical);
    }
    return out;
}

template <class Take>
QString text_of(const QTableView *view, const std::vector<int> &rows, const std::vector<int> &columns, Take take)
{
    const QAbstractItemModel *model = view->model();
    QString out;
    QStringList line;
    for (int c : columns)
        line << field(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    out += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r : rows) {
        line.clear();
        for (int c : columns)
            line << (take(r, c) ? field(model->data(model->index(r, c), Qt::DisplayRole).toString()) : QString());
        out += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

// Copies on Ctrl+C before the window's shortcuts see the key (a script tab's editor has its own
// copy on the same key).
class copy_keys : public QObject {
public:
    explicit copy_keys(QTableView *view) : QObject(view), view_(view) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched == view_ && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent *>(e)->matches(QKeySequence::Copy)) {
            if (e->type() == QEvent::KeyPress)
                QApplication::clipboard()->setText(selected_cells_text(view_));
            e->accept();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

private:
    QTableView *view_;
};

} // namespace

QString selected_cells_text(const QTableView *view)
{
    if (!view || !view->model())
        return QString();
    QModelIndexList picked = view->selectionModel() ? view->selectionModel()->selectedIndexes() : QModelIndexList();
    if (picked.isEmpty() && view->currentIndex().isValid())
        picked << view->currentIndex();
    if (picked.isEmpty())
        return QString();
    QSet<QPair<int, int>> cells;
    QSet<int> row_set, column_set;
    for (const QModelIndex &i : picked) {
        if (view->horizontalHeader()->isSectionHidden(i.column()))
            continue;
        cells.insert({i.row(), i.column()});
        row_set.insert(i.row());
        column_set.insert(i.column());
    }
    const QAbstractItemModel *model = view->model();
    std::vector<int> rows, columns;
    for (int r : shown_order(view->verticalHeader(), model->rowCount()))
        if (row_set.contains(r))
            rows.push_back(r);
    for (int c : shown_order(view->horizontalHeader(), model->columnCount()))
        if (column_set.contains(c))
            columns.push_back(c);
    if (columns.empty())
        return QString();
    return text_of(view, rows, columns, [&cells](int r, int c) { return cells.contains({r, c}); });
}

QString all_cells_text(const QTableView *view)
{
    if (!view || !view->model())
        return QString();
    const QAbstractItemModel *model = view->model();
    return text_of(view, shown_order(view->verticalHeader(), model->rowCount()),
                   shown_order(view->horizontalHeader(), model->columnCount()), [](int, int) { return true; });
}

QAction *add_copy_action(QTableView *view, QWidget *menu_owner)
{
    view->installEventFilter(new copy_keys(view));
    QWidget *owner = menu_owner ? menu_owner : view;
    auto *act = new QAction(QIcon(QStringLiteral(":/img/copy.svg")), grid_copy::tr("copy"), owner);
    act->setObjectName(QStringLiteral("act_copy_cells"));
    act->setToolTip(grid_copy::tr("copy the selected cells with their column names, for a spreadsheet"));
    // Shown in the menu; the key itself is the grid's (above), so no other widget's copy is taken.
    act->setShortcut(QKeySequence::Copy);
    act->setShortcutContext(Qt::WidgetShortcut);
    act->setShortcutVisibleInContextMenu(true);
    QObject::connect(act, &QAction::triggered, view,
                     [view] { QApplication::clipboard()->setText(selected_cells_text(view)); });
    owner->addAction(act);
    return act;
}
