// The CSV text of a result grid: its columns and the values it holds now, edits included.
#pragma once

#include "db/csv_local.h"

class tab_data_model;

QByteArray grid_csv_text(const tab_data_model &model, const csv_form &form);
