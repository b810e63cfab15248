// The grid model's loading, cell access, styling and change tracking. Loaded values live in
// typed column storage; a cell gets an item of its own only once it is edited, marked or added.
#include "table/tab_data_model.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "db/result_table.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <cstdio>
#include <numeric>

using kind = value_kind;

QString shown_name(const QString &name)
{
    if (name.size() > 2 && name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        return name.mid(1, name.size() - 2);
    return name;
}

tab_data_model::tab_data_model(const QByteArray &table, QObject *parent)
    : QAbstractItemModel(parent), table_(table)
{
    ox::db::mem::register_meta_types();
    for (int k = 0; k < value_kind_count; ++k) {
        const QByteArray t = type_name(kind(k));
        delegate_map_[t] = make_item_dlgt(t, this);
    }
}

tab_data_model::~tab_data_model()
{
    clear_grid();
}

void tab_data_model::clear_grid()
{
    for (column &c : columns_)
        for (auto &x : c.extras)
            delete x.second.item;
    columns_.clear();
    order_.clear();
    sids_.clear();
    changed_items_.clear();
    new_items_.clear();
    loaded_rows_ = 0;
    time_point_col_ = -1;
    sort_column_ = -1;
}

bool tab_data_model::types_from_fields(db_exec &db, const QByteArray &table, const name_list &names, name_list &types)
{
    if (table.isEmpty())
        return false;
    name_list fnames, ftypes, numbers;
    if (!field_info(db, table, fnames, ftypes, numbers, true))
        return false;
    name_list found;
    for (const QByteArray &n : names) {
        int at_field = fnames.indexOf(n);
        for (int i = 0; at_field < 0 && i < fnames.size(); ++i)
            if (shown_name(QString::fromUtf8(fnames[i])) == shown_name(QString::fromUtf8(n)))
                at_field = i;
        if (at_field < 0)
            break;
        found << ftypes[at_field];
    }
    if (found.size() == names.size())
        types = found;
    else
        types = ftypes; // names the list does not know: take the fields in their order
    return true;
}

namespace {

// Reads the result set straight into column storage: the same names, types and values the
// table form would give, without a QVariant per cell in between.
void fill_from(db_exec &db, const QByteArray &table, const result_set *rs, grid_data &out)
{
    const uint64_t nrows = rows_of(rs);
    const uint64_t ncols = cols_of(rs);
    name_list names, types;
    for (uint64_t c = 0; c < ncols; ++c) {
        int len = 0;
        const char *p = col_name(&len, rs, int(c));
        names << QByteArray(p ? p : "", p ? len : 0);
    }
    bool values_ok = nrows > 0;
    for (uint64_t c = 0; c < ncols && nrows > 0; ++c) {
        const QByteArray t = type_name(kind_of(at(0, c, rs)));
        if (t.isEmpty()) {
            std::fputs("bad type\n", stdout);
            values_ok = false;
            break;
        }
        types << t;
    }
    if (types.isEmpty() && !names.isEmpty())
        tab_data_model::types_from_fields(db, table, names, types);
    if (types.size() != names.size() || names.isEmpty())
        return;
    for (const QByteArray &t : qAsConst(types))
        if (kind_of(t) == kind::none)
            return;
    out.filled = true;
    out.names = names;
    out.types = types;
    out.stores.reserve(std::size_t(ncols));
    for (const QByteArray &t : qAsConst(types))
        out.stores.emplace_back(kind_of(t));
    if (!values_ok)
        return;
    for (uint64_t c = 0; c < ncols; ++c) {
        column_store &store = out.stores[std::size_t(c)];
        store.reserve(std::size_t(nrows));
        for (uint64_t r = 0; r < nrows; ++r)
            store.append_cell(at(r, c, rs));
    }
    out.sids.resize(std::size_t(nrows));
    for (uint64_t r = 0; r < nrows; ++r)
        out.sids[std::size_t(r)] = sid_of(rs, r);
    out.order.resize(std::size_t(nrows));
    std::iota(out.order.begin(), out.order.end(), std::size_t(0));
}

} // namespace

grid_data tab_data_model::fetch(db_exec &db, const QByteArray &table, const QByteArray &cmd, int quiet)
{
    grid_data out;
    result_set *rs = db.run(cmd, out.log_line, quiet);
    out.status = db_status::of(rs != nullptr, db);
    if (rs) {
        fill_from(db, table, rs, out);
        del_datas(rs);
    }
    return out;
}

void tab_data_model::take(grid_data &&data)
{
    beginResetModel();
    clear_grid();
    if (data.filled && data.stores.size() == std::size_t(data.names.size())) {
        for (int c = 0; c < data.names.size(); ++c) {
            add_column(data.names[c], data.types[c]);
            *columns_.back().store = std::move(data.stores[std::size_t(c)]);
        }
        const std::size_t rows = columns_.empty() ? 0 : columns_[0].store->size();
        if (data.order.size() == rows && data.sids.size() == rows) {
            sids_ = std::move(data.sids);
            order_ = std::move(data.order);
            loaded_rows_ = rows;
        } else {
            for (column &c : columns_)
                c.store = std::make_shared<column_store>(c.kind);
        }
    }
    endResetModel();
}

bool tab_data_model::load_result(db_exec &db, const QByteArray &cmd, int quiet, bool *filled, QByteArray *log_line)
{
    grid_data data = fetch(db, table_, cmd, quiet);
    const bool ok = data.status.ok;
    if (filled)
        *filled = data.filled;
    if (log_line)
        *log_line = data.log_line;
    take(std::move(data));
    return ok;
}

void tab_data_model::add_column(const QByteArray &name, const QByteArray &type)
{
    column col;
    col.kind = kind_of(type);
    col.store = std::make_shared<column_store>(col.kind);
    col.header = std::make_unique<dbl_val_item>();
    const QString n = QString::fromUtf8(name);
    col.header->set_value(Qt::EditRole, n);
    col.header->set_value(Qt::DisplayRole, shown_name(n));
    col.header->set_value(Qt::DecorationRole, type_icon(type));
    col.header->set_base_value(n);
    col.delegate = delegate_map_.at(type);
    col.delegate->set_read_only(false);
    if (time_point_col_ < 0 && name == time_point_field)
        time_point_col_ = int(columns_.size());
    columns_.push_back(std::move(col));
}

column_store &tab_data_model::own_store(column &c)
{
    if (c.store.use_count() > 1)
        c.store = std::make_shared<column_store>(*c.store);
    return *c.store;
}

std::shared_ptr<const column_store> tab_data_model::stored_values(int col) const
{
    // Rows leave storage order only by a sort or an added row (followed rows go to the end of
    // an unsorted grid).
    if (col < 0 || col >= int(columns_.size()) || sort_column_ >= 0 || !new_items_.empty())
        return nullptr;
    for (const column &c : columns_)
        if (!c.extras.empty() || c.store->size() != order_.size())
            return nullptr;
    return columns_[std::size_t(col)].store;
}

bool tab_data_model::inside(int row, int col) const
{
    return row >= 0 && col >= 0 && col < int(columns_.size()) && std::size_t(row) < order_.size();
}

const tab_data_model::cell_extra *tab_data_model::extra_at(int row, int col) const
{
    const auto &extras = columns_[std::size_t(col)].extras;
    if (extras.empty())
        return nullptr;
    const auto it = extras.find(storage_row(row));
    return it == extras.end() ? nullptr : &it->second;
}

dbl_val_item *tab_data_model::ensure_item(int row, int col)
{
    column &c = columns_[std::size_t(col)];
    cell_extra &x = c.extras[storage_row(row)];
    if (!x.item) {
        x.item = new dbl_val_item;
        const QVariant v = c.store->value(storage_row(row));
        x.item->set_base_value(v);
        x.item->set_value(Qt::EditRole, v);
    }
    return x.item;
}

dbl_val_item *tab_data_model::item_at(int row, int column) const
{
    if (!inside(row, column))
        return nullptr;
    const cell_extra *x = extra_at(row, column);
    return x ? x->item : nullptr;
}

double tab_data_model::number_at(int row, int col, bool *ok) const
{
    double out = 0;
    bool got = false;
    if (inside(row, col)) {
        const column &c = columns_[std::size_t(col)];
        const cell_extra *x = extra_at(row, col);
        if (x && x->item) {
            const QVariant v = x->item->value(Qt::EditRole);
            if (is_integer(c.kind)) {
                const uint64_t bits = value_text::int_bits(v, c.kind);
                out = int_signed(c.kind) ? double(int64_t(bits)) : double(bits);
                got = v.isValid();
            } else if (c.kind == kind::flt || c.kind == kind::dbl) {
                out = v.toDouble(&got);
            }
        } else {
            got = c.store->number_at(storage_row(row), &out);
        }
    }
    if (ok)
        *ok = got;
    return got ? out : 0.0;
}

bool tab_data_model::time_ns_at(int row, int col, qint64 *ns) const
{
    if (!inside(row, col))
        return false;
    const column &c = columns_[std::size_t(col)];
    const cell_extra *x = extra_at(row, col);
    if (!x || !x->item) {
        std::int64_t v = 0;
        if (!c.store->time_ns_at(storage_row(row), &v))
            return false;
        *ns = v;
        return true;
    }
    const QVariant v = x->item->value(Qt::EditRole);
    namespace mem = ox::db::mem;
    if (c.kind == kind::datetime && v.userType() == qMetaTypeId<mem::date_time>()) {
        *ns = column_store::time_ns_of(v.value<mem::date_time>());
        return true;
    }
    if (c.kind == kind::date && v.userType() == qMetaTypeId<mem::date>()) {
        *ns = column_store::time_ns_of(mem::date_time::of(v.value<mem::date>(), mem::time{}));
        return true;
    }
    return false;
}

QVariant tab_data_model::value_at(int row, int col) const
{
    const cell_extra *x = extra_at(row, col);
    if (x && x->item)
        return x->item->value(Qt::EditRole);
    return columns_[std::size_t(col)].store->value(storage_row(row));
}

QString tab_data_model::header_text(int col) const
{
    return columns_[std::size_t(col)].header->value(Qt::DisplayRole).toString();
}

void tab_data_model::emit_changed()
{
    if (!new_items_.empty()) {
        if (new_items_.size() == 1)
            emit changed(true);
    } else if (changed_items_.size() == 1) {
        emit changed(true);
    } else if (changed_items_.empty()) {
        emit changed(false);
    }
}

void tab_data_model::set_read_only(bool on)
{
    for (column &c : columns_)
        c.delegate->set_read_only(on);
}

void tab_data_model::set_display_mode(value_text::display_mode mode)
{
    mode_ = mode;
    for (auto &d : delegate_map_)
        d.second->set_display_mode(mode);
}

bool *tab_data_model::mark_of(int row, int column)
{
    if (!inside(row, column))
        return nullptr;
    return &columns_[std::size_t(column)].extras[storage_row(row)].marked;
}

void tab_data_model::clear_marks()
{
    bool any = false;
    for (column &c : columns_) {
        for (auto it = c.extras.begin(); it != c.extras.end();) {
            cell_extra &x = it->second;
            if (x.marked) {
                any = true;
                x.marked = false;
                // setData stored yellow for a marked cell; the cell's own colour comes back.
                if (x.item && x.item->value(Qt::BackgroundRole).isValid())
                    x.item->set_value(Qt::BackgroundRole, x.item->is_changed() ? QColor(Qt::darkGreen)
                                                                               : QColor(Qt::white));
            }
            it = x.item ? std::next(it) : c.extras.erase(it);
        }
    }
    if (any && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

QByteArray tab_data_model::display_text_of(const QModelIndex &index) const
{
    if (!index.isValid() || !inside(index.row(), index.column()))
        return QByteArray();
    return delegate_of(index.column())->display_text(value_at(index.row(), index.column())).toUtf8();
}

QByteArray tab_data_model::type_of(int column) const
{
    if (column < 0 || column >= int(columns_.size()))
        return QByteArray();
    return type_name(columns_[std::size_t(column)].kind);
}

QVariant tab_data_model::from_text(const QString &text, int column) const
{
    item_dlgt *d = delegate_of(column);
    return d ? d->from_text(text) : QVariant();
}

item_dlgt *tab_data_model::delegate_of(int column) const
{
    if (column < 0 || column >= int(columns_.size()))
        return nullptr;
    return columns_[std::size_t(column)].delegate;
}

uint64_t tab_data_model::sid_of_row(int row) const
{
    if (row < 0 || std::size_t(row) >= sids_.size())
        return ~uint64_t(0);
    return sids_[std::size_t(row)];
}

QModelIndex tab_data_model::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || !inside(row, column))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex tab_data_model::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int tab_data_model::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || columns_.empty() ? 0 : int(order_.size());
}

int tab_data_model::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant tab_data_model::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !inside(index.row(), index.column()))
        return QVariant();
    const int row = index.row(), col = index.column();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    const cell_extra *x = extra_at(row, col);
    const column &c = columns_[std::size_t(col)];
    if (role == Qt::DisplayRole) {
        const QVariant v = x && x->item ? x->item->value(Qt::EditRole) : c.store->value(storage_row(row));
        return c.delegate->display_text(v);
    }
    // A search hit shows at once, whether or not the cell was edited.
    if (role == Qt::BackgroundRole && x && x->marked)
        return QColor(Qt::yellow);
    if (x && x->item)
        return x->item->value(role);
    if (role == Qt::EditRole)
        return c.store->value(storage_row(row));
    return QVariant();
}

bool tab_data_model::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !value.isValid() || !inside(index.row(), index.column()))
        return false;
    QVariant v = value;
    // An emptied text field gives a null string: it still means the empty string.
    if (v.userType() == QMetaType::QString && v.toString().isNull())
        v = QVariant(QString(QLatin1String("")));
    dbl_val_item *item = ensure_item(index.row(), index.column());
    item->set_value(role, v);
    if (role != Qt::EditRole) {
        emit dataChanged(index, index, {role});
        return true;
    }
    const bool is_changed = item->is_changed();
    const cell_extra *x = extra_at(index.row(), index.column());
    QFont font;
    if (new_items_.count(item))
        font.setWeight(75);
    font.setItalic(is_changed);
    QColor background(Qt::white);
    if (is_changed)
        background = QColor(Qt::darkGreen);
    if (x && x->marked)
        background = QColor(Qt::yellow);
    item->set_value(Qt::FontRole, font);
    item->set_value(Qt::BackgroundRole, background);
    if (is_changed)
        changed_items_.insert(item);
    else
        changed_items_.erase(item);
    emit_changed();
    emit dataChanged(index, index, {Qt::EditRole, Qt::FontRole, Qt::BackgroundRole});
    return true;
}

QVariant tab_data_model::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return QString::number(section + 1);
        return QVariant();
    }
    if (section < 0 || section >= int(columns_.size()))
        return QVariant();
    return columns_[std::size_t(section)].header->value(role);
}

QMap<int, QVariant> tab_data_model::itemData(const QModelIndex &index) const
{
    if (!index.isValid() || !inside(index.row(), index.column()))
        return {};
    const cell_extra *x = extra_at(index.row(), index.column());
    if (x && x->item)
        return x->item->values();
    QMap<int, QVariant> m;
    m.insert(Qt::EditRole, value_at(index.row(), index.column()));
    return m;
}

Qt::ItemFlags tab_data_model::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !inside(index.row(), index.column()))
        return Qt::NoItemFlags;
    const Qt::ItemFlags all = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    // The time point names a loaded row on the server; only an added row may choose its own.
    if (index.column() == time_point_col_ && storage_row(index.row()) < loaded_rows_)
        return all & ~Qt::ItemIsEditable;
    return all;
}

bool tab_data_model::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1 || columns_.empty())
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    QFont bold;
    bold.setWeight(75);
    for (int i = 0; i < count; ++i) {
        const std::size_t sr = columns_[0].store->size();
        for (column &c : columns_) {
            const QVariant v = default_value(type_name(c.kind));
            own_store(c).append(v);
            auto *item = new dbl_val_item;
            item->set_base_value(v);
            item->set_value(Qt::EditRole, v);
            item->set_value(Qt::DisplayRole, c.delegate->display_text(v));
            item->set_value(Qt::FontRole, bold);
            c.extras[sr].item = item;
            new_items_.insert(item);
            emit_changed();
        }
        order_.insert(order_.begin() + row + i, sr);
        sids_.insert(sids_.begin() + row + i, ~uint64_t(0));
    }
    endInsertRows();
    return true;
}
