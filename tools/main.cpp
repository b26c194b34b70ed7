// scenario-tool: compiles an author's own description texts with the
// program's compiler, with diagnostics that point into the texts, and shows
// what the binary scenario files hold.

#include <exception>
#include <iostream>

#include "tools/tool_cli.h"

int main(int argc, char** argv) {
  try {
    return scenario::tools::run_tool(argc, argv, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "scenario-tool: internal fault: " << e.what() << "\n";
    return 1;
  }
}
