// Writes a first-run configuration file: the initial values with the three built-in colour
// palettes and, optionally, a remembered user name. The run command calls it when no
// configuration exists yet, so a newcomer sees coloured scripts at once.
#include "config/builtin_palettes.h"
#include "config/sys_config.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s CONFIG_FILE [USER]\n", argv[0]);
        return 2;
    }
    sys_config_record rec;
    builtin_palettes::load_all(rec);
    if (argc == 3)
        rec.set_user(argv[2]);
    rec.save(argv[1]);
    sys_config_record check;
    if (!check.load(argv[1]) || check.to_bytes() != rec.to_bytes()) {
        std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
