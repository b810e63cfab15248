// Delegates by kind: the texts come from value_text, the editors from the typed entries.
#include "table/item_dlgt.h"

#include "table/datetime_edit.h"
#include "table/spin_boxes.h"

#include <QLineEdit>

using kind = value_kind;

item_dlgt::item_dlgt(kind k, QObject *parent) : QItemDelegate(parent), kind_(k)
{
    ox::db::mem::register_meta_types();
}

QWidget *item_dlgt::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    QWidget *editor = make_editor(parent);
    QFont f = editor->font();
    f.setPointSize(10);
    editor->setFont(f);
    if (auto *le = qobject_cast<QLineEdit *>(editor)) {
        le->setAlignment(Qt::AlignCenter);
        le->setReadOnly(read_only_);
    } else if (auto *dt = qobject_cast<date_time_wt *>(editor)) {
        dt->set_alignment(Qt::AlignCenter);
        dt->set_read_only(read_only_);
    }
    return editor;
}

void item_dlgt::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    put_value(editor, index.data(Qt::EditRole));
}

void item_dlgt::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (read_only_)
        return;
    const QVariant v = take_value(editor);
    if (!v.isValid())
        return; // a half-typed entry leaves the cell as it was
    if (value_text::same_value(v, index.data(Qt::EditRole)))
        return;
    model->setData(index, v, Qt::EditRole);
}

void item_dlgt::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    QRect r = option.rect;
    r.setHeight(qMax(r.height(), editor->minimumSizeHint().height()));
    editor->setGeometry(r);
}

QString item_dlgt::display_text(const QVariant &value) const
{
    return value_text::display_text(value, kind_, fmt_);
}

QVariant item_dlgt::from_text(const QString &text) const
{
    return value_text::from_text(text, kind_, fmt_);
}

// ---------------------------------------------------------------- integers

// A kind that is not an integer kind gets the widest one, so the entry still takes every value.
int_item_dlgt::int_item_dlgt(kind k, QObject *parent) : item_dlgt(is_integer(k) ? k : kind::i64, parent) {}

QWidget *int_item_dlgt::make_editor(QWidget *parent) const
{
    int_spin_box *e = make_int_spin_box(value_kind(), parent);
    e->set_format(format());
    return e;
}

void int_item_dlgt::put_value(QWidget *editor, const QVariant &value) const
{
    auto *e = static_cast<int_spin_box *>(editor);
    e->set_format(format());
    e->set_value(value_text::int_bits(value, value_kind()));
}

QVariant int_item_dlgt::take_value(QWidget *editor) const
{
    auto *e = static_cast<int_spin_box *>(editor);
    return e->has_value() ? int_variant(e->value(), value_kind()) : QVariant();
}

// ---------------------------------------------------------------- float and double

real_item_dlgt::real_item_dlgt(bool is_double, QObject *parent)
    : item_dlgt(is_double ? kind::dbl : kind::flt, parent)
{
}

QWidget *real_item_dlgt::make_editor(QWidget *parent) const
{
    if (value_kind() == kind::dbl)
        return new double_spin_box(parent);
    return new float_spin_box(parent);
}

void real_item_dlgt::put_value(QWidget *editor, const QVariant &value) const
{
    static_cast<real_spin_box *>(editor)->set_value(value.toDouble());
}

QVariant real_item_dlgt::take_value(QWidget *editor) const
{
    auto *e = static_cast<real_spin_box *>(editor);
    if (!e->has_value() || !e->text_edited())
        return QVariant();
    return value_kind() == kind::dbl ? QVariant(e->value()) : QVariant(float(e->value()));
}

// ---------------------------------------------------------------- strings

string_item_dlgt::string_item_dlgt(QObject *parent) : item_dlgt(kind::str, parent) {}

QWidget *string_item_dlgt::make_editor(QWidget *parent) const
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(2147483647);
    return e;
}

void string_item_dlgt::put_value(QWidget *editor, const QVariant &value) const
{
    static_cast<QLineEdit *>(editor)->setText(value.toString());
}

QVariant string_item_dlgt::take_value(QWidget *editor) const
{
    const QString text = static_cast<QLineEdit *>(editor)->text();
    return QVariant(text.isNull() ? QString(QLatin1String("")) : text); // emptied is still a value
}

// ---------------------------------------------------------------- dates and times

temporal_item_dlgt::temporal_item_dlgt(kind k, QObject *parent) : item_dlgt(k, parent) {}

QWidget *temporal_item_dlgt::make_editor(QWidget *parent) const
{
    const auto shown = value_kind() == kind::date   ? date_time_wt::parts::date
                       : value_kind() == kind::time ? date_time_wt::parts::time
                                                    : date_time_wt::parts::date_time;
    return new date_time_wt(parent, shown);
}

void temporal_item_dlgt::put_value(QWidget *editor, const QVariant &value) const
{
    static_cast<date_time_wt *>(editor)->set_variant(value);
}

QVariant temporal_item_dlgt::take_value(QWidget *editor) const
{
    return static_cast<date_time_wt *>(editor)->variant();
}

item_dlgt *make_item_dlgt(const QByteArray &type_name, QObject *parent)
{
    const kind k = kind_of(type_name);
    if (is_integer(k))
        return new int_item_dlgt(k, parent);
    switch (k) {
    case kind::flt: return new float_item_dlgt(parent);
    case kind::dbl: return new double_item_dlgt(parent);
    case kind::str: return new string_item_dlgt(parent);
    case kind::date: return new date_item_dlgt(parent);
    case kind::time: return new time_item_dlgt(parent);
    case kind::datetime: return new datetime_item_dlgt(parent);
    default: return nullptr;
    }
}
