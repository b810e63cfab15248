// Controls, options and report boxes of the search dialogs; every box goes through the modal seam.
#include "common/search_form.h"

#include "common/modal_seam.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename W>
W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

search_form::search_form(extra with, QWidget *parent) : QDialog(parent)
{
    setModal(false);
    setSizeGripEnabled(false);

    target_lbl = named(new QLabel(tr("Target"), this), "target_lbl");
    target_le = named(new QLineEdit(this), "target_le");
    target_lbl->setBuddy(target_le);
    rep_lbl = named(new QLabel(tr("Replace"), this), "rep_lbl");
    rep_le = named(new QLineEdit(this), "rep_le");
    rep_lbl->setBuddy(rep_le);

    next_pb = named(new QPushButton(tr("Next"), this), "next_pb");
    prev_pb = named(new QPushButton(tr("Previous"), this), "prev_pb");
    fall_pb = named(new QPushButton(tr("Find All"), this), "fall_pb");
    rep_pb = named(new QPushButton(tr("Replace"), this), "rep_pb");
    rep_all_pb = named(new QPushButton(tr("Replace All"), this), "rep_all_pb");
    next_pb->setDefault(true);
    for (QPushButton *b : {next_pb, prev_pb, fall_pb, rep_pb, rep_all_pb})
        b->setAutoDefault(false);

    mw_cb = named(new QCheckBox(tr("Match Word"), this), "mw_cb");
    cs_cb = named(new QCheckBox(tr("Case-sentive"), this), "cs_cb");

    mode_gb = named(new QGroupBox(tr("Mode"), this), "mode_gb");
    normal_rb = named(new QRadioButton(tr("Normal"), mode_gb), "normal_rb");
    reg_rb = named(new QRadioButton(tr("Regular Expression"), mode_gb), "reg_rb");
    sup_rb = named(new QRadioButton(tr("Support(\\n,\\r,\\x)"), mode_gb), "sup_rb");
    normal_rb->setChecked(true);
    auto *mode_box = new QVBoxLayout(mode_gb);
    mode_box->addWidget(normal_rb);
    mode_box->addWidget(reg_rb);
    mode_box->addWidget(sup_rb);

    auto *checks = new QVBoxLayout;
    checks->addWidget(mw_cb);
    checks->addWidget(cs_cb);
    auto *groups = new QHBoxLayout;
    groups->addLayout(checks);
    groups->addWidget(mode_gb);
    if (with == extra::only_selection) {
        os_cb = named(new QCheckBox(tr("Only Selection"), this), "os_cb");
        checks->addWidget(os_cb);
    } else {
        mode_gb_2 = named(new QGroupBox(tr("Constraint"), this), "mode_gb_2");
        row_rb = named(new QRadioButton(tr("Row"), mode_gb_2), "row_rb");
        col_rb = named(new QRadioButton(tr("Column"), mode_gb_2), "col_rb");
        none_rb = named(new QRadioButton(tr("None"), mode_gb_2), "none_rb");
        none_rb->setChecked(true);
        auto *box = new QVBoxLayout(mode_gb_2);
        box->addWidget(row_rb);
        box->addWidget(col_rb);
        box->addWidget(none_rb);
        groups->addWidget(mode_gb_2);
    }
    checks->addStretch(1);

    auto *fields = new QGridLayout;
    fields->addWidget(target_lbl, 0, 0);
    fields->addWidget(target_le, 0, 1);
    fields->addWidget(rep_lbl, 1, 0);
    fields->addWidget(rep_le, 1, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(groups);
    left->addStretch(1);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {next_pb, prev_pb, fall_pb, rep_pb, rep_all_pb})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    target_le->setMinimumWidth(260);

    connect(target_le, &QLineEdit::textChanged, this, &search_form::target_changed);
    connect(next_pb, &QPushButton::clicked, this, &search_form::next);
    connect(prev_pb, &QPushButton::clicked, this, &search_form::prev);
    connect(fall_pb, &QPushButton::clicked, this, &search_form::search_all);
    connect(rep_pb, &QPushButton::clicked, this, &search_form::replace);
    connect(rep_all_pb, &QPushButton::clicked, this, &search_form::replace_all);
    // Other options are another search: the question about the other end comes again.
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{mw_cb, cs_cb, normal_rb, reg_rb, sup_rb})
        connect(b, &QAbstractButton::toggled, this, [this] { wrapped_ = false; });

    refresh_buttons();
}

QString search_form::target() const
{
    return target_le->text();
}

text_search::options search_form::options() const
{
    text_search::options o;
    o.how = reg_rb->isChecked() ? text_search::mode::regular_expression
          : sup_rb->isChecked() ? text_search::mode::escapes
                                : text_search::mode::normal;
    o.match_word = mw_cb->isChecked();
    o.case_sensitive = cs_cb->isChecked();
    return o;
}

void search_form::set_replace_allowed(bool on)
{
    replace_allowed_ = on;
    if (!on && replace_mode_)
        show_top(false);
    refresh_buttons();
}

void search_form::target_changed(const QString &)
{
    wrapped_ = false;
    refresh_buttons();
}

// The replace row shows in replace mode only; nothing that cannot act stays enabled.
void search_form::refresh_buttons()
{
    const bool rep = replace_mode_ && replace_allowed_;
    for (QWidget *w : {static_cast<QWidget *>(rep_lbl), static_cast<QWidget *>(rep_le),
                       static_cast<QWidget *>(rep_pb), static_cast<QWidget *>(rep_all_pb)})
        w->setVisible(rep);
    const bool has_target = !target_le->text().isEmpty();
    for (QPushButton *b : {next_pb, prev_pb, fall_pb, rep_pb, rep_all_pb})
        b->setEnabled(has_target);
    rep_pb->setEnabled(has_target && rep);
    rep_all_pb->setEnabled(has_target && rep);
}

void search_form::show_top(bool replace_mode)
{
    replace_mode_ = replace_mode && replace_allowed_;
    setWindowTitle(title_for(replace_mode_));
    refresh_buttons();
    adjustSize();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    target_le->setFocus();
    target_le->selectAll();
}

void search_form::reject()
{
    wrapped_ = false;
    QDialog::reject();
}

std::optional<text_search::matcher> search_form::make_matcher()
{
    text_search::matcher m(target(), options());
    if (m.empty())
        return std::nullopt;
    if (!m.valid()) {
        modal_seam::warning(this, tr("search result"),
                            tr("the regular expression '%1' is not valid: %2").arg(target(), m.error()));
        return std::nullopt;
    }
    return m;
}

void search_form::step(bool forward, const std::function<bool(bool from_edge)> &find)
{
    const QString t = target();
    bool from_edge = false;
    for (;;) {
        if (find(from_edge))
            return;
        if (wrapped_) {
            wrapped_ = false;
            modal_seam::information(this, forward ? tr("next research result") : tr("previous research result"),
                                    tr("the string '%1' not found.").arg(t));
            return;
        }
        const QString question = forward ? tr("the string '%1' not found. continue from begin?")
                                         : tr("the string '%1' not found. continue from end?");
        if (modal_seam::question(this, forward ? tr("next search result") : tr("previous search result"),
                                 question.arg(t), QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        wrapped_ = true;
        from_edge = true;
    }
}

void search_form::tell_found(int count)
{
    const QString t = target();
    modal_seam::information(this, tr("search result"),
                            count > 0 ? tr("the string '%1' found %2 times.").arg(t).arg(count)
                                      : tr("the string '%1' not found.").arg(t));
}

void search_form::tell_replaced(int count)
{
    const QString t = target();
    modal_seam::information(this, tr("replace result"),
                            count > 0 ? tr("the string '%1' %2 times replaced.").arg(t).arg(count)
                                      : tr("the string '%1' not found.").arg(t));
}

void search_form::tell_not_found(const QString &title)
{
    modal_seam::information(this, title, tr("the string '%1' not found.").arg(target()));
}
