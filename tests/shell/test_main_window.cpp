// The main window's frame: layout, menus and tool bar, icon sizes and panes kept in the
// configuration, the language switch with its restart, reconnect with the indicators, the tab
// area and running a command file.
#include "main_window_fixture.h"

#include "db/db_exec.h"
#include "shell/language_switch.h"
#include "shell/log_pane_menu.h"
#include "shell/status_indicators.h"
#include "shell/tab_area.h"

#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>

using namespace mw_test;

class test_main_window : public window_test {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layout_and_names();
    void menu_bar_order();
    void tool_bar_order();
    void shortcuts_and_icons();
    void recent_files_menu();
    void language_marks_at_start_data();
    void language_marks_at_start();
    void icon_size_from_config_data();
    void icon_size_from_config();
    void icon_size_actions();
    void pane_toggles_stored();
    void hidden_panes_stay_hidden();
    void full_screen_toggle();
    void language_restart_writes_config_first();
    void language_no_keeps_running();
    void reconnect_success();
    void reconnect_failure();
    void error_indicator_follows_goto_error();
    void table_window_tabs();
    void double_click_beside_tabs();
    void exec_cmd_runs_trimmed_lines();
    void exec_cmd_stops_at_failure();
    void log_pane_clear_and_filter();

private:
    QTemporaryDir dir_;
    QString old_cwd_;
};

void test_main_window::initTestCase()
{
    QVERIFY(dir_.isValid());
    old_cwd_ = QDir::currentPath();
    // The language switch writes "config" into the working folder.
    QDir::setCurrent(dir_.path());
}

// The window is opened by each case, some after setting the configuration it starts from.
void test_main_window::init()
{
    const QString why = start({"create t1 f1 i32 f2 string", "create t2 v double"});
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void test_main_window::cleanup()
{
    close();
    language_switch::set_exit_hook(nullptr);
    QFile::remove(QStringLiteral("config"));
    QFile::remove(QStringLiteral("config.bak"));
}

void test_main_window::layout_and_names()
{
    QVERIFY(open_main().isEmpty());
    QCOMPARE(w_->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("vorn tsdb database gui client"));
    QVERIFY(w_->isMaximized());
    auto *outer = w_->findChild<QSplitter *>("splitter_2");
    auto *inner = w_->findChild<QSplitter *>("splitter");
    QVERIFY(outer && inner);
    QCOMPARE(outer->orientation(), Qt::Horizontal);
    QCOMPARE(inner->orientation(), Qt::Vertical);
    QCOMPARE(outer->widget(0), static_cast<QWidget *>(w_->tree()));
    QCOMPARE(outer->widget(1), static_cast<QWidget *>(inner));
    QCOMPARE(inner->widget(0), static_cast<QWidget *>(w_->tabs()));
    QCOMPARE(inner->widget(1), static_cast<QWidget *>(w_->log_pane()));
    QCOMPARE(w_->tree()->objectName(), QStringLiteral("treeWidget"));
    QVERIFY(w_->tree()->isHeaderHidden());
    QCOMPARE(w_->tree()->maximumWidth(), 260);
    QCOMPARE(w_->tabs()->objectName(), QStringLiteral("tabWidget"));
    QVERIFY(w_->tabs()->tabsClosable());
    QVERIFY(w_->tabs()->isMovable());
    QCOMPARE(w_->tabs()->minimumHeight(), 200);
    QCOMPARE(w_->log_pane()->objectName(), QStringLiteral("textEdit"));
    QVERIFY(w_->log_pane()->isReadOnly());
    QCOMPARE(w_->log_pane()->maximumHeight(), 240);
    QCOMPARE(w_->menuBar()->objectName(), QStringLiteral("menubar"));
    QCOMPARE(w_->statusBar()->objectName(), QStringLiteral("statusbar"));
    QCOMPARE(w_->tool_bar()->objectName(), QStringLiteral("toolBar"));
    QCOMPARE(w_->tool_bar()->windowTitle(), QStringLiteral("toolBar"));
    QCOMPARE(w_->exec()->name(), QByteArray("vorn_tsdb"));
    // The refresh at start ran through the wrapper, but the pane starts empty, also once the
    // event loop had its turn.
    QTRY_COMPARE(w_->exec()->pending_lines(), 0);
    QCoreApplication::processEvents();
    QVERIFY(w_->log_pane()->toPlainText().isEmpty());
    w_->refresh();
    QVERIFY(settle(w_.get()));
    w_->exec()->update_log();
    QVERIFY(w_->log_pane()->toPlainText().contains(QStringLiteral("show tables")));
    // quit closes the window.
    w_->actions().quit->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(!w_->isVisible());
    QCOMPARE(w_->tabs()->tabBar()->contextMenuPolicy(), Qt::ActionsContextMenu);
}

void test_main_window::menu_bar_order()
{
    QVERIFY(open_main().isEmpty());
    const QList<QAction *> menus = w_->menuBar()->actions();
    QCOMPARE(texts_of(menus), (QStringList{"file(&f)", "database(&d)", "edit(&e)", "view(&v)",
                                           "option(&o)", "help(&h)"}));
    auto items = [&](int i) { return texts_of(menus[i]->menu()->actions()); };
    QCOMPARE(items(0), (QStringList{"new file(&n)", "open file(&o)", "open recent files(&r)", "|",
                                    "close file(&c)", "close all files(&f)", "close except file(&e)", "|",
                                    "save file(&s)", "save as (&b)", "save all files(&a)", "|",
                                    "print file(&p)", "|", "cluster manage(&m)", "|", "quit(&q)"}));
    QCOMPARE(items(1), (QStringList{"refresh(&r)", "create table(&c)", "reconnect(&r)", "backup(&b)",
                                    "restore(&r)", "execute cmd(&e)", "drop(&d)", "truncate(&t)", "|",
                                    "view data(&v)", "view field(&v)", "create field(&c)", "import(&i)",
                                    "export(&e)", "save table(&s)", "load table(&l)", "|"}));
    QCOMPARE(items(2), (QStringList{"redo(&r)", "undo(&u)", "|", "cut(&t)", "copy(&c)", "paste(&p)", "|",
                                    "goto error(&g)", "line begin", "line end", "word begin", "word end", "|",
                                    "select beside", "select all", "select line", "select word", "|",
                                    "delete selection", "execute selection", "execute current line",
                                    "format selection", "|", "find", "replace"}));
    QCOMPARE(items(3), (QStringList{"icon(&i)", "|", "window", "toolbar(&t)", "statusbar(&s)", "|",
                                    "fullscreen(&f)"}));
    QMenu *view = menus[3]->menu();
    QCOMPARE(texts_of(view->actions()[0]->menu()->actions()),
             (QStringList{"big(&b)", "normal(&n)", "small(&s)"}));
    QVERIFY(!view->actions()[0]->icon().isNull());
    QCOMPARE(texts_of(view->actions()[2]->menu()->actions()), (QStringList{"database", "log"}));
    QCOMPARE(items(4), (QStringList{"language", "|", "preference(&p)"}));
    QCOMPARE(texts_of(menus[4]->menu()->actions()[0]->menu()->actions()),
             (QStringList{QString::fromUtf8(" 简体中文(&z)"), "English(&e)",
                          QString::fromUtf8("Français(&f)"), "JP(&j)"}));
    QCOMPARE(items(5), (QStringList{"document(&d)", "|", "update(&u)", "|", "about(&a)"}));
    QCOMPARE(texts_of(menus[5]->menu()->actions()[0]->menu()->actions()),
             (QStringList{"online reference(&o)", "local(&l)"}));
}

void test_main_window::tool_bar_order()
{
    QVERIFY(open_main().isEmpty());
    QCOMPARE(texts_of(w_->tool_bar()->actions()),
             (QStringList{"new file(&n)", "open file(&o)", "save file(&s)", "save all files(&a)", "|",
                          "refresh(&r)", "create table(&c)", "reconnect(&r)", "backup(&b)",
                          "restore(&r)", "execute cmd(&e)", "load table(&l)", "|", "save table(&s)",
                          "drop(&d)", "view data(&v)", "truncate(&t)", "view field(&v)", "import(&i)",
                          "export(&e)", "|"}));
}

void test_main_window::shortcuts_and_icons()
{
    QVERIFY(open_main().isEmpty());
    const main_actions &a = w_->actions();
    const struct {
        QAction *action;
        const char *keys;
    } keys[] = {{a.new_file, "Ctrl+N"}, {a.open_file, "Ctrl+O"}, {a.save_file, "Ctrl+S"},
                {a.save_all_files, "Ctrl+Shift+S"}, {a.close_file, "Ctrl+W"},
                {a.close_all_files, "Ctrl+Shift+W"}, {a.print, "Ctrl+P"}, {a.quit, "Ctrl+Q"},
                {a.refresh, "F5"}, {a.create_table, "F4"}, {a.exec_cmd, "F6"}, {a.cut, "Ctrl+X"},
                {a.copy, "Ctrl+C"}, {a.paste, "Ctrl+V"}, {a.redo, "Ctrl+Y"}, {a.undo, "Ctrl+Z"},
                {a.goto_err, "Ctrl+E"}, {a.sel_all, "Ctrl+A"}, {a.exec_cur, "F7"},
                {a.find, "Ctrl+F"}, {a.replace, "Ctrl+H"}, {a.view_fullscreen, "Ctrl+Shift+F11"}};
    for (const auto &k : keys)
        QCOMPARE(k.action->shortcut(), QKeySequence(QString::fromLatin1(k.keys)));
    QVERIFY(a.reconnect->shortcut().isEmpty());
    for (QAction *act : {a.new_file, a.cluster, a.refresh, a.drop_table, a.delete_col, a.find,
                         a.preference, a.help_local, a.update, a.about})
        QVERIFY2(!act->icon().isNull(), qPrintable(act->objectName()));
    for (QAction *act : {a.quit, a.save_file_as, a.goto_lineb, a.sel_all, a.help_online})
        QVERIFY2(act->icon().isNull(), qPrintable(act->objectName()));
    for (QAction *act : a.all()) {
        const bool checkable = a.icon_size_actions().contains(act) || a.language_actions().contains(act) ||
                               QList<QAction *>{a.view_db, a.view_log, a.view_toolbar,
                                                a.view_statusbar, a.view_fullscreen}.contains(act);
        QCOMPARE(act->isCheckable(), checkable);
    }
}

void test_main_window::recent_files_menu()
{
    QVERIFY(open_main().isEmpty());
    QVERIFY(w_->actions().recent_menu->actions().isEmpty());
    w_.reset();

    sys_config.add_recent_file("/tmp/b.tcd");
    sys_config.add_recent_file("/tmp/a.tcd");
    w_ = std::make_unique<MainWindow>("127.0.0.1", server_->port(), "admin", "admin");
    QMenu *recent = w_->actions().recent_menu;
    QCOMPARE(texts_of(recent->actions()), (QStringList{"/tmp/a.tcd", "/tmp/b.tcd", "|", "clear file list"}));
    w_->actions().cls_recent->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(recent->actions().isEmpty());
    QVERIFY(sys_config.recent_files.empty());
}

void test_main_window::language_marks_at_start_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("checked");
    QTest::newRow("Chinese") << 0 << 0;
    QTest::newRow("English") << 1 << 1;
    QTest::newRow("French") << 2 << 2;
    QTest::newRow("Japanese") << 3 << 3;
    QTest::newRow("unknown") << 7 << -1;
}

void test_main_window::language_marks_at_start()
{
    QFETCH(int, code);
    QFETCH(int, checked);
    sys_config.lang = code;
    QVERIFY(open_main().isEmpty());
    const QList<QAction *> langs = w_->actions().language_actions();
    for (int i = 0; i < langs.size(); ++i)
        QCOMPARE(langs[i]->isChecked(), i == checked);
}

void test_main_window::icon_size_from_config_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("checked");
    QTest::newRow("big") << 48 << "act_view_big";
    QTest::newRow("normal") << 32 << "act_view_normal";
    QTest::newRow("small") << 24 << "act_view_small";
    QTest::newRow("unknown 40") << 40 << "act_view_normal";
    QTest::newRow("zero") << 0 << "act_view_normal";
}

void test_main_window::icon_size_from_config()
{
    QFETCH(int, size);
    QFETCH(QString, checked);
    sys_config.icon_size = size;
    QVERIFY(open_main().isEmpty());
    for (QAction *a : w_->actions().icon_size_actions())
        QCOMPARE(a->isChecked(), a->objectName() == checked);
    if (size == 48 || size == 32 || size == 24) {
        QCOMPARE(w_->tool_bar()->iconSize(), QSize(size, size));
        QCOMPARE(w_->tree()->iconSize(), QSize(size, size));
    } else {
        const int edge = w_->style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, w_->tool_bar());
        QCOMPARE(w_->tool_bar()->iconSize(), QSize(edge, edge));
        QCOMPARE(w_->tree()->iconSize(), QSize(24, 24));
    }
    QCOMPARE(sys_config.icon_size, size); // only a choice in the menu changes it
}

void test_main_window::icon_size_actions()
{
    QVERIFY(open_main().isEmpty());
    const main_actions &a = w_->actions();
    a.view_big->trigger();
    QCOMPARE(sys_config.icon_size, 48);
    QVERIFY(a.view_big->isChecked() && !a.view_normal->isChecked() && !a.view_small->isChecked());
    QCOMPARE(w_->tool_bar()->iconSize(), QSize(48, 48));
    QCOMPARE(w_->tree()->iconSize(), QSize(48, 48));
    a.view_small->trigger();
    QCOMPARE(sys_config.icon_size, 24);
    QVERIFY(!a.view_big->isChecked() && a.view_small->isChecked());
    QCOMPARE(w_->tree()->iconSize(), QSize(24, 24));
    // Choosing the checked size again leaves it checked.
    a.view_small->trigger();
    QVERIFY(a.view_small->isChecked());
    a.view_normal->trigger();
    QCOMPARE(sys_config.icon_size, 32);
    QCOMPARE(w_->tool_bar()->iconSize(), QSize(32, 32));
}

void test_main_window::pane_toggles_stored()
{
    QVERIFY(open_main().isEmpty());
    const main_actions &a = w_->actions();
    const struct {
        QAction *action;
        QWidget *pane;
        uint8_t *stored;
    } panes[] = {{a.view_db, w_->tree(), &sys_config.view_db},
                 {a.view_log, w_->log_pane(), &sys_config.view_log},
                 {a.view_statusbar, w_->statusBar(), &sys_config.view_statusbar},
                 {a.view_toolbar, w_->tool_bar(), &sys_config.view_toolbar}};
    for (const auto &p : panes) {
        QVERIFY(p.action->isChecked());
        QVERIFY(!p.pane->isHidden());
        p.action->trigger();
        QVERIFY(!p.action->isChecked());
        QCOMPARE(*p.stored, uint8_t(0));
        QVERIFY(p.pane->isHidden());
        p.action->trigger();
        QCOMPARE(*p.stored, uint8_t(1));
        QVERIFY(!p.pane->isHidden());
    }
    // Hiding the tool bar some other way moves the check mark, not the setting.
    w_->tool_bar()->hide();
    QVERIFY(!a.view_toolbar->isChecked());
    QCOMPARE(sys_config.view_toolbar, uint8_t(1));
    w_->tool_bar()->show();
    QVERIFY(a.view_toolbar->isChecked());
}

void test_main_window::hidden_panes_stay_hidden()
{
    sys_config.view_db = 0;
    sys_config.view_log = 0;
    sys_config.view_toolbar = 0;
    QVERIFY(open_main().isEmpty());
    QVERIFY(w_->tree()->isHidden());
    QVERIFY(w_->log_pane()->isHidden());
    QVERIFY(w_->tool_bar()->isHidden());
    QVERIFY(!w_->statusBar()->isHidden());
    QVERIFY(!w_->actions().view_db->isChecked());
    QVERIFY(!w_->actions().view_log->isChecked());
    QVERIFY(!w_->actions().view_toolbar->isChecked());
    QVERIFY(w_->actions().view_statusbar->isChecked());
}

void test_main_window::full_screen_toggle()
{
    QVERIFY(open_main().isEmpty());
    w_->actions().view_fullscreen->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(w_->isFullScreen());
    QVERIFY(w_->actions().view_fullscreen->isChecked());
    w_->actions().view_fullscreen->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(!w_->isFullScreen());
    QVERIFY(w_->isMaximized());
    QVERIFY(!w_->actions().view_fullscreen->isChecked());
}

void test_main_window::language_restart_writes_config_first()
{
    QVERIFY(open_main().isEmpty());
    int exit_code = -1;
    language_switch::set_exit_hook([&](int code) { exit_code = code; });
    QByteArray config_at_start;
    std::vector<modal_seam::request> seen;
    modal_seam::install([&](const modal_seam::request &r) {
        seen.push_back(r);
        modal_seam::answer a;
        if (r.what == modal_seam::kind::start_process) {
            QFile f(QStringLiteral("config"));
            if (f.open(QIODevice::ReadOnly))
                config_at_start = f.readAll();
        } else {
            a.button = QMessageBox::Yes;
        }
        return a;
    });
    w_->actions().lang_fr->trigger();
    QVERIFY(settle(w_.get()));
    modal_seam::uninstall();

    QCOMPARE(seen.size(), size_t(2));
    QCOMPARE(seen[0].what, modal_seam::kind::information);
    QCOMPARE(seen[0].title, QStringLiteral("language changed"));
    QCOMPARE(seen[0].text, QString::fromUtf8(
        "the language change to Français, the application need restart, restart now?"));
    QCOMPARE(seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen[1].what, modal_seam::kind::start_process);
    QVERIFY(config_at_start.size() >= 4);
    int32_t lang = -1;
    memcpy(&lang, config_at_start.constData(), 4);
    QCOMPARE(lang, 2);
    QCOMPARE(exit_code, 0);
    const QList<QAction *> langs = w_->actions().language_actions();
    QVERIFY(!langs[0]->isChecked() && !langs[1]->isChecked() && langs[2]->isChecked());
}

void test_main_window::language_no_keeps_running()
{
    QVERIFY(open_main().isEmpty());
    int exits = 0;
    language_switch::set_exit_hook([&](int) { ++exits; });
    seam_->push_button(QMessageBox::No);
    w_->actions().lang_jp->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(sys_config.lang, 3);
    QCOMPARE(seam_->last_text(),
             QStringLiteral("the language change to Japanese, the application need restart, restart now?"));
    // The current language again still asks.
    seam_->push_button(QMessageBox::No);
    w_->actions().lang_jp->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(w_->actions().lang_jp->isChecked());
    seam_->push_button(QMessageBox::No);
    w_->actions().lang_zh->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(sys_config.lang, 0);
    QVERIFY(!w_->actions().lang_jp->isChecked() && w_->actions().lang_zh->isChecked());
    QCOMPARE(seam_->shown.size(), size_t(3));
    for (const auto &r : seam_->shown)
        QVERIFY(r.what != modal_seam::kind::start_process);
    QCOMPARE(exits, 0);
    QVERIFY(!QFile::exists(QStringLiteral("config")));
}

void test_main_window::reconnect_success()
{
    QVERIFY(open_main().isEmpty());
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/connect.svg"));
    QVERIFY(run_elsewhere(*server_, {"create t9 a i16"}));
    w_->actions().reconnect->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->last_title(), QStringLiteral("reconnect information"));
    QCOMPARE(seam_->last_text(), QStringLiteral("reconnect sussesful!"));
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/connect.svg"));
    QVERIFY(find_item(w_->tree(), "t9"));
    // The new session carries commands.
    QVERIFY(run_in_window(w_.get(), "show tables"));
}

void test_main_window::reconnect_failure()
{
    QVERIFY(open_main().isEmpty());
    QVERIFY(server_->stop());
    w_->actions().reconnect->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->last_title(), QStringLiteral("reconnect information"));
    QCOMPARE(seam_->last_text(), QStringLiteral("reconnect failed!"));
    QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/disconnect.svg"));
    QVERIFY(!w_->indicators()->connected());
    // The window stays usable; commands fail in the wrapper.
    QVERIFY(!run_in_window(w_.get(), "show tables"));
    w_->actions().refresh->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(w_->tree()->topLevelItem(0)->childCount(), 0);
}

void test_main_window::error_indicator_follows_goto_error()
{
    QVERIFY(open_main().isEmpty());
    QCOMPARE(w_->indicators()->error_icon(), QStringLiteral(":/img/correct.svg"));
    w_->actions().goto_err->setEnabled(true);
    QCOMPARE(w_->indicators()->error_icon(), QStringLiteral(":/img/error.svg"));
    // A table window becoming current puts the indicator back.
    w_->tabs()->addTab(new QWidget, QStringLiteral("data of table: t1"));
    QVERIFY(!w_->actions().goto_err->isEnabled());
    QCOMPARE(w_->indicators()->error_icon(), QStringLiteral(":/img/correct.svg"));
    // Ctrl+W closes a tab of any kind; the tab bar's menu keeps to the script files' entries.
    QVERIFY(w_->actions().close_file->isEnabled());
    QVERIFY(!w_->tabs()->tabBar()->actions().contains(w_->actions().close_file));
}

void test_main_window::table_window_tabs()
{
    QVERIFY(open_main().isEmpty());
    QTabWidget *tabs = w_->tabs();
    for (const char *t : {"data of table: t1", "view fields of table: t2", "new table", "data of table: t2"})
        tabs->addTab(new QWidget, QString::fromLatin1(t));
    tabs->setCurrentIndex(1);
    emit tabs->tabCloseRequested(3); // the last: the one before becomes current
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 2);
    emit tabs->tabCloseRequested(0); // the same index becomes current
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QStringLiteral("view fields of table: t2"));

    // Accepting a window closes it and shows what it changed.
    tabs->setCurrentIndex(1);
    QVERIFY(run_elsewhere(*server_, {"create t5 z u08"}));
    w_->tab_accepted();
    QVERIFY(settle(w_.get()));
    QCOMPARE(tabs->count(), 1);
    QVERIFY(find_item(w_->tree(), "t5"));
    QVERIFY(run_elsewhere(*server_, {"create t6 z u08"}));
    w_->tab_rejected();
    QVERIFY(settle(w_.get()));
    QCOMPARE(tabs->count(), 0);
    QVERIFY(!find_item(w_->tree(), "t6"));
    w_->tab_rejected(); // nothing left: nothing happens
    emit tabs->tabCloseRequested(0);
}

void test_main_window::double_click_beside_tabs()
{
    QTabWidget tabs;
    tab_area area(&tabs);
    auto *page = new QWidget;
    tabs.addTab(page, QStringLiteral("x"));
    tabs.resize(600, 400);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QSignalSpy spy(&area, &tab_area::new_file_requested);
    const int bar_h = tabs.tabBar()->height();
    QTest::mouseDClick(&tabs, Qt::LeftButton, Qt::NoModifier, QPoint(550, bar_h / 2));
    QCOMPARE(spy.count(), 1);
    QTest::mouseDClick(page, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QCOMPARE(spy.count(), 1);
    QTest::mouseDClick(&tabs, Qt::LeftButton, Qt::NoModifier, QPoint(550, bar_h + 50));
    QCOMPARE(spy.count(), 1);
    // On a tab the tab bar reports it itself; the filter must not make it a second request.
    QSignalSpy bar_spy(&tabs, &QTabWidget::tabBarDoubleClicked);
    QTest::mouseDClick(tabs.tabBar(), Qt::LeftButton, Qt::NoModifier, tabs.tabBar()->tabRect(0).center());
    QCOMPARE(bar_spy.count(), 1);
    QCOMPARE(spy.count(), 1);

    QCOMPARE(tab_area::table_of_title(QStringLiteral("rename field 'a' of table: t1")), QStringLiteral("t1"));
    QCOMPARE(tab_area::table_of_title(QStringLiteral("new table")), QString());
}

void test_main_window::exec_cmd_runs_trimmed_lines()
{
    QVERIFY(open_main().isEmpty());
    const QString path = dir_.filePath(QStringLiteral("one.tcd"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("   create t7 a i32   \n\n      \n");
    f.close();
    seam_->push_file(path);
    w_->actions().exec_cmd->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->shown[0].title, QStringLiteral("open cmd file to execute"));
    QCOMPARE(seam_->shown[0].text, QStringLiteral("."));
    QCOMPARE(seam_->shown[0].filter, QStringLiteral("cmd files (*.tcd);;all files (*.*)"));
    QCOMPARE(seam_->last_title(), QStringLiteral("execute infomation"));
    QCOMPARE(seam_->last_text(), QStringLiteral("the cmd execute sussesful total!"));
    QVERIFY(find_item(w_->tree(), "t7", "a"));
    const QString log = w_->log_pane()->toPlainText();
    // One command, and no empty ones sent for the blank lines.
    QCOMPARE(log.count(QStringLiteral("create t7 a i32")), 1);
    QVERIFY(!log.contains(QStringLiteral("failed")));

    // A cancelled choice runs nothing.
    const size_t shown = seam_->shown.size();
    seam_->push_file(QString());
    w_->actions().exec_cmd->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->shown.size(), shown + 1);
}

void test_main_window::exec_cmd_stops_at_failure()
{
    QVERIFY(open_main().isEmpty());
    const QString path = dir_.filePath(QStringLiteral("three.tcd"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("create t8 a i32\nno such command\ncreate t9 b i32\n");
    f.close();
    seam_->push_file(path);
    w_->actions().exec_cmd->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(seam_->last_text().startsWith(QStringLiteral("the cmd \"no such command\" execute failed!\n")));
    QVERIFY(!w_->log_pane()->toPlainText().contains(QStringLiteral("create t9")));
    // The tree is not refreshed after a failure.
    QVERIFY(!find_item(w_->tree(), "t8"));
    w_->refresh();
    QVERIFY(settle(w_.get()));
    QVERIFY(find_item(w_->tree(), "t8"));
    QVERIFY(!find_item(w_->tree(), "t9"));
}

// The log pane's menu: "clear" empties it; the filter shows the commands the user ran, without
// the tree's refreshes, and shows everything again when it is off.
void test_main_window::log_pane_clear_and_filter()
{
    QVERIFY(open_main().isEmpty());
    log_pane_menu *menu = w_->log_menu();
    QVERIFY(menu);
    QMenu *shown = menu->make_menu();
    const QStringList texts = texts_of(shown->actions());
    delete shown;
    QCOMPARE(texts.mid(texts.size() - 3), (QStringList{"|", "clear", "only my commands"}));
    QVERIFY(menu->filter_action()->isCheckable() && !menu->filter_action()->isChecked());

    auto run_logged = [this](const QByteArray &cmd) {
        w_->link()->post(nullptr, [cmd](db_exec &db) { del_datas(db.run(cmd)); });
        QVERIFY(settle(w_.get()));
    };
    run_logged("view t1");
    w_->refresh();
    QVERIFY(settle(w_.get()));
    run_logged("view t2");
    w_->exec()->update_log();
    QTextEdit *pane = w_->log_pane();
    const QString all = pane->toPlainText();
    QVERIFY(all.contains(QStringLiteral("view t1")) && all.contains(QStringLiteral("show tables")));

    menu->filter_action()->trigger();
    QVERIFY(menu->filtered());
    const QString mine = pane->toPlainText();
    QVERIFY2(mine.contains(QStringLiteral("view t1")) && mine.contains(QStringLiteral("view t2")), qPrintable(mine));
    QVERIFY2(!mine.contains(QStringLiteral("show tables")) && !mine.contains(QStringLiteral("field_of")), qPrintable(mine));
    QVERIFY(mine.indexOf(QStringLiteral("view t2")) < mine.indexOf(QStringLiteral("view t1")));
    // New lines keep coming while it is on.
    run_logged("view t1 max 1");
    w_->exec()->update_log();
    const QString more = pane->toPlainText();
    QVERIFY(more.contains(QStringLiteral("max 1")) && more.indexOf(QStringLiteral("max 1")) < more.indexOf(QStringLiteral("view t2")));

    menu->filter_action()->trigger();
    QVERIFY(!menu->filtered());
    QVERIFY(pane->toPlainText().contains(QStringLiteral("show tables")));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("max 1")));

    menu->clear_action()->trigger();
    QVERIFY(pane->toPlainText().isEmpty());
    menu->filter_action()->trigger();
    QVERIFY(pane->toPlainText().isEmpty());
    run_logged("view t2");
    w_->exec()->update_log();
    QVERIFY(pane->toPlainText().contains(QStringLiteral("view t2")));
}

QTEST_MAIN(test_main_window)
#include "test_main_window.moc"
