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
    // Every component is resolved before anything is created: a link anywhere on the way
    // must not lead out of the data folder, and no folder is made for a refused path.
    const auto inside = [&](const std::string& real) {
        return real == data_dir || real.compare(0, data_dir.size() + 1, data_dir + "/") == 0;
    };
    std::string real = data_dir;
    std::size_t missing = parts.size();   // first component that does not exist yet
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string next = real + "/" + parts[i];
        const int kind = platform::entry_kind(next);
        if (kind == 0) {
            missing = i;
            break;
        }
        const std::string resolved = kind == 3 ? platform::canonical_dir(next) : next;
        if (resolved.empty() || !inside(resolved))
            return "path leaves the data folder: " + path;
        const int resolved_kind = platform::entry_kind(resolved);
        if (i + 1 < parts.size() && resolved_kind != 2)
            return "not a folder on the way to " + path;
        if (i + 1 == parts.size() && resolved_kind == 2)
            return "a folder, not a file: " + path;
        real = resolved;
    }
    if (missing + 1 < parts.size() && !create_dirs)
        return "no such folder for " + path;
    // The whole path must fit before the first folder is made; an atomic write adds ".tmpPID"
    // to the file's name.
    constexpr std::size_t temp_suffix = 24;
    std::size_t length = real.size();
    const std::size_t longest_name = platform::max_name_length(real);
    for (std::size_t i = missing; i < parts.size(); ++i) {
        length += 1 + parts[i].size();
        if (parts[i].size() + (i + 1 == parts.size() ? temp_suffix : 0) > longest_name)
            return "a name in the path is too long: " + path;
    }
    if (length + temp_suffix >= platform::max_path_length())
        return "path too long: " + path;
    std::vector<std::string> made;
    for (std::size_t i = missing; i < parts.size(); ++i) {
        real += "/" + parts[i];
        if (i + 1 < parts.size() && create_dirs) {
            if (!platform::make_dir(real)) {
                while (!made.empty()) {   // no half-made chain of folders stays behind
                    platform::remove_dir(made.back());
                    made.pop_back();
                }
                return "cannot create the folder for " + path;
            }
            made.push_back(real);
        }
    }
    out = real;
    return {};
}

} // namespace devserver
