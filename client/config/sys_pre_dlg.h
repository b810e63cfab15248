// The preferences dialog: themes with per-class fonts and colours, editor metrics, editing,
// completion and update settings. Style edits go into the live configuration record and on to
// every editor at once, so the preview (and every open script) shows them; cancel puts back the
// record as it was when the dialog opened.
#pragma once

#include "config/sys_config.h"

#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class color_wt;
class editor;

class sys_pre_dlg : public QDialog {
    Q_OBJECT
public:
    explicit sys_pre_dlg(QWidget *parent = nullptr);

    // The style-table entry that each row of the class list edits.
    static int entry_of_row(int row);
    // The three-line sample of the preview.
    static QString sample_text();

    // Closing by Escape or the window's close button counts as cancel.
    void reject() override;

public slots:
    void apply(bool checked = false);
    void cancel(bool checked = false);
    void theme_reset(bool checked = false);
    void theme_changed(bool checked = false);
    void item_clicked(QListWidgetItem *item);
    void page_clicked(QListWidgetItem *item);
    void font_changed(const QFont &font);
    void italic_changed(int state);
    void bold_changed(int state);
    void overline_changed(int state);
    void strickout_changed(int state);
    void underline_changed(int state);
    void fs_changed(int size);
    void color_changed(const QColor &c);
    void value_changed(double value);

private:
    // ---- building (sys_pre_dlg_pages.cpp)
    void build();
    QWidget *build_editor_page();
    QWidget *build_style_tab();
    QWidget *build_edit_tab();
    QWidget *build_completion_tab();
    QWidget *build_update_page();
    void connect_controls();

    // ---- state (sys_pre_dlg.cpp)
    void load_values();
    // Restyles the ten rows from the active theme's table.
    void style_rows();
    // Loads the style controls from a row without writing anything back.
    void load_controls(int row);
    void set_style_controls_enabled(bool on);
    int checked_theme() const;
    // Writes a row's font and colour into its entry of the active theme.
    void store_row(int row);
    // Changes the current row's font, stores it and repaints.
    template <typename change> void edit_row_font(change how, bool relayout);
    // Takes the factor spin boxes into the record; a factor below the floor is shown but kept out.
    void take_factors();
    // Repaints the preview and every open editor.
    void repaint_editors(bool relayout);
    void offer_theme_colours();

    sys_config_record snapshot_;
    int current_row_ = -1;

    QListWidget *list_ = nullptr;
    QStackedWidget *stack_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    editor *ed_ = nullptr;
    QDoubleSpinBox *hf_dsb_ = nullptr;
    QDoubleSpinBox *vf_dsb_ = nullptr;
    QCheckBox *show_space_cb_ = nullptr;
    QRadioButton *theme_rb_[theme_count] = {};
    QPushButton *reset_pb_ = nullptr;
    QListWidget *theme_lw_ = nullptr;
    QFontComboBox *font_cb_ = nullptr;
    QSpinBox *fs_sb_ = nullptr;
    QCheckBox *bold_cb_ = nullptr;
    QCheckBox *italic_cb_ = nullptr;
    QCheckBox *overline_cb_ = nullptr;
    QCheckBox *underline_cb_ = nullptr;
    QCheckBox *strickout_cb_ = nullptr;
    color_wt *cwt_ = nullptr;
    QComboBox *tab_width_cb_ = nullptr;
    QCheckBox *as_space_cb_ = nullptr;
    QDoubleSpinBox *edit_time_dsb_ = nullptr;
    QSpinBox *cursor_width_sb_ = nullptr;
    color_wt *cursor_cwt_ = nullptr;
    QCheckBox *auto_enable_cb_ = nullptr;
    QSpinBox *least_count_sb_ = nullptr;
    QCheckBox *only_cmd_cb_ = nullptr;
    QCheckBox *update_cb_ = nullptr;
    QPushButton *apply_pb_ = nullptr;
    QPushButton *cancel_pb_ = nullptr;
};
