// Widgets of the preferences dialog: the page list, the editor page with its three tabs and
// the preview, the update page, and the connections to the dialog's slots.
#include "config/color_wt.h"
#include "editor/editor.h"
#include "config/sys_pre_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QDoubleSpinBox *factor_box(QWidget *parent, const char *name, double max)
{
    auto *b = named(new QDoubleSpinBox(parent), name);
    b->setRange(0.0, max);
    b->setSingleStep(0.01);
    b->setDecimals(2);
    return b;
}

} // namespace

void sys_pre_dlg::build()
{
    setObjectName(QStringLiteral("sys_pre_dlg"));
    setWindowTitle(tr("system preference"));
    resize(903, 599);

    list_ = named(new QListWidget(this), "listWidget");
    list_->setMaximumWidth(100);
    list_->addItem(tr("editor"));
    list_->addItem(tr("update"));
    list_->setCurrentRow(0);
    stack_ = named(new QStackedWidget(this), "stackedWidget");
    stack_->addWidget(build_editor_page());
    stack_->addWidget(build_update_page());

    apply_pb_ = named(new QPushButton(tr("applay(&a)"), this), "apply_pb");
    cancel_pb_ = named(new QPushButton(tr("cancel(&c)"), this), "cancel_pb");
    apply_pb_->setAutoDefault(false);
    cancel_pb_->setAutoDefault(false);

    auto *pages = new QHBoxLayout;
    pages->addWidget(list_);
    pages->addWidget(stack_, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(apply_pb_);
    buttons->addWidget(cancel_pb_);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(pages, 1);
    lay->addLayout(buttons);
}

QWidget *sys_pre_dlg::build_editor_page()
{
    auto *page = named(new QWidget, "edtior");
    tabs_ = named(new QTabWidget(page), "tabWidget");
    tabs_->addTab(build_style_tab(), tr(" style"));
    tabs_->addTab(build_edit_tab(), tr("edit"));
    tabs_->addTab(build_completion_tab(), tr("completion"));

    auto *preview = named(new QGroupBox(tr("preview"), page), "preview_gb");
    // The editor sizes itself to its text; the scroll area keeps a larger font or factor usable.
    auto *area = named(new QScrollArea(preview), "preview_sa");
    area->setBackgroundRole(QPalette::Base);
    ed_ = named(new editor, "ed");
    ed_->setMinimumSize(500, 100);
    area->setWidget(ed_);
    area->setMinimumHeight(130);
    auto *pl = new QVBoxLayout(preview);
    pl->addWidget(area);

    auto *lay = new QVBoxLayout(page);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(tabs_, 3);
    lay->addWidget(preview, 2);
    return page;
}

QWidget *sys_pre_dlg::build_style_tab()
{
    auto *tab = named(new QWidget, "style_tab");

    hf_dsb_ = factor_box(tab, "hf_dsb", 2.0);
    vf_dsb_ = factor_box(tab, "vf_dsb", 6.0);
    show_space_cb_ = named(new QCheckBox(tr("show space"), tab), "show_space_cb");
    auto *factors = new QFormLayout;
    factors->addRow(tr("horizontal factor"), hf_dsb_);
    factors->addRow(tr("vertical factor"), vf_dsb_);

    auto *theme = named(new QGroupBox(tr("theme"), tab), "theme_gb");
    theme_rb_[0] = named(new QRadioButton(tr(" elegant"), theme), "fresh_rb");
    theme_rb_[1] = named(new QRadioButton(tr("fresh"), theme), "dark_rb");
    theme_rb_[2] = named(new QRadioButton(tr("leisurely"), theme), "cleary_rb");
    reset_pb_ = named(new QPushButton(tr("reset(&r)"), theme), "reset_pb");
    reset_pb_->setAutoDefault(false);
    auto *tl = new QVBoxLayout(theme);
    for (QRadioButton *rb : theme_rb_)
        tl->addWidget(rb);
    tl->addWidget(reset_pb_);

    auto *left = new QVBoxLayout;
    left->addLayout(factors);
    left->addWidget(show_space_cb_);
    left->addWidget(theme);
    left->addStretch(1);

    theme_lw_ = named(new QListWidget(tab), "theme_lw");
    const char *rows[style_class_count] = {
        QT_TR_NOOP("default"), QT_TR_NOOP("default keyword"), QT_TR_NOOP("read keyword"),
        QT_TR_NOOP("write keyword"), QT_TR_NOOP("post keyword"), QT_TR_NOOP("function"),
        QT_TR_NOOP("table name"), QT_TR_NOOP("field name"), QT_TR_NOOP("constant"), QT_TR_NOOP("comment")};
    for (const char *r : rows)
        theme_lw_->addItem(tr(r));

    font_cb_ = named(new QFontComboBox(tab), "font_cb");
    fs_sb_ = named(new QSpinBox(tab), "fs_sb");
    fs_sb_->setRange(1, 200);
    auto *font_form = new QFormLayout;
    font_form->addRow(tr("font"), font_cb_);
    font_form->addRow(tr("point size"), fs_sb_);

    auto *flags = named(new QGroupBox(tab), "flags_gb");
    bold_cb_ = named(new QCheckBox(tr("Bold"), flags), "bold_cb");
    italic_cb_ = named(new QCheckBox(tr("Italic"), flags), "italic_cb");
    overline_cb_ = named(new QCheckBox(tr("Overline"), flags), "overline_cb");
    underline_cb_ = named(new QCheckBox(tr("Underline"), flags), "underline_cb");
    strickout_cb_ = named(new QCheckBox(tr("Strickout"), flags), "strickout_cb");
    auto *fl = new QGridLayout(flags);
    fl->addWidget(bold_cb_, 0, 0);
    fl->addWidget(italic_cb_, 0, 1);
    fl->addWidget(overline_cb_, 1, 0);
    fl->addWidget(underline_cb_, 1, 1);
    fl->addWidget(strickout_cb_, 2, 0);

    auto *colour = named(new QGroupBox(tr("color"), tab), "color_gb");
    cwt_ = named(new color_wt(colour), "cwt");
    auto *cl = new QVBoxLayout(colour);
    cl->addWidget(cwt_);

    auto *right = new QVBoxLayout;
    right->addLayout(font_form);
    right->addWidget(flags);
    right->addWidget(colour);
    right->addStretch(1);

    auto *lay = new QHBoxLayout(tab);
    lay->addLayout(left);
    lay->addWidget(theme_lw_, 1);
    lay->addLayout(right, 2);
    return tab;
}

QWidget *sys_pre_dlg::build_edit_tab()
{
    auto *tab = named(new QWidget, "edit_tab");
    tab_width_cb_ = named(new QComboBox(tab), "tab_width_cb");
    tab_width_cb_->addItems({QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("2"), QStringLiteral("6"),
                             QStringLiteral("1"), QStringLiteral("3")});
    as_space_cb_ = named(new QCheckBox(tr("Insert as Space"), tab), "as_space_cb");
    edit_time_dsb_ = named(new QDoubleSpinBox(tab), "edit_time_dsb");
    edit_time_dsb_->setRange(0.0, 20.0);
    edit_time_dsb_->setSingleStep(0.1);

    auto *tab_row = new QHBoxLayout;
    tab_row->addWidget(new QLabel(tr("Tab Width:"), tab));
    tab_row->addWidget(tab_width_cb_);
    tab_row->addStretch(1);
    auto *time_row = new QHBoxLayout;
    time_row->addWidget(new QLabel(tr("Edit as Continous in"), tab));
    time_row->addWidget(edit_time_dsb_);
    time_row->addWidget(new QLabel(tr("second"), tab));
    time_row->addStretch(1);

    auto *cursor = named(new QGroupBox(tr("Edit Cursor"), tab), "cursor_gb");
    cursor_width_sb_ = named(new QSpinBox(cursor), "cursor_width_sb");
    cursor_width_sb_->setRange(0, 4);
    cursor_cwt_ = named(new color_wt(cursor), "cursor_cwt");
    auto *cur_l = new QHBoxLayout(cursor);
    cur_l->addWidget(new QLabel(tr("Width"), cursor));
    cur_l->addWidget(cursor_width_sb_);
    cur_l->addSpacing(20);
    cur_l->addWidget(cursor_cwt_, 1);

    auto *lay = new QVBoxLayout(tab);
    lay->addLayout(tab_row);
    lay->addWidget(as_space_cb_);
    lay->addLayout(time_row);
    lay->addWidget(cursor);
    lay->addStretch(1);
    return tab;
}

QWidget *sys_pre_dlg::build_completion_tab()
{
    auto *tab = named(new QWidget, "completion_tab");
    auto_enable_cb_ = named(new QCheckBox(tr("Enable"), tab), "auto_enable_cb");
    least_count_sb_ = named(new QSpinBox(tab), "least_count_sb");
    least_count_sb_->setRange(0, 6);
    only_cmd_cb_ = named(new QCheckBox(tr("Only Cmd"), tab), "only_cmd_cb");
    auto *count_row = new QHBoxLayout;
    count_row->addWidget(new QLabel(tr("least count"), tab));
    count_row->addWidget(least_count_sb_);
    count_row->addStretch(1);
    auto *lay = new QVBoxLayout(tab);
    lay->addWidget(auto_enable_cb_);
    lay->addLayout(count_row);
    lay->addWidget(only_cmd_cb_);
    lay->addStretch(1);
    return tab;
}

QWidget *sys_pre_dlg::build_update_page()
{
    auto *page = named(new QWidget, "update_page");
    update_cb_ = named(new QCheckBox(tr("Check Update"), page), "update_cb");
    auto *lay = new QVBoxLayout(page);
    lay->addWidget(update_cb_);
    lay->addStretch(1);
    return page;
}

void sys_pre_dlg::connect_controls()
{
    connect(apply_pb_, &QPushButton::clicked, this, &sys_pre_dlg::apply);
    connect(cancel_pb_, &QPushButton::clicked, this, &sys_pre_dlg::cancel);
    connect(reset_pb_, &QPushButton::clicked, this, &sys_pre_dlg::theme_reset);
    for (QRadioButton *rb : theme_rb_)
        connect(rb, &QRadioButton::clicked, this, &sys_pre_dlg::theme_changed);
    connect(theme_lw_, &QListWidget::itemClicked, this, &sys_pre_dlg::item_clicked);
    // Moving through the rows by keyboard must retarget the controls as a click does,
    // or the next edit would land in the row that was clicked before.
    connect(theme_lw_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current) { if (current) item_clicked(current); });
    connect(list_, &QListWidget::itemClicked, this, &sys_pre_dlg::page_clicked);
    connect(list_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current) { if (current) page_clicked(current); });
    connect(bold_cb_, &QCheckBox::stateChanged, this, &sys_pre_dlg::bold_changed);
    connect(italic_cb_, &QCheckBox::stateChanged, this, &sys_pre_dlg::italic_changed);
    connect(overline_cb_, &QCheckBox::stateChanged, this, &sys_pre_dlg::overline_changed);
    connect(underline_cb_, &QCheckBox::stateChanged, this, &sys_pre_dlg::underline_changed);
    connect(strickout_cb_, &QCheckBox::stateChanged, this, &sys_pre_dlg::strickout_changed);
    connect(font_cb_, &QFontComboBox::currentFontChanged, this, &sys_pre_dlg::font_changed);
    connect(cwt_, &color_wt::color_changed, this, &sys_pre_dlg::color_changed);
    connect(fs_sb_, QOverload<int>::of(&QSpinBox::valueChanged), this, &sys_pre_dlg::fs_changed);
    connect(hf_dsb_, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &sys_pre_dlg::value_changed);
    connect(vf_dsb_, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &sys_pre_dlg::value_changed);
}
