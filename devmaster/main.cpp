// Entry point of the development cluster master.
#include "master.h"

#include <cstdio>

int main(int argc, char** argv)
{
    devmaster::options opt;
    const std::string err = devmaster::parse_options(argc, argv, opt);
    if (err == "help") {
        std::fputs(devmaster::usage_text(), stdout);
        return 0;
    }
    if (!err.empty()) {
        std::fprintf(stderr, "%s\n%s", err.c_str(), devmaster::usage_text());
        return 2;
    }
    return devmaster::run_master(opt);
}
