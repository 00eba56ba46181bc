#include "cli/run.h"

int main(int argc, char** argv) { return pixmond::cli::Main(argc, argv); }
