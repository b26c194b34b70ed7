#pragma once
// `scenario-tool lint LINE SERVICE`: the compile of two texts, then the named
// checks of tools/lint_checks.h; nothing is written.

#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace scenario::tools {

struct LintOptions {
  std::string line_path;
  std::string service_path;
  std::string encoding = "auto";
  std::string format = "text";        // text, json or sarif
  std::vector<std::string> switches;  // -W NAME and -Wno-NAME, in the order given
  bool werror = false;
};

void add_lint(CLI::App& app, LintOptions& options);

// Exit status: 0 nothing at error level, 2 something at error level (a
// compile error, or a finding made an error), 1 fatal, 64 a check name the
// tool does not know.
int run_lint(const LintOptions& options, std::ostream& out, std::ostream& err);

}  // namespace scenario::tools
