// The preferences dialog's behaviour: the snapshot, loading the controls from the record,
// live style edits, theme switching and reset, apply and cancel.
#include "config/sys_pre_dlg.h"

#include "config/builtin_palettes.h"
#include "config/color_wt.h"
#include "editor/editor.h"
#include "config/editor_restyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>

#include <algorithm>

namespace {

// Style-table entry edited by each row of the class list, in row order.
constexpr int row_entries[style_class_count] = {
    style_default, style_default_keyword, style_read_keyword, style_write_keyword, style_post_keyword,
    style_function, style_table, style_field, style_constant, style_comment};

// Smaller factors would collapse the character grid.
constexpr double least_factor = 0.1;

QFont font_of_entry(const text_style &s)
{
    QFont f(QString::fromUtf8(s.family));
    f.setPointSize(std::max(1, s.point_size));
    f.setWeight(s.bold ? 75 : 50);
    f.setItalic(s.italic != 0);
    f.setOverline(s.overline != 0);
    f.setUnderline(s.underline != 0);
    f.setStrikeOut(s.strikeout != 0);
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QColor colour_of_entry(const text_style &s)
{
    auto c = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(c(s.red), c(s.green), c(s.blue), c(s.alpha));
}

bool fully_checked(const QCheckBox *cb)
{
    return cb->checkState() == Qt::Checked;
}

} // namespace

sys_pre_dlg::sys_pre_dlg(QWidget *parent) : QDialog(parent)
{
    build();
    ed_->set_style(editor_style_of(sys_config));
    ed_->setEnabled(false);
    ed_->set_text(sample_text());
    snapshot_ = sys_config;
    load_values();
    style_rows();
    offer_theme_colours();
    // Until a row is clicked the controls stay disabled; they show the first row meanwhile
    // rather than arbitrary values.
    load_controls(0);
    set_style_controls_enabled(false);
    connect_controls();
}

int sys_pre_dlg::entry_of_row(int row)
{
    return row >= 0 && row < style_class_count ? row_entries[row] : -1;
}

QString sys_pre_dlg::sample_text()
{
    return QStringLiteral("//test code\n"
                          "view t1 f1 f2 f3 btw 2026-01-01 2026-12-31 max 100\n"
                          "push into t1 f1 f2 values 12 \"text\" at 2026-12-08 09:45:00");
}

void sys_pre_dlg::load_values()
{
    hf_dsb_->setValue(sys_config.h_factor);
    vf_dsb_->setValue(sys_config.v_factor);
    if (sys_config.theme >= 0 && sys_config.theme < theme_count)
        theme_rb_[sys_config.theme]->setChecked(true);

    // A width the list does not offer is added, so that apply keeps it instead of storing 4.
    const QString tab = QString::number(sys_config.tab_width);
    if (tab_width_cb_->findText(tab) < 0)
        tab_width_cb_->addItem(tab);
    tab_width_cb_->setCurrentText(tab);
    as_space_cb_->setChecked(sys_config.as_space != 0);
    show_space_cb_->setChecked(sys_config.show_space != 0);
    edit_time_dsb_->setValue(sys_config.edit_time);
    cursor_width_sb_->setValue(sys_config.cursor_width);
    auto_enable_cb_->setChecked(sys_config.auto_enable != 0);
    least_count_sb_->setValue(sys_config.least_count);
    only_cmd_cb_->setChecked(sys_config.only_cmd != 0);
    update_cb_->setChecked(sys_config.check_update != 0);
}

void sys_pre_dlg::style_rows()
{
    const text_style *styles = sys_config.active_styles();
    for (int row = 0; row < style_class_count; ++row) {
        QListWidgetItem *it = theme_lw_->item(row);
        const text_style &s = styles[row_entries[row]];
        it->setFont(font_of_entry(s));
        it->setForeground(colour_of_entry(s));
    }
    // Larger or bold fonts and longer translations widen the rows; keep them all readable.
    theme_lw_->setMinimumWidth(theme_lw_->sizeHintForColumn(0) + 2 * theme_lw_->frameWidth() + 8);
    if (current_row_ >= 0)
        load_controls(current_row_);
}

void sys_pre_dlg::load_controls(int row)
{
    const QListWidgetItem *it = theme_lw_->item(row);
    const QFont f = it->font();
    const QSignalBlocker b1(font_cb_), b2(italic_cb_), b3(bold_cb_), b4(overline_cb_), b5(strickout_cb_),
        b6(underline_cb_), b7(fs_sb_);
    font_cb_->setCurrentFont(f);
    italic_cb_->setChecked(f.style() != QFont::StyleNormal);
    bold_cb_->setChecked(f.weight() >= 58);
    overline_cb_->setChecked(f.overline());
    strickout_cb_->setChecked(f.strikeOut());
    underline_cb_->setChecked(f.underline());
    fs_sb_->setValue(f.pointSize());
    cwt_->set_color(it->foreground().color());
}

void sys_pre_dlg::set_style_controls_enabled(bool on)
{
    for (QWidget *w : std::initializer_list<QWidget *>{font_cb_, bold_cb_, italic_cb_, overline_cb_, underline_cb_,
                                                       strickout_cb_, fs_sb_, cwt_})
        w->setEnabled(on);
}

int sys_pre_dlg::checked_theme() const
{
    for (int t = 0; t < theme_count; ++t)
        if (theme_rb_[t]->isChecked())
            return t;
    return -1;
}

void sys_pre_dlg::store_row(int row)
{
    const QListWidgetItem *it = theme_lw_->item(row);
    const QFont f = it->font();
    const QColor c = it->foreground().color();
    text_style &s = sys_config.active_styles()[row_entries[row]];
    const QByteArray family = f.family().toUtf8();
    sys_config_record::set_family(s, std::string(family.constData(), static_cast<size_t>(family.size())));
    s.point_size = f.pointSize();
    s.bold = f.weight() > 57;
    s.italic = f.style() != QFont::StyleNormal;
    s.overline = f.overline();
    s.underline = f.underline();
    s.strikeout = f.strikeOut();
    s.red = c.red();
    s.green = c.green();
    s.blue = c.blue();
    s.alpha = c.alpha();
}

template <typename change> void sys_pre_dlg::edit_row_font(change how, bool relayout)
{
    if (current_row_ < 0)
        return;
    QListWidgetItem *it = theme_lw_->item(current_row_);
    QFont f = it->font();
    how(f);
    it->setFont(f);
    store_row(current_row_);
    repaint_editors(relayout);
}

void sys_pre_dlg::repaint_editors(bool relayout)
{
    // Every editor, the preview among them, shows each edit of the record at once.
    restyle_editors(relayout);
}

void sys_pre_dlg::offer_theme_colours()
{
    text_style palette[style_class_count];
    const int t = checked_theme();
    builtin_palettes::load(t >= 0 ? t : 0, palette);
    QVector<QColor> colours;
    for (const text_style &s : palette)
        colours.push_back(colour_of_entry(s));
    cwt_->set_choices(colours);
    cursor_cwt_->set_choices(colours);
}

void sys_pre_dlg::item_clicked(QListWidgetItem *item)
{
    const int row = item ? theme_lw_->row(item) : -1;
    if (row < 0)
        return;
    current_row_ = row;
    set_style_controls_enabled(true);
    load_controls(row);
}

void sys_pre_dlg::page_clicked(QListWidgetItem *item)
{
    const int row = item ? list_->row(item) : -1;
    if (row >= 0 && row < stack_->count())
        stack_->setCurrentIndex(row);
}

void sys_pre_dlg::font_changed(const QFont &font)
{
    edit_row_font([&](QFont &f) { f.setFamily(font.family()); }, true);
}

void sys_pre_dlg::italic_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setItalic(state == Qt::Checked); }, false);
}

void sys_pre_dlg::bold_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setWeight(state == Qt::Checked ? 75 : 50); }, false);
}

void sys_pre_dlg::overline_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setOverline(state == Qt::Checked); }, true);
}

void sys_pre_dlg::strickout_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setStrikeOut(state == Qt::Checked); }, false);
}

void sys_pre_dlg::underline_changed(int state)
{
    edit_row_font([&](QFont &f) { f.setUnderline(state == Qt::Checked); }, false);
}

void sys_pre_dlg::fs_changed(int size)
{
    edit_row_font([&](QFont &f) { f.setPointSize(std::max(1, size)); }, true);
}

void sys_pre_dlg::color_changed(const QColor &c)
{
    if (current_row_ < 0 || !c.isValid())
        return;
    theme_lw_->item(current_row_)->setForeground(c);
    store_row(current_row_);
    repaint_editors(false);
}

void sys_pre_dlg::take_factors()
{
    if (hf_dsb_->value() >= least_factor)
        sys_config.h_factor = static_cast<float>(hf_dsb_->value());
    if (vf_dsb_->value() >= least_factor)
        sys_config.v_factor = static_cast<float>(vf_dsb_->value());
}

void sys_pre_dlg::value_changed(double)
{
    take_factors();
    repaint_editors(true);
}

void sys_pre_dlg::theme_changed(bool)
{
    const int t = checked_theme();
    if (t >= 0)
        sys_config.theme = t;
    style_rows();
    offer_theme_colours();
    repaint_editors(true);
}

void sys_pre_dlg::theme_reset(bool)
{
    const int t = checked_theme();
    if (t < 0)
        return;
    builtin_palettes::load(t, sys_config.styles[t]);
    style_rows();
    repaint_editors(true);
}

void sys_pre_dlg::apply(bool)
{
    take_factors();
    const int t = checked_theme();
    if (t >= 0)
        sys_config.theme = t;
    bool ok = false;
    const int width = tab_width_cb_->currentText().toInt(&ok);
    if (ok)
        sys_config.tab_width = width;
    sys_config.as_space = fully_checked(as_space_cb_);
    sys_config.show_space = fully_checked(show_space_cb_);
    sys_config.edit_time = static_cast<float>(edit_time_dsb_->value());
    sys_config.cursor_width = cursor_width_sb_->value();
    sys_config.auto_enable = fully_checked(auto_enable_cb_);
    sys_config.least_count = least_count_sb_->value();
    sys_config.only_cmd = fully_checked(only_cmd_cb_);
    sys_config.check_update = fully_checked(update_cb_);
    repaint_editors(true);
    accept();
}

void sys_pre_dlg::cancel(bool)
{
    reject();
}

void sys_pre_dlg::reject()
{
    sys_config = snapshot_;
    repaint_editors(true);
    QDialog::reject();
}
