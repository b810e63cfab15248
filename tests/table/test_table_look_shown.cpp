// The data view as the program shows it (its style sheet, English and Chinese) in a real shown
// window: the begin and end entries with their calendar. With VORN_SHOTS_DIR set the
// screenshots are written there.
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
};

SHOWN_WINDOW_TEST_MAIN(test_table_look_shown)
#include "test_table_look_shown.moc"
