// The edit menu acts on the script editor of the current tab and gives it the focus; without an
// editor tab it does nothing. Find and replace follow the focus: a result grid searches itself.
#include "shell/main_window.h"

#include "script/cmd_script_editor.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTableView>

QAction *MainWindow::focused_grid_find() const
{
    cmd_script_editor *ed = current_editor();
    QWidget *focus = QApplication::focusWidget();
    if (!ed || !focus || !ed->result_tabs()->isAncestorOf(focus))
        return nullptr;
    for (QWidget *w = focus; w && w != ed; w = w->parentWidget())
        if (auto *view = qobject_cast<QTableView *>(w))
            return view->findChild<QAction *>(QStringLiteral("act_find_result"), Qt::FindDirectChildrenOnly);
    return nullptr;
}

void MainWindow::forward_to_editor(void (cmd_script_editor::*operation)())
{
    cmd_script_editor *ed = current_editor();
    if (!ed)
        return;
    (ed->*operation)();
    ed->setFocus();
}

void MainWindow::cut() { forward_to_editor(&cmd_script_editor::cut); }
void MainWindow::copy() { forward_to_editor(&cmd_script_editor::copy); }
void MainWindow::paste() { forward_to_editor(&cmd_script_editor::paste); }
void MainWindow::redo() { forward_to_editor(&cmd_script_editor::redo); }
void MainWindow::undo() { forward_to_editor(&cmd_script_editor::undo); }
void MainWindow::goto_err() { forward_to_editor(&cmd_script_editor::goto_err); }
void MainWindow::goto_lineb() { forward_to_editor(&cmd_script_editor::goto_lineb); }
void MainWindow::goto_linee() { forward_to_editor(&cmd_script_editor::goto_linee); }
void MainWindow::goto_wordb() { forward_to_editor(&cmd_script_editor::goto_wordb); }
void MainWindow::goto_worde() { forward_to_editor(&cmd_script_editor::goto_worde); }
void MainWindow::del_sel() { forward_to_editor(&cmd_script_editor::del_sel); }
void MainWindow::sel_beside() { forward_to_editor(&cmd_script_editor::sel_beside); }
void MainWindow::sel_all() { forward_to_editor(&cmd_script_editor::sel_all); }
void MainWindow::sel_line() { forward_to_editor(&cmd_script_editor::sel_line); }
void MainWindow::sel_word() { forward_to_editor(&cmd_script_editor::sel_word); }
void MainWindow::exec_sel() { forward_to_editor(&cmd_script_editor::exec_sel); }
void MainWindow::exec_cur() { forward_to_editor(&cmd_script_editor::exec_cur); }
void MainWindow::format_sel() { forward_to_editor(&cmd_script_editor::format_sel); }
// With a result grid focused, the user means the rows on screen, not the script; result grids are
// read-only, so replace finds there too.
void MainWindow::find()
{
    if (QAction *grid = focused_grid_find())
        grid->trigger();
    else
        forward_to_editor(&cmd_script_editor::find);
}

void MainWindow::replace()
{
    if (QAction *grid = focused_grid_find())
        grid->trigger();
    else
        forward_to_editor(&cmd_script_editor::replace);
}
