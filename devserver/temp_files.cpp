// Clean-up at start of the temp files of interrupted atomic writes.
#include "temp_files.h"

#include "platform.h"

#include <cstdlib>
#include <vector>

namespace devserver {

bool stale_temp_name(const std::string& name)
{
    const std::size_t at = name.rfind(".tmp");
    if (at == std::string::npos || at == 0 || at + 4 == name.size())
        return false;
    for (std::size_t i = at + 4; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    const long pid = std::strtol(name.c_str() + at + 4, nullptr, 10);
    return pid == platform::own_pid() || !platform::process_alive(pid);
}

void remove_stale_temp_files(const std::string& dir, const std::string& prefix, int depth, std::string& notes)
{
    std::vector<std::string> names;
    if (!platform::list_dir(dir, names))
        return;
    for (const auto& n : names) {
        if (n.back() == '/') {
            if (depth > 0)
                remove_stale_temp_files(dir + "/" + n.substr(0, n.size() - 1), prefix, depth - 1, notes);
            continue;
        }
        if (n.compare(0, prefix.size(), prefix) == 0 && stale_temp_name(n) && platform::remove_file(dir + "/" + n))
            notes += "removed the stale temp file " + dir + "/" + n + "\n";
    }
}

} // namespace devserver
