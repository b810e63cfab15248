// Node parameters form: name, address, port, maximum space with its unit, and for a listed
// node its used space and group.
#include "cluster/node_params_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const char *const unit_names[] = {"B", "KB", "MB", "GB", "TB"};
constexpr int unit_count = 5;

// "10.0.0.1" and "10.00.0.001" name one host.
bool same_address(const QByteArray &a, const QByteArray &b)
{
    const QHostAddress x(QString::fromLatin1(a)), y(QString::fromLatin1(b));
    return x.isNull() || y.isNull() ? a == b : x.isEqual(y);
}
} // namespace

node_params_dlg::node_params_dlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("node_params_dlg"));
    setWindowTitle(tr("node paramters setting"));

    le_name = new QLineEdit(this);
    le_name->setObjectName(QStringLiteral("le_name"));
    address_fields(this, le_ip, sb_port, 55555);
    cb_join = new QCheckBox(tr("join"), this);
    cb_join->setObjectName(QStringLiteral("cb_join"));
    cb_join->setEnabled(false);   // membership changes through the master's join and detach only
    sb_space = new QSpinBox(this);
    sb_space->setObjectName(QStringLiteral("sb_space"));
    sb_space->setRange(0, 1 << 30);
    sb_space->setValue(100);
    cb_unit = new QComboBox(this);
    cb_unit->setObjectName(QStringLiteral("cb_unit"));
    cb_master = new QCheckBox(tr("as master"), this);
    cb_master->setObjectName(QStringLiteral("cb_master"));
    cb_master->setChecked(true);   // nodes added by hand carry the master's mark
    lbl_us = new QLabel(tr("use space"), this);
    lbl_us->setObjectName(QStringLiteral("lbl_us"));
    le_us = new QLineEdit(this);
    le_us->setObjectName(QStringLiteral("le_us"));
    le_us->setReadOnly(true);   // the node reports it; nobody sets it from here
    cb_u_unit = new QComboBox(this);
    cb_u_unit->setObjectName(QStringLiteral("cb_u_unit"));
    lbl_gid = new QLabel(tr("group id"), this);
    lbl_gid->setObjectName(QStringLiteral("lbl_gid"));
    sb_gid = new QSpinBox(this);
    sb_gid->setObjectName(QStringLiteral("sb_gid"));
    sb_gid->setRange(0, 2147483647);
    lbl_note = new QLabel(tr("Nodes join the cluster through the master. A node added or changed here stays in "
                             "this list only until you join it (\"join node\"); reconnecting to the master "
                             "drops it."),
                          this);
    lbl_note->setObjectName(QStringLiteral("lbl_note"));
    lbl_note->setWordWrap(true);
    lbl_clash = new QLabel(this);
    lbl_clash->setObjectName(QStringLiteral("lbl_clash"));
    lbl_clash->setWordWrap(true);
    lbl_clash->setStyleSheet(QStringLiteral("color: #b00020;"));
    lbl_clash->setVisible(false);
    for (const char *u : unit_names) {
        cb_unit->addItem(QString::fromLatin1(u));
        cb_u_unit->addItem(QString::fromLatin1(u));
    }
    cb_unit->setCurrentIndex(3);
    cb_u_unit->setCurrentIndex(3);

    auto *space_row = new QHBoxLayout;
    space_row->addWidget(sb_space, 1);
    space_row->addWidget(cb_unit);
    auto *us_row = new QHBoxLayout;
    us_row->addWidget(le_us, 1);
    us_row->addWidget(cb_u_unit);
    auto *flags = new QHBoxLayout;
    flags->addWidget(cb_join);
    flags->addWidget(cb_master);
    flags->addStretch();

    auto *form = new QFormLayout;
    form->addRow(tr("name"), le_name);
    form->addRow(tr("IP"), le_ip);
    form->addRow(tr("port"), sb_port);
    form->addRow(tr("max space"), space_row);
    form->addRow(lbl_us, us_row);
    form->addRow(lbl_gid, sb_gid);
    form->addRow(QString(), flags);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *top = new QVBoxLayout(this);
    top->addWidget(lbl_note);
    top->addLayout(form);
    top->addWidget(lbl_clash);
    top->addWidget(buttons);

    for (QWidget *w : {static_cast<QWidget *>(lbl_us), static_cast<QWidget *>(le_us),
                       static_cast<QWidget *>(cb_u_unit), static_cast<QWidget *>(lbl_gid), static_cast<QWidget *>(sb_gid)})
        w->setVisible(false);
    connect(cb_u_unit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &node_params_dlg::show_use_space);
    connect(le_name, &QLineEdit::textChanged, this, &node_params_dlg::check_input);
    connect(le_ip, &QLineEdit::textChanged, this, &node_params_dlg::check_input);
    connect(sb_port, QOverload<int>::of(&QSpinBox::valueChanged), this, &node_params_dlg::check_input);
    check_input();
}

void node_params_dlg::address_fields(QWidget *parent, QLineEdit *&ip, QSpinBox *&port, int port_value)
{
    ip = new QLineEdit(QStringLiteral("127.0.0.1"), parent);
    ip->setObjectName(QStringLiteral("le_ip"));
    ip->setValidator(ipv4_validator(ip));
    port = new QSpinBox(parent);
    port->setObjectName(QStringLiteral("sb_port"));
    port->setRange(1, 65535);
    port->setValue(port_value);
}

void node_params_dlg::check_input()
{
    // A node needs a name and a whole address, neither of them another node's, to be listed.
    const QString why = clash();
    lbl_clash->setText(why);
    lbl_clash->setVisible(!why.isEmpty());
    ok_->setEnabled(!le_name->text().trimmed().isEmpty() && le_ip->hasAcceptableInput() && why.isEmpty());
}

void node_params_dlg::set_others(const QList<node_info> &others)
{
    others_ = others;
    check_input();
}

QString node_params_dlg::clash() const
{
    const node_info n = node();
    for (const node_info &o : others_) {
        if (!n.name.isEmpty() && o.name == n.name)
            return tr("A node named '%1' is already in the list.").arg(QString::fromUtf8(n.name));
        if (same_address(o.ip, n.ip) && o.port == n.port)
            return tr("The address %1:%2 is already in the list (node '%3').")
                .arg(QString::fromUtf8(n.ip))
                .arg(n.port)
                .arg(QString::fromUtf8(o.name));
    }
    return QString();
}

void node_params_dlg::split_space(quint64 bytes, int &value, int &unit_index)
{
    unit_index = 0;
    while (unit_index + 1 < unit_count && bytes != 0 && bytes % 1024 == 0) {
        bytes /= 1024;
        ++unit_index;
    }
    // Counts beyond the spin box's range are shown in the largest unit, rounded up.
    while (bytes > quint64(1 << 30) && unit_index + 1 < unit_count) {
        bytes = bytes / 1024 + (bytes % 1024 != 0);
        ++unit_index;
    }
    value = int(std::min<quint64>(bytes, quint64(1 << 30)));
}

quint64 node_params_dlg::join_space(int value, int unit_index)
{
    return quint64(std::max(0, value)) << (10 * std::clamp(unit_index, 0, unit_count - 1));
}

void node_params_dlg::show_use_space()
{
    const quint64 unit = quint64(1) << (10 * cb_u_unit->currentIndex());
    le_us->setText(QString::number(double(use_space_) / double(unit), 'f', cb_u_unit->currentIndex() ? 2 : 0));
}

void node_params_dlg::set_node(const node_info &n, bool master_icon)
{
    cb_master->setChecked(master_icon);
    le_name->setText(QString::fromUtf8(n.name));
    le_ip->setText(QString::fromUtf8(n.ip));
    sb_port->setValue(n.port);
    int value = 0, unit = 0;
    split_space(n.max_space, value, unit);
    cb_unit->setCurrentIndex(unit);
    sb_space->setValue(value);
    cb_join->setChecked(n.group != 0);
    sb_gid->setValue(n.group);
    use_space_ = n.use_space;
    // Only shown, never edited: the largest unit that keeps a whole part reads best.
    int us_unit = 0;
    while (us_unit + 1 < unit_count && n.use_space >= (quint64(1) << (10 * (us_unit + 1))))
        ++us_unit;
    cb_u_unit->setCurrentIndex(us_unit);
    show_use_space();
    for (QWidget *w : {static_cast<QWidget *>(lbl_us), static_cast<QWidget *>(le_us),
                       static_cast<QWidget *>(cb_u_unit), static_cast<QWidget *>(lbl_gid), static_cast<QWidget *>(sb_gid)})
        w->setVisible(true);
}

node_info node_params_dlg::node(const node_info &base) const
{
    node_info n = base;
    n.name = le_name->text().trimmed().toUtf8();
    n.ip = le_ip->text().toUtf8();
    n.port = quint16(sb_port->value());
    n.max_space = join_space(sb_space->value(), cb_unit->currentIndex());
    if (sb_gid->isVisibleTo(this))
        n.group = sb_gid->value();
    return n;
}
