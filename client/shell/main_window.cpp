// Construction of the main window, the tree and tab slots, reconnect and closing.
#include "shell/main_window.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "common/wait_notice.h"
#include "db/db_exec.h"
#include "db/db_link.h"
#include "config/sys_config.h"
#include "shell/cmd_file_tabs.h"
#include "shell/language_switch.h"
#include "shell/log_pane_menu.h"
#include "shell/status_indicators.h"
#include "shell/tab_area.h"
#include "table/window_closing.h"
#include "vorn_tsdb.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

MainWindow::MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
                       QWidget *parent)
    : QMainWindow(parent), ip_(ip.toUtf8()), port_(port), user_(user.toUtf8()),
      passwd_(passwd.toUtf8())
{
    link_ = new db_link(QByteArrayLiteral("vorn_tsdb"));
    // The login is the first job, so everything the window asks for comes after it.
    link_->login(login_values{ ip_, port_, user_, passwd_ }, this, [this](const db_status &st) {
        if (!st.ok && indicators_)
            indicators_->set_connected(false);
    });
    init();
}

MainWindow::MainWindow(db_link *link, QWidget *parent)
    : QMainWindow(parent), ip_(link->values().ip), port_(link->values().port),
      user_(link->values().user), passwd_(link->values().passwd), link_(link)
{
    link_->setParent(nullptr);
    init();
}

void MainWindow::init()
{
    build_form();
    act_.create(this);
    act_.build_menus(menuBar());
    act_.build_tool_bar(tool_bar_);
    connect(act_.goto_err, &QAction::changed, this, &MainWindow::change_es);
    connect(act_.save_file, &QAction::changed, this, &MainWindow::change_save_all);
    area_ = new tab_area(tab_widget_, this);
    connect(area_, &tab_area::new_file_requested, this, qOverload<>(&MainWindow::new_file));

    fill_recent_menu();
    language_switch::check_only(act_.language_actions(), sys_config.lang);

    // A child made after the form: the tabs and the tree, which use it, go before it.
    link_->setParent(this);
    db_ = &link_->log_side();
    db_->set_log(log_);
    log_menu_ = new log_pane_menu(log_, db_, this);
    log_->resize(log_->width(), 150);
    splitter_->setSizes({qMax(200, height() - 150), 150});
    create_file_tabs();

    tree_model_ = new db_tree(tree_, link_, this);
    // A rebuild keeps the selection quietly; the actions follow it once the tree is whole.
    connect(tree_model_, &db_tree::refreshed, this, [this] { currentItemChanged(tree_->currentItem(), nullptr); });
    tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
    tree_->setIconSize(QSize(24, 24));
    connect(tree_, &QTreeWidget::currentItemChanged, this, &MainWindow::currentItemChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &MainWindow::itemDoubleClicked);
    // The start-up's own commands leave the pane empty.
    tree_model_->refresh([this] {
        after_refresh();
        db_->update_log();
        log_->clear();
    });
    currentItemChanged(tree_->currentItem(), nullptr);

    status_wait_ = new wait_notice(link_, nullptr, statusBar());
    statusBar()->addWidget(status_wait_);
    indicators_ = new status_indicators(statusBar());
    indicators_->set_server(QString::fromUtf8(user_), QString::fromUtf8(ip_), port_);
    // A command that finds the connection gone says so at once, not at the next reconnect.
    connect(link_, &db_link::connection_lost, indicators_, [this] { indicators_->set_connected(false); });
    connect(link_, &db_link::reconnect_requested, this, qOverload<>(&MainWindow::reconnect));
    connect(tool_bar_, &QToolBar::visibilityChanged, this, &MainWindow::visibility_changed);
    connect(tab_widget_, &QTabWidget::tabCloseRequested, this, &MainWindow::close_tab);
    connect(tab_widget_, &QTabWidget::currentChanged, this, &MainWindow::currentChanged);
    connect(tab_widget_, &QTabWidget::tabBarClicked, this, &MainWindow::tabBarClicked);
    connect(tab_widget_, &QTabWidget::tabBarDoubleClicked, this, &MainWindow::tabBarDoubleClicked);

    tab_widget_->tabBar()->setContextMenuPolicy(Qt::ActionsContextMenu);
    tab_widget_->tabBar()->addActions(act_.close_actions());

    files_->reopen_at_start();
    // Text that a crash or a kill left behind is offered once the window stands.
    QTimer::singleShot(0, files_, &cmd_file_tabs::offer_left_copies);
    // Leaving through the language restart ends the run without closing the window.
    connect(qApp, &QCoreApplication::aboutToQuit, files_, &cmd_file_tabs::end_session);

    apply_view_config();
    showMaximized();

    if (sys_config.check_update)
        update();

    if (sys_config.icon_size == 48 || sys_config.icon_size == 32 || sys_config.icon_size == 24) {
        QAction *chosen = sys_config.icon_size == 48   ? act_.view_big
                          : sys_config.icon_size == 32 ? act_.view_normal
                                                       : act_.view_small;
        for (QAction *a : act_.icon_size_actions())
            a->setChecked(a == chosen);
        apply_icon_size(sys_config.icon_size);
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::build_form()
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("vorn tsdb database gui client"));
    resize(1001, 615);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);

    splitter_2_ = new QSplitter(Qt::Horizontal, central);
    splitter_2_->setObjectName(QStringLiteral("splitter_2"));
    tree_ = new QTreeWidget(splitter_2_);
    tree_->setObjectName(QStringLiteral("treeWidget"));
    tree_->setHeaderHidden(true);
    tree_->setMaximumWidth(260);

    splitter_ = new QSplitter(Qt::Vertical, splitter_2_);
    splitter_->setObjectName(QStringLiteral("splitter"));
    tab_widget_ = new QTabWidget(splitter_);
    tab_widget_->setObjectName(QStringLiteral("tabWidget"));
    tab_widget_->setMinimumHeight(200);
    tab_widget_->setTabsClosable(true);
    tab_widget_->setMovable(true);
    log_ = new QTextEdit(splitter_);
    log_->setObjectName(QStringLiteral("textEdit"));
    log_->setReadOnly(true);
    log_->setAcceptRichText(true);
    log_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    log_->setMaximumHeight(240);
    splitter_2_->setStretchFactor(1, 1);
    layout->addWidget(splitter_2_);
    setCentralWidget(central);

    menuBar()->setObjectName(QStringLiteral("menubar"));
    statusBar()->setObjectName(QStringLiteral("statusbar"));
    tool_bar_ = new QToolBar(this);
    tool_bar_->setObjectName(QStringLiteral("toolBar"));
    tool_bar_->setWindowTitle(tr("toolBar"));
    addToolBar(Qt::TopToolBarArea, tool_bar_);
}

void MainWindow::refresh()
{
    tree_model_->refresh([this] { after_refresh(); });
}

void MainWindow::after_refresh()
{
    area_->close_stale(tree_model_->tables());
    // Tables and fields made since a tab opened are offered there from now on.
    for (QWidget *page : editors())
        hand_names(page);
}

// ---------------------------------------------------------------- tree

void MainWindow::currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *)
{
    tree_model_->apply_selection(current, act_);
}

void MainWindow::itemDoubleClicked(QTreeWidgetItem *item, int)
{
    tree_model_->add_fields(item);
}

QByteArray MainWindow::current_table() const
{
    const QTreeWidgetItem *cur = tree_->currentItem();
    if (db_tree::level_of(cur) == db_tree::field_level)
        cur = cur->parent();
    return db_tree::level_of(cur) == db_tree::table_level ? cur->text(0).toUtf8() : QByteArray();
}

QByteArray MainWindow::current_field() const
{
    const QTreeWidgetItem *cur = tree_->currentItem();
    return db_tree::level_of(cur) == db_tree::field_level ? cur->text(0).toUtf8() : QByteArray();
}

void MainWindow::select_parent_and_refresh()
{
    tree_model_->select_parent();
    refresh();
}

// ---------------------------------------------------------------- tabs

void MainWindow::currentChanged(int index)
{
    QWidget *page = index >= 0 ? tab_widget_->widget(index) : nullptr;
    QTabBar *bar = tab_widget_->tabBar();
    if (area_->is_script_tab(page)) {
        bar->addActions(act_.close_actions());
        for (QAction *a : act_.navigation_actions() + act_.close_actions() +
                              QList<QAction *>{act_.save_file_as, act_.print})
            a->setEnabled(true);
        attach_editor(page);
        page->setFocus();
        return;
    }
    for (QAction *a : act_.close_actions())
        bar->removeAction(a);
    for (QAction *a : act_.editor_actions() + act_.close_actions() +
                          QList<QAction *>{act_.save_file_as, act_.print})
        a->setEnabled(false);
    // Ctrl+W closes a tab of any kind.
    act_.close_file->setEnabled(page != nullptr);
    // Enabled first so that the change signal of "goto error" fires and the error indicator
    // is put back to its resting state.
    for (QAction *a : act_.navigation_actions())
        a->setEnabled(true);
    for (QAction *a : act_.navigation_actions())
        a->setEnabled(false);
}

void MainWindow::tabBarClicked(int index)
{
    if (index >= 0)
        tab_widget_->setCurrentIndex(index);
}

void MainWindow::tabBarDoubleClicked(int)
{
    new_file();
}

void MainWindow::close_tab(int index)
{
    QWidget *page = tab_widget_->widget(index);
    if (!page)
        return;
    if (area_->is_script_tab(page)) {
        tab_widget_->setCurrentIndex(index);
        close_file();
        // An editor whose file could not be written stays, so its text is not lost.
        return;
    }
    // Unapplied edits are asked about; a window that applies them ends itself afterwards.
    if (ask_before_closing(page) == close_answer::go)
        area_->remove_tab(page);
}

void MainWindow::add_table_window(QWidget *window, const QString &title)
{
    area_->add_table_window(window, title);
    // Dialogs and the table windows (plain widgets) both end with accepted() or rejected();
    // the signals are found by name so any window that declares them closes its tab.
    const QMetaObject *meta = window->metaObject();
    if (meta->indexOfSignal("accepted()") >= 0)
        connect(window, SIGNAL(accepted()), this, SLOT(tab_accepted()));
    if (meta->indexOfSignal("rejected()") >= 0)
        connect(window, SIGNAL(rejected()), this, SLOT(tab_rejected()));
}

// The window that finished, when a table window's signal called; else the current tab.
static int finished_tab(QTabWidget *tabs, QObject *sender)
{
    const int index = tabs->indexOf(qobject_cast<QWidget *>(sender));
    return index >= 0 ? index : tabs->currentIndex();
}

void MainWindow::tab_accepted()
{
    area_->remove_tab(finished_tab(tab_widget_, sender()));
    refresh();
}

void MainWindow::tab_rejected()
{
    area_->remove_tab(finished_tab(tab_widget_, sender()));
}

// ---------------------------------------------------------------- indicators

void MainWindow::change_es()
{
    if (indicators_)
        indicators_->set_error(act_.goto_err->isEnabled());
}

void MainWindow::change_save_all()
{
    bool any = false;
    for (QWidget *editor : area_->script_tabs())
        any = any || editor_modified(editor);
    act_.save_all_files->setEnabled(any);
}

// ---------------------------------------------------------------- connection

void MainWindow::reconnect()
{
    indicators_->set_connected(false);
    link_->reconnect(this, [this](const db_status &st) {
        if (st.ok) {
            modal_seam::information(this, tr("reconnect information"), tr("reconnect sussesful!"));
            refresh();
            indicators_->set_connected(true);
        } else if (!st.dropped) {
            modal_seam::information(this, tr("reconnect information"), tr("reconnect failed!"));
        }
    });
}

// ---------------------------------------------------------------- closing

void MainWindow::quit()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Unapplied edits of the table windows come first; one that applies them on the way out
    // lets the quit go on once it has ended itself.
    QList<QWidget *> tables;
    for (int i = 0; i < tab_widget_->count(); ++i)
        if (!area_->is_script_tab(tab_widget_->widget(i)))
            tables << tab_widget_->widget(i);
    if (!ask_before_closing_all(tables, [this] { close(); })) {
        event->ignore();
        return;
    }
    // Waiting is the safe answer: the command may still finish.
    if (link_->busy()) {
        if (modal_seam::question(this, tr("quit"),
                                 tr("a command is still waiting for the server's answer; stop waiting and quit?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        link_->cancel();
    }
    if (!files_->save_all_before_leaving()) {
        event->ignore();
        return;
    }
    // Every file is saved or its changes were given up: no copy is left to offer.
    files_->end_session();
    event->accept();
}
