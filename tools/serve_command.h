#pragma once
// `scenario-tool serve LINE SERVICE`: the live route sheet. The two texts are
// compiled in memory (nothing is written) and shown as a page on 127.0.0.1;
// every save of either text is compiled again and pushed to the open pages.
// Ctrl-C or SIGTERM stops it.

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace scenario::tools {

struct ServeOptions {
  std::string line_path;
  std::string service_path;
  std::string encoding = "auto";
  int port = 0;  // 0: the system picks one
  bool open = false;
};

void add_serve(CLI::App& app, ServeOptions& options);

// Exit status: 0 stopped by a signal, 1 the texts' folders cannot be
// watched or the port cannot be had.
int run_serve(const ServeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace scenario::tools
