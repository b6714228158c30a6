#include "explain/explain.h"

int main(int argc, char **argv) { return ExplainRun(argc, argv); }
