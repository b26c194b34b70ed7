#include "tools/text_options.h"

#include <CLI/CLI.hpp>

namespace scenario::tools {

void add_text_options(CLI::App& command, std::string& line_path, std::string& service_path, std::string& encoding) {
  command.add_option("LINE", line_path, "line description text")->required();
  command.add_option("SERVICE", service_path, "service description text")->required();
  command
      .add_option("--encoding", encoding, "how the texts are encoded; auto takes a text that is valid UTF-8 as UTF-8")
      ->check(CLI::IsMember({"auto", "cp1252", "utf-8"}))
      ->capture_default_str();
}

}  // namespace scenario::tools
