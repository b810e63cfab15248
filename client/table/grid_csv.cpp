// Reads a grid's header and typed values out of its model for the CSV writer.
#include "table/grid_csv.h"

#include "table/tab_data_model.h"

QByteArray grid_csv_text(const tab_data_model &model, const csv_form &form)
{
    name_list names, types;
    for (int c = 0; c < model.columnCount(); ++c) {
        names << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toUtf8();
        types << model.type_of(c);
    }
    row_list rows;
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) {
        QVariantList row;
        row.reserve(names.size());
        for (int c = 0; c < names.size(); ++c)
            row << model.data(model.index(r, c), Qt::EditRole);
        rows << row;
    }
    return grid_csv(names, types, rows, form);
}
