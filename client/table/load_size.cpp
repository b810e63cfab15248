// Memory of a full load: the grid's storage per row, the machine's memory, the question.
#include "table/load_size.h"

#include "common/modal_seam.h"
#include "db/value_kinds.h"

#include <QCoreApplication>
#include <QLocale>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

class load_size {
    Q_DECLARE_TR_FUNCTIONS(load_size)
};

// Row identifier and its place in the shown order.
constexpr uint64_t per_row_bookkeeping = 2 * sizeof(uint64_t);
// A string keeps its end offset and its bytes; their length is not known before the load.
constexpr uint64_t string_guess = sizeof(std::size_t) + 16;

} // namespace

uint64_t physical_memory()
{
#if defined(_WIN32)
    MEMORYSTATUSEX s;
    s.dwLength = sizeof s;
    return GlobalMemoryStatusEx(&s) ? uint64_t(s.ullTotalPhys) : 0;
#else
    const long pages = sysconf(_SC_PHYS_PAGES), page = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && page > 0 ? uint64_t(pages) * uint64_t(page) : 0;
#endif
}

uint64_t grid_bytes_per_row(const name_list &types)
{
    uint64_t bytes = per_row_bookkeeping;
    for (const QByteArray &t : types) {
        const value_kind k = kind_of(t);
        bytes += k == value_kind::str ? string_guess : uint64_t(kind_row(k).packed_width);
    }
    return bytes;
}

bool confirm_full_load(QWidget *parent, const QByteArray &table, uint64_t rows, uint64_t per_row, uint64_t memory)
{
    // Rows times bytes stays far inside 64 bits for any table a server lists.
    const uint64_t needed = rows * per_row;
    if (memory == 0 || needed <= memory / 4)
        return true;
    const QLocale here;
    const QString text =
        load_size::tr("Table '%1' has %2 rows. Loading them all takes about %3 of memory, more than a quarter "
                      "of this machine's %4.\n\nLoad every row anyway?")
            .arg(QString::fromUtf8(table), here.toString(qulonglong(rows)),
                 here.formattedDataSize(qint64(needed), 1, QLocale::DataSizeTraditionalFormat),
                 here.formattedDataSize(qint64(memory), 1, QLocale::DataSizeTraditionalFormat));
    return modal_seam::question(parent, load_size::tr("load every row"), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}
