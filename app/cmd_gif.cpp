#include <cstdio>

#include "app/cli_commands.h"

int runGifCommand(int, char**)
{
    std::fprintf(stderr, "vexlo gif: not available in this build\n");
    return 2;
}
