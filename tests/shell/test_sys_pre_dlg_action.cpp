// The main window's preference action: it runs the preferences dialog modally, apply keeps
// what was set, cancel undoes it, and an open script editor takes new metrics at once.
#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "config/sys_pre_dlg.h"
#include "main_window_fixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace mw_test;

class test_sys_pre_dlg_action : public window_test {
    Q_OBJECT
    QTemporaryDir dir_;

    template <typename W> static W *child(QDialog *d, const char *name)
    {
        return d->findChild<W *>(QLatin1String(name));
    }

private slots:
    void init()
    {
        const QString why = open();
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }
    void cleanup() { close(); }

    void apply_keeps_the_settings()
    {
        QVERIFY(w_->actions().preference->isEnabled());
        seam_->on_dialog = [](QDialog *d) {
            QVERIFY(qobject_cast<sys_pre_dlg *>(d));
            child<QComboBox>(d, "tab_width_cb")->setCurrentText(QStringLiteral("8"));
            child<QRadioButton>(d, "dark_rb")->click();
            child<QPushButton>(d, "apply_pb")->click();
        };
        seam_->push_result(QDialog::Accepted);
        w_->actions().preference->trigger();
        QCOMPARE(seam_->shown.size(), std::size_t(1));
        QCOMPARE(seam_->shown[0].what, modal_seam::kind::dialog);
        QCOMPARE(seam_->last_title(), QStringLiteral("system preference"));
        QCOMPARE(sys_config.tab_width, 8);
        QCOMPARE(sys_config.theme, 1);
    }

    void cancel_undoes_the_live_changes()
    {
        seam_->on_dialog = [](QDialog *d) {
            child<QRadioButton>(d, "cleary_rb")->click();
            child<QDoubleSpinBox>(d, "hf_dsb")->setValue(1.5);
            child<QPushButton>(d, "cancel_pb")->click();
        };
        seam_->push_result(QDialog::Rejected);
        w_->actions().preference->trigger();
        QCOMPARE(sys_config.theme, 0);
        QCOMPARE(sys_config.h_factor, 1.0f);
    }

    void an_open_editor_takes_the_new_metrics()
    {
        seam_->push_file(dir_.filePath(QStringLiteral("scriptfile1.tcd")));
        w_->new_file();
        auto *script = qobject_cast<cmd_script_editor *>(w_->tabs()->currentWidget());
        QVERIFY(script);
        editor *ed = script->editor_widget();
        ed->set_text(QStringLiteral("view t1\nshow tables"));
        ed->set_cursor_position(7);
        QCOMPARE(ed->cursor_point(), QPoint(7 * 12, 0));
        seam_->on_dialog = [](QDialog *d) {
            child<QDoubleSpinBox>(d, "hf_dsb")->setValue(2.0);
            child<QPushButton>(d, "apply_pb")->click();
        };
        seam_->push_result(QDialog::Accepted);
        w_->actions().preference->trigger();
        QCOMPARE(ed->cell_width(), 24);
        QCOMPARE(ed->cursor_point(), QPoint(7 * 24, 0));
    }
};

QTEST_MAIN(test_sys_pre_dlg_action)
#include "test_sys_pre_dlg_action.moc"
