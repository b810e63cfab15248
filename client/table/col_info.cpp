// The table definition window: its form, the row rules of each mode and applying the rows to the
// server through the command layer.
#include "table/col_info.h"

#include "support/proto/value_kinds.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "common/wait_notice.h"
#include "db/cmd_builders.h"
#include "db/db_link.h"
#include "table/tab_data_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const field_style = "background-color: rgb(250, 250, 255);\nborder:1px solid rgb(147, 164, 173);\n"
                                "border-radius:2px;";

// Which cell a combo box edits; set when the box is put into its cell.
const char *const combo_row = "col_info_row";
const char *const combo_col = "col_info_col";

// The type box fills its cell: placed right of the cell's icon, as editors are by default, it
// would show the type's icon twice, once beside the box and once in it.
class whole_cell_delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        editor->setGeometry(option.rect);
    }
};

} // namespace

const QList<QByteArray> &col_info::type_names()
{
    // Unsigned before signed, then floating point, text and time: the order users pick from,
    // which is not the order of the value kinds.
    static const QList<QByteArray> names = [] {
        QList<QByteArray> unsigned_ints, signed_ints, others;
        for (const proto::kind_info &k : proto::kinds) {
            const proto::kind pk = proto::kind(&k - proto::kinds);
            (!proto::is_integer(pk) ? others : proto::is_signed_integer(pk) ? signed_ints : unsigned_ints) << k.name;
        }
        return unsigned_ints + signed_ints + others;
    }();
    return names;
}

col_info::col_info(db_link *link_, QWidget *parent) : QWidget(parent), link(link_)
{
    setObjectName(QStringLiteral("col_info"));
    resize(560, 420);

    label = new QLabel(tr("TableName"), this);
    label->setObjectName(QStringLiteral("label"));
    table_le = new QLineEdit(this);
    table_le->setObjectName(QStringLiteral("table_le"));
    table_le->setStyleSheet(QString::fromLatin1(field_style) + QStringLiteral("height:25px;"));
    table_le->setReadOnly(true);

    add_btn = new QToolButton(this);
    add_btn->setObjectName(QStringLiteral("add_btn"));
    add_btn->setText(QStringLiteral("+"));
    delete_btn = new QToolButton(this);
    delete_btn->setObjectName(QStringLiteral("delete_btn"));
    delete_btn->setText(QStringLiteral("-"));

    tableWidget = new QTableWidget(0, 3, this);
    tableWidget->setObjectName(QStringLiteral("tableWidget"));
    tableWidget->setStyleSheet(QString::fromLatin1(field_style));
    tableWidget->setHorizontalHeaderLabels({tr("Name"), tr("Type"), tr("Index")});
    tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    tableWidget->horizontalHeader()->setStretchLastSection(true);
    tableWidget->horizontalHeader()->setSectionResizeMode(name_col, QHeaderView::Stretch);
    tableWidget->setColumnWidth(type_col, 150);
    tableWidget->setItemDelegateForColumn(type_col, new whole_cell_delegate(tableWidget));

    apply_btn = new QPushButton(tr("Apply"), this);
    apply_btn->setObjectName(QStringLiteral("apply_btn"));
    cancel_btn = new QPushButton(tr("Cancel"), this);
    cancel_btn->setObjectName(QStringLiteral("cancel_btn"));

    auto *name_row = new QHBoxLayout;
    name_row->addWidget(label);
    name_row->addWidget(table_le, 1);
    auto *edit_row = new QHBoxLayout;
    edit_row->addWidget(add_btn);
    edit_row->addWidget(delete_btn);
    edit_row->addStretch(1);
    // The wait of the create command, apart from the buttons that apply or close.
    wait_ = new wait_notice(link, this, this);
    auto *button_row = new QHBoxLayout;
    button_row->addWidget(wait_);
    button_row->addStretch(1);
    button_row->addWidget(apply_btn);
    button_row->addWidget(cancel_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name_row);
    layout->addLayout(edit_row);
    layout->addWidget(tableWidget, 1);
    layout->addLayout(button_row);

    connect(add_btn, &QToolButton::clicked, this, &col_info::add);
    connect(delete_btn, &QToolButton::clicked, this, &col_info::del);
    connect(apply_btn, &QPushButton::clicked, this, &col_info::apply);
    connect(cancel_btn, &QPushButton::clicked, this, &col_info::cancel);
    connect(tableWidget, &QTableWidget::cellDoubleClicked, this, &col_info::cellDoubleClicked);
    connect(tableWidget, &QTableWidget::currentCellChanged, this, &col_info::currentCellChanged);

    // Until filled nothing can be changed, and no button may look as if it did something.
    add_btn->setEnabled(false);
    delete_btn->setEnabled(false);
    apply_btn->setEnabled(false);
}

void col_info::fill(const QByteArray &table_, const QByteArray &field, const QList<QByteArray> &names,
                    const QList<QByteArray> &types, const QList<QByteArray> &indexes, int mode_)
{
    table = table_;
    field_ = field;
    mode = mode_;
    table_le->setText(QString::fromUtf8(table));
    tableWidget->setRowCount(0);

    const bool grows = mode == create_table || mode == add_fields;
    table_le->setReadOnly(mode != create_table);
    add_btn->setEnabled(grows);
    delete_btn->setEnabled(grows);
    // A view has nothing to apply.
    apply_btn->setEnabled(mode != construction && mode != view);
    tableWidget->setColumnHidden(index_col, mode == create_table);

    // The given fields are the table's own: they stay, whatever the mode.
    existing = names.size();
    field_row_ = (mode == modify || mode == rename) ? names.indexOf(field) : -1;
    for (int i = 0; i < names.size(); ++i)
        add_row(names[i], types.value(i), indexes.value(i, "false"));

    if (mode == create_table)
        add();
    if (field_row_ >= 0)
        tableWidget->setCurrentCell(field_row_, mode == rename ? name_col : type_col);
    filled_ = form_state();
}

QStringList col_info::form_state() const
{
    QStringList out{table_le->text()};
    for (int row = 0; row < tableWidget->rowCount(); ++row)
        for (int column : {name_col, type_col, index_col})
            out << QString::fromUtf8(cell_text(row, column));
    return out;
}

bool col_info::has_pending() const
{
    const bool can_apply = mode == create_table || mode == add_fields || mode == modify || mode == rename;
    return can_apply && form_state() != filled_;
}

void col_info::restore_row(int row)
{
    const int at = 1 + row * 3;
    if (row < 0 || row >= tableWidget->rowCount() || at + 2 >= filled_.size())
        return;
    // A type or index box still in its cell would show the refused choice over the item.
    for (int column : {name_col, type_col, index_col})
        tableWidget->removeCellWidget(row, column);
    tableWidget->item(row, name_col)->setText(filled_[at]);
    set_type_text(row, filled_[at + 1].toLatin1());
    tableWidget->item(row, index_col)->setText(filled_[at + 2]);
}

close_answer col_info::may_close()
{
    if (applying_ || !has_pending())
        return close_answer::go;
    const QString what = mode == create_table
                             ? tr("the new table '%1' is not created yet.").arg(table_le->text())
                             : tr("the changes to the fields of table '%1' are not applied yet.").arg(QString::fromUtf8(table));
    const QMessageBox::StandardButton answer = ask_pending_close(this, what);
    if (answer == QMessageBox::Discard)
        return close_answer::go;
    if (answer != QMessageBox::Apply)
        return close_answer::keep;
    apply();
    return applying_ ? close_answer::applying : close_answer::keep;
}

bool col_info::cell_editable(int row, int column) const
{
    switch (mode) {
    case create_table:
        return true;
    case add_fields:
        return row >= existing;
    case modify:
        return row == field_row_ && column != name_col;
    case rename:
        return row == field_row_ && column == name_col;
    default:
        return false;
    }
}

void col_info::add_row(const QByteArray &name, const QByteArray &type, const QByteArray &index)
{
    const int row = tableWidget->rowCount();
    tableWidget->insertRow(row);
    auto *name_item = new QTableWidgetItem(QString::fromUtf8(name));
    if (!cell_editable(row, name_col))
        name_item->setFlags(name_item->flags() & ~Qt::ItemIsEditable);
    tableWidget->setItem(row, name_col, name_item);
    // Types and index flags are picked from a combo box, never typed.
    for (int column : {type_col, index_col}) {
        auto *item = new QTableWidgetItem;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        tableWidget->setItem(row, column, item);
    }
    set_type_text(row, type);
    tableWidget->item(row, index_col)->setText(QString::fromUtf8(index));
}

void col_info::set_type_text(int row, const QByteArray &type)
{
    QTableWidgetItem *item = tableWidget->item(row, type_col);
    item->setText(QString::fromUtf8(type));
    item->setIcon(type_icon(type));
}

QByteArray col_info::cell_text(int row, int column) const
{
    const QTableWidgetItem *item = tableWidget->item(row, column);
    return item ? item->text().toUtf8() : QByteArray();
}

void col_info::add(bool)
{
    if (mode != create_table && mode != add_fields)
        return;
    const int row = tableWidget->rowCount();
    add_row("f" + QByteArray::number(row + 1), "u32", "false");
    tableWidget->setCurrentCell(row, name_col);
}

void col_info::del(bool)
{
    const int row = tableWidget->currentRow();
    if (mode != create_table && mode != add_fields)
        return;
    if (row < 0 || row < existing)
        return;
    tableWidget->removeRow(row);
}

void col_info::cellDoubleClicked(int row, int column)
{
    if ((column != type_col && column != index_col) || !cell_editable(row, column))
        return;
    auto *box = new QComboBox;
    if (column == type_col) {
        box->setObjectName(QStringLiteral("type_cb"));
        for (const QByteArray &t : type_names())
            box->addItem(type_icon(t), QString::fromLatin1(t));
    } else {
        box->setObjectName(QStringLiteral("index_cb"));
        box->addItems({QStringLiteral("true"), QStringLiteral("false")});
    }
    // The grid's style sheet reaches the box's list too, where it would paint the highlighted
    // entry's text in the colour of its background.
    box->setItemDelegate(new QStyledItemDelegate(box));
    box->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView { selection-background-color: palette(highlight);"
                                      " selection-color: palette(highlighted-text); }"));
    box->setProperty(combo_row, row);
    box->setProperty(combo_col, column);
    box->setCurrentIndex(qMax(0, box->findText(tableWidget->item(row, column)->text())));
    tableWidget->setCellWidget(row, column, box);
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &col_info::currentIndexChanged);
}

void col_info::currentCellChanged(int, int, int previous_row, int previous_column)
{
    // The chosen text is already in the item; the box has done its work.
    if (previous_row >= 0 && previous_column >= 0 && tableWidget->cellWidget(previous_row, previous_column))
        tableWidget->removeCellWidget(previous_row, previous_column);
}

void col_info::currentIndexChanged(int index)
{
    auto *box = qobject_cast<QComboBox *>(sender());
    if (!box || index < 0)
        return;
    const int row = box->property(combo_row).toInt();
    const int column = box->property(combo_col).toInt();
    if (!tableWidget->item(row, column))
        return;
    if (column == type_col)
        set_type_text(row, box->itemText(index).toLatin1());
    else
        tableWidget->item(row, column)->setText(box->itemText(index));
}

void col_info::cancel(bool)
{
    if (may_close() == close_answer::go)
        emit rejected();
}

QString col_info::name_problem(const QByteArray &name, bool is_table) const
{
    int at = 0;
    const QString shown = QString::fromUtf8(name);
    switch (plain_name_fault(name, &at)) {
    case name_fault::none:
        return {};
    case name_fault::empty:
        return is_table ? tr("the table name is empty.") : tr("a field name is empty.");
    case name_fault::leading_digit:
        return is_table ? tr("the table name '%1' starts with a digit.").arg(shown)
                        : tr("the field name '%1' starts with a digit.").arg(shown);
    case name_fault::bad_char:
        break;
    }
    // The offending character whole, even when it is one of several UTF-8 bytes.
    const QString bad = QString::fromUtf8(name.mid(at)).left(1);
    return is_table ? tr("the table name '%1' holds '%2': only letters, digits and '_' are allowed.").arg(shown, bad)
                    : tr("the field name '%1' holds '%2': only letters, digits and '_' are allowed.").arg(shown, bad);
}

QString col_info::field_names_problem(int from) const
{
    for (int row = from; row < tableWidget->rowCount(); ++row) {
        const QByteArray name = cell_text(row, name_col);
        const QString why = name_problem(name, false);
        if (!why.isEmpty())
            return why;
        for (int other = 0; other < row; ++other)
            if (cell_text(other, name_col) == name)
                return tr("the field name '%1' is given twice.").arg(QString::fromUtf8(name));
    }
    return {};
}

void col_info::field_failed(const QString &title, const QString &text, const QString &reason)
{
    modal_seam::information(this, title, failure_box::with_reason(text, reason));
}

void col_info::apply(bool)
{
    // A second Apply while the create is out would send it twice.
    if (applying_)
        return;
    switch (mode) {
    case create_table:
        apply_create();
        break;
    case add_fields:
        apply_add();
        break;
    case modify:
        apply_modify();
        break;
    case rename:
        apply_rename();
        break;
    default:
        break;
    }
}

void col_info::apply_create()
{
    const QByteArray name = table_le->text().trimmed().toUtf8();
    const QString title = tr("create table result");
    const QString failed = tr("create table '%1' is %2!").arg(QString::fromUtf8(name), tr("failed"));
    QString why = name_problem(name, true);
    if (why.isEmpty())
        why = field_names_problem(0);
    if (why.isEmpty() && tableWidget->rowCount() == 0)
        why = tr("the table has no fields.");
    if (!why.isEmpty()) {
        field_failed(title, failed, why);
        return;
    }
    name_list names, types;
    for (int row = 0; row < tableWidget->rowCount(); ++row) {
        names.append(cell_text(row, name_col));
        types.append(cell_text(row, type_col));
    }
    const auto ended = [this, name, title, failed](const db_status &st) {
        applying_ = false;
        apply_btn->setEnabled(true);
        if (!st.ok) {
            QPointer<db_link> l = link;
            failure_box::show(this, title, failed, st, [l] {
                if (l)
                    l->request_reconnect();
            });
            emit applied(false);
            return;
        }
        table = name;
        modal_seam::information(this, title, tr("create table '%1' is %2!").arg(QString::fromUtf8(name), tr("successful")));
        emit applied(true);
        emit accepted();
    };
    if (!link) {
        db_status none;
        none.code = 2;
        ended(none);
        return;
    }
    applying_ = true;
    apply_btn->setEnabled(false);
    link->post(this, [name, names, types](db_exec &db) { return db_status::of(::create_table(db, name, names, types), db); },
               ended);
}

namespace {

field_change change_of(const QByteArray &name, const QByteArray &new_name, const QByteArray &type,
                       const QByteArray &index)
{
    field_change f;
    f.name = name;
    f.new_name = new_name;
    f.type = type;
    f.index = index == "true";
    return f;
}

// The field operation sends nothing, so its failure has no reason from the server to tell.
QString no_field_command() { return col_info::tr("the server offers no command for this operation."); }

} // namespace


void col_info::send_field_changes(const QList<field_change> &changes, const std::function<void(int)> &then)
{
    const auto ended = [this, then](int failed) {
        applying_ = false;
        apply_btn->setEnabled(true);
        then(failed);
        emit applied(failed < 0);
    };
    if (!link) {
        ended(changes.isEmpty() ? -1 : 0);
        return;
    }
    applying_ = true;
    apply_btn->setEnabled(false);
    const QByteArray t = table;
    link->post(this, [t, changes](db_exec &db) {
        for (int i = 0; i < changes.size(); ++i)
            if (!change_field(db, t, changes[i]))
                return i;
        return -1;
    }, ended);
}

void col_info::apply_add()
{
    const QString title = tr("create field result");
    if (tableWidget->rowCount() <= existing) {
        field_failed(title, tr("create all field is %1!").arg(tr("failed")), tr("no new field was given."));
        return;
    }
    // Every new name is checked before the first field goes out, so a bad one changes nothing.
    const QString why = field_names_problem(existing);
    if (!why.isEmpty()) {
        field_failed(title, tr("create all field is %1!").arg(tr("failed")), why);
        return;
    }
    QList<field_change> changes;
    for (int row = existing; row < tableWidget->rowCount(); ++row) {
        const QByteArray name = cell_text(row, name_col);
        changes << change_of(name, name, cell_text(row, type_col), cell_text(row, index_col));
    }
    send_field_changes(changes, [this, title, changes](int failed) {
        if (failed >= 0) {
            field_failed(title, tr("create field '%1' is %2!").arg(QString::fromUtf8(changes[failed].name), tr("failed")),
                         no_field_command());
            return;
        }
        modal_seam::information(this, title, tr("create all field is %1!").arg(tr("successful")));
        emit accepted();
    });
}

void col_info::apply_modify()
{
    const QString title = tr("modify field result");
    const int row = field_row_;
    const auto then = [this, title](int failed) {
        if (failed >= 0) {
            // The grid shows the field as the server keeps it, not the type it refused.
            restore_row(field_row_);
            field_failed(title, tr("modify field is %1!").arg(tr("failed")), no_field_command());
            return;
        }
        modal_seam::information(this, title, tr("modify field is %1!").arg(tr("successful")));
        emit accepted();
    };
    if (row < 0) {
        then(0);
        return;
    }
    send_field_changes({change_of(field_, field_, cell_text(row, type_col), cell_text(row, index_col))}, then);
}

void col_info::apply_rename()
{
    const QString title = tr("rename field result");
    const int row = field_row_;
    const QByteArray new_name = row >= 0 ? cell_text(row, name_col) : field_;
    const QString shown_old = QString::fromUtf8(field_), shown_new = QString::fromUtf8(new_name);
    const QString failed = tr("rename field '%1' to '%2' is %3!").arg(shown_old, shown_new, tr("failed"));
    QString why = name_problem(new_name, false);
    for (int other = 0; why.isEmpty() && other < tableWidget->rowCount(); ++other)
        if (other != row && cell_text(other, name_col) == new_name)
            why = tr("the field name '%1' is given twice.").arg(shown_new);
    if (!why.isEmpty()) {
        field_failed(title, failed, why);
        return;
    }
    const auto then = [this, title, failed, shown_old, shown_new](int failed_at) {
        if (failed_at >= 0) {
            restore_row(field_row_);
            field_failed(title, failed, no_field_command());
            return;
        }
        modal_seam::information(this, title,
                                tr("rename field '%1' to '%2' is %3!").arg(shown_old, shown_new, tr("successful")));
        emit accepted();
    };
    if (row < 0) {
        then(0);
        return;
    }
    send_field_changes({change_of(field_, new_name, cell_text(row, type_col), cell_text(row, index_col))}, then);
}
