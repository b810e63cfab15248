// Entry point of the development server.
#include "server.h"

#include <cstdio>

int main(int argc, char** argv)
{
    devserver::options opt;
    const std::string err = devserver::parse_options(argc, argv, opt);
    if (err == "help") {
        std::fputs(devserver::usage_text(), stdout);
        return 0;
    }
    if (!err.empty()) {
        std::fprintf(stderr, "%s\n%s", err.c_str(), devserver::usage_text());
        return 2;
    }
    return devserver::run_server(opt);
}
