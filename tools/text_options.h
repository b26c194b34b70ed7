#pragma once
// The arguments of every command that reads the two description texts.

#include <string>

namespace CLI {
class App;
}

namespace scenario::tools {

// LINE, SERVICE (both required) and --encoding (auto, cp1252 or utf-8).
void add_text_options(CLI::App& command, std::string& line_path, std::string& service_path, std::string& encoding);

}  // namespace scenario::tools
