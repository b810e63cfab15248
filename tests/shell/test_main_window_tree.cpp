// The main window's database tree against the development server: what a login shows, refresh
// after changes made by another client, the selection rules and their context menus.
#include "main_window_fixture.h"

#include "db/db_exec.h"
#include "shell/tab_area.h"

#include <QTabWidget>
#include <QTextEdit>

using namespace mw_test;

class test_main_window_tree : public window_test {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void tree_after_login();
    void server_without_tables();
    void refresh_keeps_field_selection();
    void refresh_keeps_collapsed_table();
    void dropped_table_loses_selection_and_tabs();
    void created_elsewhere_appears();
    void enable_state_by_selection();
    void context_menus_by_selection();
    void double_click_fills_fieldless_table();
    void double_click_on_field_sends_nothing();
    void drop_from_tree();
    void truncate_answered_no_runs_nothing();
};

void test_main_window_tree::init()
{
    const QString why = open({"create t1 f1 i32 f2 string", "create t2 v double"});
    QVERIFY2(why.isEmpty(), qPrintable(why));
}

void test_main_window_tree::cleanup()
{
    close();
}

void test_main_window_tree::tree_after_login()
{
    // On a server of its own, holding the demo tables.
    close();
    const QString why = open({}, {QStringLiteral("--demo")});
    QVERIFY2(why.isEmpty(), qPrintable(why));

    // What the server says, asked independently of the window.
    QStringList tables;
    std::thread([&] {
        connect_to_server("127.0.0.1", server_->port(), "admin", "admin");
        result_set *rs = exec("show tables", 11);
        for (uint64_t r = 0; rs && r < rows_of(rs); ++r) {
            char *s = nullptr;
            uint64_t len = 0;
            as_str(&s, &len, at(r, 0, rs));
            tables << QString::fromUtf8(s, int(len));
            free(s);
        }
        if (rs)
            del_datas(rs);
        exit_to_server();
    }).join();
    QVERIFY(tables.contains(QStringLiteral("all_types")));

    QTreeWidget *tree = w_->tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("vorn_tsdb"));
    QVERIFY(root->isExpanded());
    QVERIFY(!root->icon(0).isNull());
    QCOMPARE(root->childCount(), tables.size());
    QCOMPARE(w_->tables().size(), tables.size());
    for (int i = 0; i < tables.size(); ++i) {
        QTreeWidgetItem *t = root->child(i);
        QCOMPARE(t->text(0), tables[i]);
        QCOMPARE(QString::fromUtf8(w_->tables()[i]), tables[i]);
        QVERIFY(t->isExpanded());
        QVERIFY(!t->icon(0).isNull());
        const name_list fields = w_->fields().value(tables[i].toUtf8());
        QCOMPARE(t->childCount(), fields.size());
        QVERIFY(t->childCount() > 0);
        for (int j = 0; j < t->childCount(); ++j) {
            QCOMPARE(t->child(j)->text(0).toUtf8(), fields[j]);
            QVERIFY(!t->child(j)->icon(0).isNull());
            QCOMPARE(t->child(j)->childCount(), 0);
        }
    }
    QCOMPARE(w_->fields().value("all_types").size(), 14);
    QVERIFY(!tree->currentItem());
    QCOMPARE(tree->iconSize(), QSize(32, 32)); // the configured normal size
}

void test_main_window_tree::server_without_tables()
{
    // On a server of its own, holding no table.
    close();
    const QString why = open();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QCOMPARE(w_->tree()->topLevelItemCount(), 1);
    QCOMPARE(w_->tree()->topLevelItem(0)->childCount(), 0);
    QVERIFY(w_->tree()->topLevelItem(0)->isExpanded());
    QVERIFY(w_->tables().isEmpty());
    QVERIFY(w_->fields().isEmpty());
}

void test_main_window_tree::refresh_keeps_field_selection()
{
    QTreeWidget *tree = w_->tree();
    tree->setCurrentItem(find_item(tree, "t1", "f2"));
    QVERIFY(run_elsewhere(*server_, {"create t0 a i08"}));
    w_->refresh();
    QVERIFY(settle(w_.get()));
    QTreeWidgetItem *cur = tree->currentItem();
    QVERIFY(cur);
    QCOMPARE(cur->text(0), QStringLiteral("f2"));
    QCOMPARE(cur->parent()->text(0), QStringLiteral("t1"));
    QVERIFY(cur->parent()->isExpanded());
    QVERIFY(w_->actions().delete_col->isEnabled());

    // The same field name under another table is not the same item.
    QVERIFY(run_elsewhere(*server_, {"drop t1", "create t1 f1 i32"}));
    w_->refresh();
    QVERIFY(settle(w_.get()));
    QVERIFY(!tree->currentItem());
    QVERIFY(!w_->actions().delete_col->isEnabled());
}

void test_main_window_tree::refresh_keeps_collapsed_table()
{
    QTreeWidget *tree = w_->tree();
    QTreeWidgetItem *t2 = find_item(tree, "t2");
    tree->setCurrentItem(t2);
    t2->setExpanded(false);
    w_->refresh();
    QVERIFY(settle(w_.get()));
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("t2"));
    QVERIFY(!tree->currentItem()->isExpanded());
    QVERIFY(find_item(tree, "t1")->isExpanded());

    tree->setCurrentItem(tree->topLevelItem(0));
    w_->refresh();
    QVERIFY(settle(w_.get()));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QVERIFY(tree->topLevelItem(0)->isExpanded());
}

void test_main_window_tree::dropped_table_loses_selection_and_tabs()
{
    QTabWidget *tabs = w_->tabs();
    tabs->addTab(new QWidget, QStringLiteral("data of table: t1"));
    tabs->addTab(new QWidget, QStringLiteral("view fields of table: t2"));
    tabs->addTab(new QWidget, QStringLiteral("new table"));
    QPointer<QWidget> t1_fields = new QWidget;
    tabs->addTab(t1_fields, QStringLiteral("rename field 'f1' of table: t1"));

    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1", "f1"));
    QVERIFY(run_elsewhere(*server_, {"drop t1"}));
    w_->refresh();
    QVERIFY(settle(w_.get()));

    QVERIFY(!w_->tree()->currentItem());
    QVERIFY(!find_item(w_->tree(), "t1"));
    QVERIFY(!w_->fields().contains("t1"));
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    QCOMPARE(titles, (QStringList{"view fields of table: t2", "new table"}));
    // The page is destroyed, not only detached, once control is back in the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(t1_fields.isNull());
}

void test_main_window_tree::created_elsewhere_appears()
{
    QVERIFY(run_elsewhere(*server_, {"create t3 x u64 y date"}));
    QVERIFY(!find_item(w_->tree(), "t3"));
    w_->actions().refresh->trigger();
    QVERIFY(settle(w_.get()));
    QVERIFY(find_item(w_->tree(), "t3", "y"));
    QCOMPARE(w_->fields().value("t3"), (name_list{"x", "y"}));
    QCOMPARE(w_->tables(), (name_list{"t1", "t2", "t3"}));
}

void test_main_window_tree::enable_state_by_selection()
{
    const main_actions &a = w_->actions();
    const QList<QAction *> off_at_start = {
        a.save_file, a.save_all_files, a.save_file_as, a.close_file, a.close_all_files,
        a.close_files_except, a.print, a.cut, a.copy, a.paste, a.redo, a.undo, a.goto_err,
        a.goto_lineb, a.goto_linee, a.goto_wordb, a.goto_worde, a.del_sel, a.sel_beside,
        a.sel_all, a.sel_line, a.sel_word, a.exec_sel, a.exec_cur, a.format_sel, a.find,
        a.replace};
    auto check = [&](const char *what, const QList<QAction *> &also_on) {
        for (QAction *act : a.all()) {
            const bool expected = also_on.contains(act) ||
                                  (!off_at_start.contains(act) && !a.table_actions().contains(act) &&
                                   !a.field_actions().contains(act));
            if (act->isEnabled() != expected)
                QFAIL(qPrintable(QStringLiteral("%1: %2 should be %3").arg(what, act->objectName(),
                                                                           expected ? "on" : "off")));
        }
    };
    QTreeWidget *tree = w_->tree();
    check("no item", {});
    tree->setCurrentItem(tree->topLevelItem(0));
    check("root", {});
    tree->setCurrentItem(find_item(tree, "t2"));
    check("table", a.table_actions());
    tree->setCurrentItem(find_item(tree, "t1", "f1"));
    check("field", a.field_actions());
    tree->setCurrentItem(nullptr);
    check("none again", {});
}

void test_main_window_tree::context_menus_by_selection()
{
    QTreeWidget *tree = w_->tree();
    QCOMPARE(tree->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(tree->actions().isEmpty());
    tree->setCurrentItem(tree->topLevelItem(0));
    QCOMPARE(texts_of(tree->actions()),
             (QStringList{"refresh(&r)", "create table(&c)", "reconnect(&r)", "load table(&l)", "|",
                          "backup(&b)", "restore(&r)", "|", "execute cmd(&e)", "|"}));
    tree->setCurrentItem(find_item(tree, "t1"));
    QCOMPARE(texts_of(tree->actions()),
             (QStringList{"drop(&d)", "truncate(&t)", "view field(&v)", "create field(&c)", "view data(&v)", "|",
                          "import(&i)", "export(&e)", "|", "save table(&s)"}));
    tree->setCurrentItem(find_item(tree, "t1", "f2"));
    QCOMPARE(texts_of(tree->actions()), (QStringList{"delete(&d)", "rename(&r)", "modify(&m)"}));
    // Switching back and forth must not pile up separators.
    for (int i = 0; i < 20; ++i) {
        tree->setCurrentItem(tree->topLevelItem(0));
        tree->setCurrentItem(find_item(tree, "t1"));
    }
    QCOMPARE(tree->findChildren<QAction *>().size(), 2);
}

void test_main_window_tree::double_click_fills_fieldless_table()
{
    QTreeWidgetItem *t1 = find_item(w_->tree(), "t1");
    qDeleteAll(t1->takeChildren());
    emit w_->tree()->itemDoubleClicked(t1, 0);
    QVERIFY(settle(w_.get()));
    QCOMPARE(t1->childCount(), 2);
    QCOMPARE(t1->child(0)->text(0), QStringLiteral("f1"));
    QVERIFY(!t1->child(1)->icon(0).isNull());
    // A table that has its fields gets no second copy.
    emit w_->tree()->itemDoubleClicked(t1, 0);
    QVERIFY(settle(w_.get()));
    QCOMPARE(t1->childCount(), 2);
}

void test_main_window_tree::double_click_on_field_sends_nothing()
{
    w_->exec()->update_log();
    const QString before = w_->log_pane()->toHtml();
    emit w_->tree()->itemDoubleClicked(find_item(w_->tree(), "t1", "f1"), 0);
    QVERIFY(settle(w_.get()));
    w_->exec()->update_log();
    QCOMPARE(w_->log_pane()->toHtml(), before);
    QCOMPARE(find_item(w_->tree(), "t1", "f1")->childCount(), 0);
}

void test_main_window_tree::drop_from_tree()
{
    w_->tabs()->addTab(new QWidget, QStringLiteral("data of table: t1"));
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t1"));
    seam_->push_button(QMessageBox::Yes);
    w_->actions().drop_table->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->shown.size(), size_t(2));
    QCOMPARE(seam_->shown[0].title, QStringLiteral("drop table warnning"));
    QCOMPARE(seam_->shown[0].text,
             QStringLiteral("drop table will delete table from server, do your want to drop table 't1' really?"));
    QCOMPARE(seam_->last_title(), QStringLiteral("drop table result"));
    QCOMPARE(seam_->last_text(), QStringLiteral("drop table 't1' from database is successful!"));
    QVERIFY(!find_item(w_->tree(), "t1"));
    QCOMPARE(w_->tabs()->count(), 0);
    // The root took over the selection and is expanded.
    QCOMPARE(w_->tree()->currentItem(), w_->tree()->topLevelItem(0));
}

void test_main_window_tree::truncate_answered_no_runs_nothing()
{
    QVERIFY(run_elsewhere(*server_, {"push into t2 v values 1.5 at 2024-01-01 00:00:00"}));
    w_->tree()->setCurrentItem(find_item(w_->tree(), "t2"));
    seam_->push_button(QMessageBox::No);
    w_->actions().truncate_table->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->shown.size(), size_t(1));
    QCOMPARE(seam_->last_title(), QStringLiteral("truncate table warnning"));

    seam_->push_button(QMessageBox::Yes);
    w_->actions().truncate_table->trigger();
    QVERIFY(settle(w_.get()));
    QCOMPARE(seam_->last_text(), QStringLiteral("truncate table 't2' from database is successful!"));
    QCOMPARE(w_->tree()->currentItem(), w_->tree()->topLevelItem(0));
}

QTEST_MAIN(test_main_window_tree)
#include "test_main_window_tree.moc"
