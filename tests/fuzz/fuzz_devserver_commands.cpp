// Runs arbitrary command texts (one per line) against a small database, and reads the input
// as CSV and as bin files; nothing it does may crash or touch files.
#include "binfile.h"
#include "commands.h"
#include "csv.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace devserver;
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    server_state st;
    st.files_enabled = false;
    st.data_dir = "/nonexistent-fuzz-data";
    execute(st, "create t a i08 b u08 c i16 d u64 e float f double s string g date h time i datetime");
    execute(st, "push into t a s values 1 x at 2024-01-01 00:00:00");
    execute(st, "push into t a s values 2 y at 2024-01-02 00:00:00.5");
    std::size_t pos = 0;
    int budget = 64;
    while (pos <= in.size() && budget-- > 0) {
        std::size_t end = in.find('\n', pos);
        if (end == std::string_view::npos)
            end = in.size();
        execute(st, in.substr(pos, end - pos));
        pos = end + 1;
    }
    std::vector<csv_record> recs;
    split_csv(in, ",", recs);
    split_csv(in, ";;", recs);
    database db;
    decode_backup_file(in, db);
    std::shared_ptr<table> tab;
    decode_table_file(in, tab);
    return 0;
}
