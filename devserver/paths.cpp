// Path checks: every file a command touches lies inside the data folder.
#include "paths.h"

#include "platform.h"

#include <vector>

namespace devserver {

std::string resolve_path(const std::string& data_dir, const std::string& path, bool create_dirs, std::string& out)
{
    if (path.empty())
        return "empty path";
    if (data_dir.empty())
        return "no data folder";
    const bool drive = path.size() >= 2 && path[1] == ':';
    if (path[0] == '/' || path[0] == '\\' || drive)
        return "absolute paths are refused: " + path;
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            if (cur == "..")
                return "path leaves the data folder: " + path;
            if (!cur.empty() && cur != ".")
                parts.push_back(cur);
            cur.clear();
        } else if (path[i] == '\0') {
            return "invalid path";
        } else {
            cur += path[i];
        }
    }
    if (parts.empty())
        return "path names no file: " + path;
    std::string dir = data_dir;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        dir += "/" + parts[i];
    if (create_dirs && !platform::make_dirs(dir))
        return "cannot create the folder for " + path;
    // A link inside the data folder must not lead out of it either.
    const std::string real = platform::canonical_dir(dir);
    if (!real.empty() && real != data_dir && real.compare(0, data_dir.size() + 1, data_dir + "/") != 0)
        return "path leaves the data folder: " + path;
    out = (real.empty() ? dir : real) + "/" + parts.back();
    const std::string real_file = platform::canonical_dir(out);
    if (!real_file.empty() && real_file.compare(0, data_dir.size() + 1, data_dir + "/") != 0)
        return "path leaves the data folder: " + path;
    return {};
}

} // namespace devserver
