// What loading every row of a table costs in memory, and the question asked before a load that
// would take more than a quarter of the machine's memory.
#pragma once

#include "db/result_table.h"

#include <QByteArray>
#include <cstdint>

class QWidget;

// The machine's physical memory in bytes; 0 when the system does not tell.
uint64_t physical_memory();

// Bytes the grid holds for one row of columns of these types: the packed values, a string's
// end offset and a guess at its text, the row's identifier and its place in the order.
uint64_t grid_bytes_per_row(const name_list &types);

// True when rows of per_row bytes fit in a quarter of memory (unknown memory: always), or the
// user answered Yes to the question that names the rows and the memory (No is the default).
bool confirm_full_load(QWidget *parent, const QByteArray &table, uint64_t rows, uint64_t per_row, uint64_t memory);
