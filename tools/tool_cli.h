#pragma once
// The command line of scenario-tool: `init`, `compile`, `lint`, `decode`, `sheet`, `serve` and `lsp`.

#include <ostream>

namespace scenario::tools {

// Runs the tool as `argv` asks; answers the exit status. Results go to
// `out`, diagnostics and failures to `err`.
int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace scenario::tools
