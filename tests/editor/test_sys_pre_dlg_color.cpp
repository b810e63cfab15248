// The colour picker of the preferences: the one-click row, the colour dialog through the
// modal seam, and the cursor group's picker whose colour the record does not keep.
#include "common/modal_seam.h"
#include "config/color_wt.h"
#include "config/sys_config.h"
#include "config/sys_pre_dlg.h"

#include <QColorDialog>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

class test_sys_pre_dlg_color : public QObject {
    Q_OBJECT
private slots:
    void init() { sys_config.reset(); }

    void setting_a_colour_reports_nothing()
    {
        color_wt w;
        QSignalSpy spy(&w, &color_wt::color_changed);
        w.set_color(QColor(1, 2, 3));
        QCOMPARE(w.color(), QColor(1, 2, 3));
        QCOMPARE(spy.count(), 0);
    }

    void the_row_offers_each_colour_once_and_takes_a_click()
    {
        color_wt w;
        w.set_choices({Qt::red, Qt::green, Qt::red, Qt::blue});
        QCOMPARE(w.choices().size(), 3);
        w.set_choices({Qt::black, QColor(199, 151, 100)});
        const QList<QToolButton *> buttons = w.findChildren<QToolButton *>(QRegularExpression("^choice_pb_"));
        QCOMPARE(buttons.size(), 2);
        QSignalSpy spy(&w, &color_wt::color_changed);
        w.findChild<QToolButton *>(QStringLiteral("choice_pb_1"))->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QColor>(), QColor(199, 151, 100));
        QCOMPARE(w.color(), QColor(199, 151, 100));
    }

    void the_dialog_reports_its_colour_with_alpha()
    {
        modal_seam::script seam;
        seam.on_dialog = [](QDialog *d) {
            auto *cd = qobject_cast<QColorDialog *>(d);
            QVERIFY(cd);
            QVERIFY(cd->testOption(QColorDialog::ShowAlphaChannel));
            QCOMPARE(cd->currentColor(), QColor(1, 2, 3));   // opens on the current colour
            cd->setCurrentColor(QColor(10, 20, 30, 40));
        };
        seam.push_result(QDialog::Accepted);
        color_wt w;
        w.set_color(QColor(1, 2, 3));
        QSignalSpy spy(&w, &color_wt::color_changed);
        w.findChild<QToolButton *>(QStringLiteral("more_pb"))->click();
        QCOMPARE(seam.shown.size(), std::size_t(1));
        QCOMPARE(seam.shown[0].what, modal_seam::kind::dialog);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(w.color(), QColor(10, 20, 30, 40));
    }

    void a_cancelled_dialog_changes_nothing()
    {
        modal_seam::script seam;
        seam.on_dialog = [](QDialog *d) { qobject_cast<QColorDialog *>(d)->setCurrentColor(Qt::red); };
        seam.push_result(QDialog::Rejected);
        color_wt w;
        w.set_color(Qt::blue);
        QSignalSpy spy(&w, &color_wt::color_changed);
        w.choose();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(w.color(), QColor(Qt::blue));
    }

    void a_dialog_colour_reaches_the_record()
    {
        modal_seam::script seam;
        seam.on_dialog = [](QDialog *d) { qobject_cast<QColorDialog *>(d)->setCurrentColor(QColor(7, 8, 9, 100)); };
        seam.push_result(QDialog::Accepted);
        sys_pre_dlg dlg;
        auto *lw = dlg.findChild<QListWidget *>(QStringLiteral("theme_lw"));
        lw->setCurrentRow(8);   // constant, entry 4
        dlg.item_clicked(lw->item(8));
        dlg.findChild<color_wt *>(QStringLiteral("cwt"))->choose();
        const text_style &s = sys_config.styles[0][style_constant];
        QCOMPARE(QColor(s.red, s.green, s.blue, s.alpha), QColor(7, 8, 9, 100));
    }

    void the_cursor_picker_works_but_stores_nothing()
    {
        sys_pre_dlg dlg;
        auto *cursor = dlg.findChild<color_wt *>(QStringLiteral("cursor_cwt"));
        QVERIFY(cursor);
        QVERIFY(cursor->isEnabled());
        QVERIFY(!cursor->choices().isEmpty());
        const std::string before = sys_config.to_bytes();
        QSignalSpy spy(cursor, &color_wt::color_changed);
        cursor->findChild<QToolButton *>(QStringLiteral("choice_pb_1"))->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(cursor->color(), cursor->choices().at(1));
        QCOMPARE(sys_config.to_bytes(), before);
    }
};

QTEST_MAIN(test_sys_pre_dlg_color)
#include "test_sys_pre_dlg_color.moc"
