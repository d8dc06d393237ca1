#include <cstdio>

#include "app/cli_commands.h"

int runRecordCommand(int, char**)
{
    std::fprintf(stderr, "vexlo record: not available in this build\n");
    return 2;
}
