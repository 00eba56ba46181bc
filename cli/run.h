#pragma once
// The whole program behind main(), so that it can be driven from tests as well.

namespace pixmond::cli {

// Returns the exit status: 0 written, 1 the module refused, 2 a usage or input error.
int Main(int argc, char** argv);

}  // namespace pixmond::cli
