#include "app/cli/commands.h"

int main(int argc, char** argv) { return tavo::cli::RunCli(argc, argv); }
