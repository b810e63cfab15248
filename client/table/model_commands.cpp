// The commands of the pending edits ("push into" for added rows, "update" for edited ones) and the start values and icons of the column types.
#include "table/tab_data_model.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "db/cmd_texts.h"
#include "support/mem_time.h"

#include <QIcon>
#include <QMap>
#include <map>
#include <unordered_set>

using kind = value_kind;
namespace mem = ox::db::mem;

QVariant default_value(const QByteArray &type_name)
{
    static const QMap<QByteArray, QVariant> table = [] {
        mem::register_meta_types();
        QMap<QByteArray, QVariant> t;
        t.insert("string", QString(QStringLiteral("abc")));
        t.insert("date", QVariant::fromValue(mem::date{2019, 4, 23}));
        t.insert("time", QVariant::fromValue(mem::time{18, 0, 0, 0}));
        t.insert("datetime", QVariant::fromValue(mem::date_time{2019, 4, 23, 10, 11, 12, 0}));
        for (const char *n : {"i08", "u08", "i16", "u16", "i32"})
            t.insert(n, QVariant(int(0)));
        t.insert("u32", QVariant(uint(0)));
        t.insert("i64", QVariant(qlonglong(0)));
        t.insert("u64", QVariant(qulonglong(0)));
        t.insert("float", QVariant(float(0)));
        t.insert("double", QVariant(double(0)));
        return t;
    }();
    return table.value(type_name);
}

QIcon type_icon(const QByteArray &type_name)
{
    const kind k = kind_of(type_name);
    return k == kind::none ? QIcon() : QIcon(QString::fromLatin1(kind_row(k).icon));
}

namespace {
// The grid rows, in order, that hold an item in some column: only they can have been edited or
// added, so a grid of a million rows is not walked cell by cell to find a few edits.
template <typename Columns>
std::vector<int> rows_with_items(const Columns &columns, const std::vector<std::size_t> &order)
{
    std::vector<char> has(order.size(), 0);
    bool any = false;
    for (const auto &c : columns)
        for (const auto &x : c.extras)
            if (x.second.item && x.first < has.size()) {
                has[x.first] = 1;
                any = true;
            }
    std::vector<int> rows;
    if (any)
        for (std::size_t r = 0; r < order.size(); ++r)
            if (has[order[r]])
                rows.push_back(int(r));
    return rows;
}
} // namespace

QList<QByteArray> tab_data_model::pending_commands() const
{
    QList<QByteArray> out;
    const int cols = columnCount();
    const QString tp_name = QString::fromLatin1(time_point_field);
    for (const int row : rows_with_items(columns_, order_)) {
        const QByteArray when = time_point_col_ >= 0 ? at_time_point(row) : QByteArray();
        const QByteArray *at = time_point_col_ >= 0 ? &when : nullptr;
        if (is_new_row(row)) {
            name_list names, values;
            for (int c = 0; c < cols; ++c) {
                if (header_text(c) == tp_name)
                    continue;
                const column &col = columns_[std::size_t(c)];
                const QVariant v = value_at(row, c);
                const QString shown = col.delegate->display_text(v);
                names << header_text(c).toUtf8();
                values << literal_for(value_text::command_number(shown, v, col.kind).toUtf8(), type_name(col.kind));
            }
            out << cmd_texts::push(table_, names, values, at);
            continue;
        }
        QList<cmd_texts::field_value> sets;
        for (int c = 0; c < cols; ++c) {
            const dbl_val_item *item = item_at(row, c);
            // The time point says which row to change; it is not one of the row's fields.
            if (!item || !item->is_changed() || c == time_point_col_)
                continue;
            const column &col = columns_[std::size_t(c)];
            const QVariant v = item->value(Qt::EditRole);
            const QString text = is_temporal(col.kind) ? col.delegate->display_text(v)
                                                                   : value_text::plain_text(v, col.kind);
            sets.append({header_text(c).toUtf8(), literal_for(text.toUtf8(), type_name(col.kind))});
        }
        if (!sets.isEmpty())
            out << cmd_texts::update(table_, sets, at);
    }
    return out;
}

bool tab_data_model::is_new_row(int row) const
{
    const dbl_val_item *first = item_at(row, 0);
    return first && new_items_.count(const_cast<dbl_val_item *>(first));
}

QByteArray tab_data_model::at_time_point(int row) const
{
    const dbl_val_item *tp = item_at(row, time_point_col_);
    const QVariant when = tp && !is_new_row(row) ? tp->base_value() : value_at(row, time_point_col_);
    return delegate_of(time_point_col_)->display_text(when).toUtf8();
}

QList<tab_data_model::shared_update> tab_data_model::shared_time_point_updates() const
{
    QList<shared_update> out;
    if (time_point_col_ < 0 || changed_items_.empty())
        return out;
    // Each edited loaded row with the time point its update will name.
    std::vector<std::pair<int, mem::date_time>> edited;
    for (const int row : rows_with_items(columns_, order_)) {
        if (is_new_row(row))
            continue;
        for (int c = 0; c < columnCount(); ++c) {
            const dbl_val_item *item = item_at(row, c);
            if (c != time_point_col_ && item && item->is_changed()) {
                const dbl_val_item *tp = item_at(row, time_point_col_);
                const QVariant when = tp ? tp->base_value() : value_at(row, time_point_col_);
                edited.emplace_back(row, when.value<mem::date_time>());
                break;
            }
        }
    }
    if (edited.empty())
        return out;
    // Rows the server holds, counted by time point: one pass over the stored column, where
    // nanoseconds sort out the candidates and the full value decides.
    std::map<mem::date_time, int> loaded_at;
    std::unordered_set<std::int64_t> wanted;
    for (const auto &e : edited) {
        loaded_at.emplace(e.second, 0);
        wanted.insert(column_store::time_ns_of(e.second));
    }
    const column_store &points = *columns_[std::size_t(time_point_col_)].store;
    for (std::size_t srow = 0; srow < loaded_rows_ && srow < points.size(); ++srow) {
        std::int64_t ns = 0;
        if (points.time_ns_at(srow, &ns) && !wanted.count(ns))
            continue;
        const auto it = loaded_at.find(points.value(srow).value<mem::date_time>());
        if (it != loaded_at.end())
            ++it->second;
    }
    for (const auto &e : edited) {
        const int n = loaded_at[e.second];
        if (n > 1)
            out << shared_update{e.first, n};
    }
    return out;
}

sent_commands tab_data_model::send_commands(db_exec &db, const QList<QByteArray> &commands,
                                            const std::atomic<bool> *stop, std::atomic<int> *done)
{
    sent_commands out;
    out.total = commands.size();
    out.status.ok = true;
    for (const QByteArray &cmd : commands) {
        if (stop && stop->load()) {
            out.cancelled = true;
            return out;
        }
        QByteArray line;
        result_set *rs = db.run(cmd, line, 0);
        if (!rs) {
            out.status = db_status::of(false, db);
            return out;
        }
        del_datas(rs);
        ++out.done;
        if (done)
            done->store(out.done);
    }
    return out;
}
