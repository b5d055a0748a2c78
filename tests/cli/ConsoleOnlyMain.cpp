#include "CommandLineActions.h"

// The console's library alone, with nothing of the windows linked.
int main(int argc, char **argv)
{
    return RunConsole(argc, argv);
}
