// Maps the paths that commands name onto files inside the data folder.
#pragma once

#include <string>

namespace devserver {

// Empty on success with the full path in `out`; refuses absolute paths and paths that leave
// the data folder. Creates missing folders on the way when `create_dirs` is set.
std::string resolve_path(const std::string& data_dir, const std::string& path, bool create_dirs, std::string& out);

} // namespace devserver
