// The view menu of the main window: icon sizes, the panes that can be hidden, full screen, and
// the language menu next to it.
#include "shell/main_window.h"

#include "config/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/language_switch.h"

#include <QAction>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

void MainWindow::apply_icon_size(int edge)
{
    tool_bar_->setIconSize(QSize(edge, edge));
    tree_->setIconSize(QSize(edge, edge));
}

void MainWindow::apply_view_config()
{
    // A pane the user hid stays hidden at the next start.
    const struct {
        QAction *action;
        QWidget *pane;
        uint8_t shown;
    } panes[] = {
        {act_.view_db, tree_, sys_config.view_db},
        {act_.view_log, log_, sys_config.view_log},
        {act_.view_statusbar, statusBar(), sys_config.view_statusbar},
        {act_.view_toolbar, tool_bar_, sys_config.view_toolbar},
    };
    for (const auto &p : panes) {
        p.action->setChecked(p.shown != 0);
        p.pane->setVisible(p.shown != 0);
    }
}

namespace {

void choose_icon_size(const main_actions &a, QAction *chosen, int edge)
{
    for (QAction *act : a.icon_size_actions())
        act->setChecked(act == chosen);
    sys_config.icon_size = edge;
}

} // namespace

void MainWindow::view_big()
{
    choose_icon_size(act_, act_.view_big, 48);
    apply_icon_size(48);
}

void MainWindow::view_normal()
{
    choose_icon_size(act_, act_.view_normal, 32);
    apply_icon_size(32);
}

void MainWindow::view_small()
{
    choose_icon_size(act_, act_.view_small, 24);
    apply_icon_size(24);
}

void MainWindow::view_db()
{
    sys_config.view_db = act_.view_db->isChecked() ? 1 : 0;
    tree_->setVisible(sys_config.view_db);
}

void MainWindow::view_log()
{
    sys_config.view_log = act_.view_log->isChecked() ? 1 : 0;
    log_->setVisible(sys_config.view_log);
}

void MainWindow::view_statusbar()
{
    sys_config.view_statusbar = act_.view_statusbar->isChecked() ? 1 : 0;
    statusBar()->setVisible(sys_config.view_statusbar);
}

void MainWindow::view_toolbar()
{
    sys_config.view_toolbar = act_.view_toolbar->isChecked() ? 1 : 0;
    tool_bar_->setVisible(sys_config.view_toolbar);
}

void MainWindow::visibility_changed(bool visible)
{
    act_.view_toolbar->setChecked(visible);
}

void MainWindow::view_fullscreen()
{
    // Toggling only the full-screen bit brings a maximised window back maximised.
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    act_.view_fullscreen->setChecked(isFullScreen());
}

void MainWindow::lang_zh()
{
    language_switch::choose(this, 0, act_.language_actions(),
                            [this] { return files_->save_all_before_leaving(); });
}

void MainWindow::lang_en()
{
    language_switch::choose(this, 1, act_.language_actions(),
                            [this] { return files_->save_all_before_leaving(); });
}

void MainWindow::lang_fr()
{
    language_switch::choose(this, 2, act_.language_actions(),
                            [this] { return files_->save_all_before_leaving(); });
}

void MainWindow::lang_jp()
{
    language_switch::choose(this, 3, act_.language_actions(),
                            [this] { return files_->save_all_before_leaving(); });
}
