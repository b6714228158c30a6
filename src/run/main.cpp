#include "run/run_status.h"

int main(int argc, char **argv) { return RunRingcheck(argc, argv); }
