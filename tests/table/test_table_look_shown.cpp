// The data view as the program shows it (its style sheet, English and Chinese) in a real shown
// window: the begin and end entries with their calendar, the legend that switches lines, and the
// search dialog over the grid. With VORN_SHOTS_DIR set the screenshots are written there.
#include "common/modal_seam.h"
#include "shown_window.h"
#include "support/mem_time.h"
#include "table/chart_pane.h"
#include "table/chart_plot_view.h"
#include "table/data_view.h"
#include "table/datetime_edit.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "screen_shot_helper.h"
#include "table_server_helper.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtTest>

using namespace QtCharts;

class test_table_look_shown : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;
    QTranslator tr_;

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        ox::db::mem::register_meta_types();
        QFile qss(QStringLiteral(":/qss/vorn_white-.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        srv = std::make_unique<table_server>(QStringList{QStringLiteral("--demo")});
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
    }
    void cleanupTestCase() { srv.reset(); }
    void cleanup() { QCoreApplication::removeTranslator(&tr_); }

private:
    // Each case in English and in Chinese.
    static void languages()
    {
        QTest::addColumn<QString>("lang");
        QTest::newRow("en") << "en";
        QTest::newRow("zh") << "zh";
    }
    // The data view of a table with numbers, shown in the language with its chart drawn.
    std::unique_ptr<data_view> shown_view()
    {
        QFETCH(QString, lang);
        // Installed for the whole case: the search dialog is made later.
        if (lang != QStringLiteral("en") && tr_.load(QStringLiteral(":/lang/vorn_tsdb_cli_%1.qm").arg(lang)))
            QCoreApplication::installTranslator(&tr_);
        auto v = std::make_unique<data_view>("power_meters", srv->link());
        if (!srv->settle())
            return nullptr;
        v->resize(1200, 600);
        v->move(10, 10);
        v->show();
        if (!QTest::qWaitForWindowActive(v.get()))
            return nullptr;
        chart_pane *pane = v->findChild<chart_pane *>();
        if (!pane || !QTest::qWaitFor([pane] { return pane->isVisible() && pane->drawn_points() > 0; }))
            return nullptr;
        return v;
    }
    static QString shot_name(const char *what)
    {
        QFETCH(QString, lang);
        return QStringLiteral("%1_%2.png").arg(QLatin1String(what), lang);
    }

private slots:
    void the_times_show_whole_data() { languages(); }
    void the_times_show_whole()
    {
        std::unique_ptr<data_view> v = shown_view();
        QVERIFY(v);
        save_shot(screen_of(v.get(), v->frameGeometry()), shot_name("data_view"));
        for (const char *name : {"s_dtm", "e_dtm"}) {
            date_time_wt *entry = v->findChild<date_time_wt *>(QLatin1String(name));
            ox::db::mem::date_time late = entry->value();
            late.hour = 23, late.minute = 59, late.second = 59, late.nanos = 999999999;
            entry->set_value(late);
            QLineEdit *time = entry->time_edit();
            QStyleOptionFrame opt;
            opt.initFrom(time);
            opt.lineWidth = time->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, time);
            const QRect text_area = time->style()->subElementRect(QStyle::SE_LineEditContents, &opt, time);
            QVERIFY2(time->fontMetrics().horizontalAdvance(time->text()) + 4 <= text_area.width(),
                     qPrintable(QStringLiteral("%1 in %2").arg(time->text()).arg(text_area.width())));
            QVERIFY(entry->date_edit()->width() >= entry->date_edit()->sizeHint().width());
        }
        QVERIFY(srv->settle());
        save_shot(screen_of(v.get(), QRect(v->mapToGlobal(QPoint()), QSize(v->width(), 120))), shot_name("time_entries"));
    }

    void the_calendar_shows_its_last_week_data() { languages(); }
    void the_calendar_shows_its_last_week()
    {
        std::unique_ptr<data_view> v = shown_view();
        QVERIFY(v);
        QDateEdit *date = v->findChild<date_time_wt *>(QStringLiteral("s_dtm"))->date_edit();
        QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 6, date->height() / 2));
        QCalendarWidget *calendar = date->calendarWidget();
        QTRY_VERIFY(calendar->isVisible());
        QWidget *popup = calendar->window();
        save_shot(screen_of(v.get(), popup->frameGeometry().united(QRect(date->mapToGlobal(QPoint()), date->size()))),
                  shot_name("calendar"));
        auto *weeks = calendar->findChild<QTableView *>();
        QVERIFY(weeks);
        const int rows = weeks->verticalHeader()->length(), room = weeks->viewport()->height();
        popup->close();
        QVERIFY2(rows <= room, qPrintable(QStringLiteral("%1 > %2").arg(rows).arg(room)));
    }

    void a_legend_entry_switches_its_line_data() { languages(); }
    void a_legend_entry_switches_its_line()
    {
        std::unique_ptr<data_view> v = shown_view();
        QVERIFY(v);
        chart_pane *pane = v->findChild<chart_pane *>();
        const int energy = 2;
        QCOMPARE(v->data_model()->headerData(energy, Qt::Horizontal).toString(), QStringLiteral("energy_wh"));
        QGraphicsTextItem *entry = nullptr;
        for (QGraphicsItem *item : pane->chart()->scene()->items())
            if (auto *t = qobject_cast<QGraphicsTextItem *>(item->toGraphicsObject()))
                if (t->toPlainText() == QStringLiteral("energy_wh") && pane->chart()->legend()->isAncestorOf(t))
                    entry = t;
        QVERIFY(entry);
        QWidget *plot = pane->plot_view()->viewport();
        const QPoint at = pane->plot_view()->mapFromScene(entry->sceneBoundingRect().center());
        QVERIFY(pane->series_shown(energy));
        QTest::mouseClick(plot, Qt::LeftButton, {}, at);
        const bool off = QTest::qWaitFor([&] { return !pane->series_shown(energy) && pane->series_of(energy)->count() == 0; });
        save_shot(screen_of(v.get(), QRect(pane->mapToGlobal(QPoint()), pane->size())), shot_name("legend_clicked"));
        QVERIFY(off);
        QTest::mouseClick(plot, Qt::LeftButton, {}, at);
        QTRY_VERIFY(pane->series_shown(energy));
        QTRY_VERIFY(pane->series_of(energy)->count() > 0);
    }

    void the_search_dialog_keeps_its_look_data() { languages(); }
    void the_search_dialog_keeps_its_look()
    {
        std::unique_ptr<data_view> v = shown_view();
        QVERIFY(v);
        v->grid()->setCurrentIndex(v->data_model()->index(0, 1));
        v->rep_txt();
        auto *dlg = v->grid()->findChild<search_tab_dlg *>();
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        save_shot(screen_of(dlg, dlg->frameGeometry()), shot_name("search_dialog"));
        // No frame of the grid's around its labels and group boxes (nor through their titles).
        for (QWidget *w : dlg->findChildren<QWidget *>()) {
            if (!qobject_cast<QLabel *>(w) && !qobject_cast<QGroupBox *>(w))
                continue;
            const QImage img = w->grab().toImage();
            int framed = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    framed += img.pixelColor(x, y) == QColor(147, 164, 173);
            QVERIFY2(framed == 0, qPrintable(w->objectName()));
        }
        dlg->close();
    }
};

SHOWN_WINDOW_TEST_MAIN(test_table_look_shown)
#include "test_table_look_shown.moc"
