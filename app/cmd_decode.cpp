#include <cstdio>

#include "app/cli_commands.h"

int runDecodeCommand(int, char**)
{
    std::fprintf(stderr, "vexlo decode: not available in this build\n");
    return 2;
}
