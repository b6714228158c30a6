#include "explain/explain_run.h"

int main(int argc, char **argv) { return ExplainRun(argc, argv); }
