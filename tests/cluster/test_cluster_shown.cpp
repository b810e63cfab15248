// The node manager in a real shown window (Xvfb and openbox) against the development master:
// the list's icons and text colours where they are painted, the context menu popping up over
// the list, and the translated form; screenshots where VORN_SHOTS_DIR points.
#include "cluster_helper.h"
#include "devserver_process.h"
#include "shots_dir.h"
#include "shown_window.h"

#include "cluster/cluster_dlg.h"
#include "cluster/node_params_dlg.h"
#include "cluster/wait_note.h"
#include "common/modal_seam.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>

namespace {

void shoot(const QString &name)
{
    const QString path = shots::path(name);
    if (path.isEmpty())
        return;
    // Paints what is pending, then waits until the X server has drawn it.
    QGuiApplication::sync();
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

// How many pixels of the area are within a small distance of the colour.
int pixels_like(const QImage &img, const QRect &area, const QColor &c)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (qAbs(p.red() - c.red()) + qAbs(p.green() - c.green()) + qAbs(p.blue() - c.blue()) < 40)
                ++n;
        }
    return n;
}

} // namespace

class test_cluster_shown : public QObject {
    Q_OBJECT

    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<devmaster_process> master_;

    // Shows the dialog, connects it to the master and expects the three nodes without a message.
    void show_connected(cluster_dlg &dlg, modal_seam::script &answers)
    {
        dlg.sb_port->setValue(master_->port());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.pb_connect->click();
        QTRY_VERIFY(!dlg.master().busy());
        QVERIFY2(answers.shown.empty(), qPrintable(answers.last_text()));
        QCOMPARE(dlg.listWidget->count(), 3);
    }

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        server_ = std::make_unique<devserver_process>(QStringList{"--demo"});
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        // A maximum of about twice the demo tables, so the running node shows a partly full bar.
        master_ = std::make_unique<devmaster_process>(QStringList{
            "--node", QStringLiteral("tsdb_dev=127.0.0.1:%1:1500000").arg(server_->port()),
            "--node", QStringLiteral("tsdb_b=127.0.0.1:%1:1073741824").arg(free_port()),
            "--node", QStringLiteral("tsdb_c=127.0.0.1:%1:1073741824").arg(free_port())});
        QVERIFY2(master_->ok(), qPrintable(master_->error()));
    }

    void list_as_painted_and_context_menu()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        show_connected(dlg, answers);
        if (QTest::currentTestFailed())
            return;
        dlg.listWidget->setCurrentRow(0);
        QApplication::processEvents();

        const QImage img = dlg.listWidget->viewport()->grab().toImage();
        const QRect running = dlg.listWidget->visualItemRect(dlg.listWidget->item(0));
        const QRect stopped = dlg.listWidget->visualItemRect(dlg.listWidget->item(1));
        const QColor bar(0x2e, 0x9e, 0x5e);
        QVERIFY2(pixels_like(img, running, bar) > 20, "the running node's usage bar is painted in its row");
        QCOMPARE(pixels_like(img, stopped, bar), 0);
        QVERIFY2(pixels_like(img, stopped, QColor(Qt::gray)) > 10, "a node without a group is written in grey");
        shoot(QStringLiteral("cluster_dlg_list.png"));

        // The context menu opens over the list with the six node actions.
        // The menu runs its own loop: a timer in that loop looks at it once it is shown, and
        // closes it.
        const QPoint at = dlg.listWidget->visualItemRect(dlg.listWidget->item(0)).center();
        int action_count = 0;
        bool join_enabled = false, over_list = false;
        QTimer look;
        look.setInterval(10);
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible())
                return;
            look.stop();
            action_count = menu->actions().size();
            join_enabled = menu->actions().at(0)->isEnabled();
            over_list = dlg.listWidget->rect().contains(dlg.listWidget->mapFromGlobal(menu->geometry().topLeft()));
            shoot(QStringLiteral("cluster_dlg_menu.png"));
            menu->close();
        });
        look.start();
        QContextMenuEvent ev(QContextMenuEvent::Mouse, at, dlg.listWidget->viewport()->mapToGlobal(at));
        QApplication::sendEvent(dlg.listWidget->viewport(), &ev);
        QCOMPARE(action_count, 6);
        QVERIFY(join_enabled);
        QVERIFY(over_list);

        // Join the running node: its row turns dark green.
        dlg.listWidget->setCurrentRow(0);
        dlg.act_join->trigger();
        QTRY_VERIFY(!dlg.master().busy());
        QCOMPARE(answers.last_text(), QStringLiteral("join to the cluster successful!"));
        QApplication::processEvents();
        QListWidgetItem *joined = dlg.listWidget->item(2);
        const QImage after = dlg.listWidget->viewport()->grab().toImage();
        QVERIFY(pixels_like(after, dlg.listWidget->visualItemRect(joined), QColor(Qt::darkGreen)) > 10);
        dlg.listWidget->clearSelection();
        QApplication::processEvents();
        shoot(QStringLiteral("cluster_dlg_joined.png"));
        // Leave the master as the other cases found it.
        dlg.listWidget->setCurrentItem(joined);
        dlg.act_detach->trigger();
        QTRY_VERIFY(!dlg.master().busy());
    }

    void node_parameters_form()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        show_connected(dlg, answers);
        if (QTest::currentTestFailed())
            return;
        bool checked = false;
        answers.on_dialog = [&](QDialog *d) {
            auto *p = qobject_cast<node_params_dlg *>(d);
            QVERIFY(p);
            p->show();
            QVERIFY(QTest::qWaitForWindowExposed(p));
            // Editing a listed node shows its used space and group; the fields stay inside the form.
            QVERIFY(p->le_us->isVisible() && p->sb_gid->isVisible());
            QCOMPARE(p->le_name->text(), QStringLiteral("tsdb_dev"));
            for (QWidget *f : {static_cast<QWidget *>(p->le_us), static_cast<QWidget *>(p->cb_u_unit)})
                QVERIFY(p->rect().contains(QRect(f->mapTo(p, QPoint(0, 0)), f->size())));
            shoot(QStringLiteral("node_params_dlg.png"));
            p->hide();
            checked = true;
        };
        answers.push_result(QDialog::Rejected);
        dlg.listWidget->setCurrentRow(0);
        dlg.act_modify->trigger();
        QVERIFY(checked);
    }

    // Both waits at once, where the user looks: under the master's address while the master is
    // silent, under the service buttons while a service settles; the window keeps its size.
    void waits_as_shown()
    {
        scripted_master silent({});
        silent.hold();
        auto owned = std::make_unique<fake_services>();
        owned->services["vorn_tsdb_s"].states = {fake_services::running()};
        owned->services["vorn_tsdb_s"].after_stop = {fake_services::pending(1, 100000)};
        owned->services["vorn_dt_cluster_s"];
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, std::move(owned), 60000);
        dlg.sb_port->setValue(silent.port());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTRY_VERIFY(dlg.pb_start->isEnabled());
        const QSize size = dlg.size();
        dlg.pb_connect->click();
        dlg.pb_start->click();
        QTRY_VERIFY(dlg.wn_master->isVisible() && dlg.wn_service->isVisible());
        QTRY_VERIFY(dlg.wn_master->label()->text().endsWith(QStringLiteral("(2 s)")));
        // Above the list and under the buttons, inside the window, each line wide enough to read.
        const auto place = [&](QWidget *w) { return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size()); };
        QCOMPARE(dlg.size(), size);
        QVERIFY(place(dlg.wn_master).bottom() < place(dlg.listWidget).top());
        QVERIFY(place(dlg.wn_service).top() > place(dlg.pb_c_start).bottom());
        for (wait_note *n : {dlg.wn_master, dlg.wn_service}) {
            QVERIFY(dlg.rect().contains(place(n)));
            QVERIFY2(n->label()->width() >= n->label()->sizeHint().width(), qPrintable(n->label()->text()));
        }
        shoot(QStringLiteral("cluster_dlg_waiting.png"));
        dlg.pb_close->click();
        QVERIFY(!dlg.isVisible());
        QVERIFY(answers.shown.empty());
    }

    void translated_form()
    {
        for (const char *lang : {"zh", "fr", "jp"}) {
            QTranslator tr;
            QVERIFY(tr.load(QStringLiteral(":/lang/vorn_tsdb_cli_%1.qm").arg(QLatin1String(lang))));
            QApplication::installTranslator(&tr);
            modal_seam::script answers;
            cluster_dlg dlg(nullptr, quiet_services());
            show_connected(dlg, answers);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(dlg.windowTitle() != QStringLiteral("cluster  node manager"));
            QVERIFY(dlg.pb_connect->text() != QStringLiteral("reconnect(&c)"));
            // The texts that came with the waits and the local nodes are translated too.
            for (const auto &t : {std::pair<const char *, const char *>{"cluster_dlg", "waiting for the master '%1'"},
                                  {"node_params_dlg", "A node named '%1' is already in the list."}})
                QVERIFY2(QCoreApplication::translate(t.first, t.second) != QLatin1String(t.second), t.second);
            // Every label fits: no text of the form is cut by its widget.
            for (QPushButton *b : dlg.findChildren<QPushButton *>())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
            QApplication::processEvents();
            shoot(QStringLiteral("cluster_dlg_%1.png").arg(QLatin1String(lang)));
            QApplication::removeTranslator(&tr);
        }
    }
};

SHOWN_WINDOW_TEST_MAIN(test_cluster_shown)
#include "test_cluster_shown.moc"
