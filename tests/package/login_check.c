/* Logs in to a server through the packaged library and header and runs one command.
 * Usage: login_check PORT; exit 0 when the login and the command succeed. */
#include "vorn_tsdb.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    if (!connect_to_server("127.0.0.1", atoi(argv[1]), "admin", "admin")) {
        const char *why = NULL;
        last_error(&why);
        fprintf(stderr, "login failed: %s\n", why);
        return 1;
    }
    const char *cmd = "create pkg_check v i64";
    result_set *rs = exec(cmd, (int)strlen(cmd));
    if (!rs) {
        const char *why = NULL;
        last_error(&why);
        fprintf(stderr, "command failed: %s\n", why);
        exit_to_server();
        return 1;
    }
    del_datas(rs);
    exit_to_server();
    printf("login and command through the packaged library: ok\n");
    return 0;
}
