#pragma once

// Vesko Cores from its command line to its exit code: reads the options,
// opens the log, shows the window beside the tools it starts and polls them
// until the run ends. 0 PASS (or --help), 1 FAIL, 2 a bad command line, 3 NOT
// PROVEN.
int RunVeskoCores(int count, char** arguments, int showCommand);
