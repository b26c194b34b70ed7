#pragma once
// Runs scenario-tool in the test process, inside a temporary folder that is
// the current folder for the length of a test, so that file names appear in
// the tool's output as an author would type them.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "io/text_writer.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "support/temp_folder.h"
#include "tools/tool_cli.h"

namespace scenario::test {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
  nlohmann::json json() const { return nlohmann::json::parse(out); }
};

inline ToolRun run_tool_args(const std::vector<std::string>& args) {
  std::vector<std::string> words = {"scenario-tool"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  std::ostringstream out, err;
  ToolRun run;
  run.status = tools::run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

inline ToolRun run_tool(std::initializer_list<std::string> args) { return run_tool_args(args); }

inline std::string built_in_line_text() { return componi_testo(righe_linea()); }
inline std::string built_in_service_text() { return componi_testo(righe_treno()); }

// `text` with its one occurrence of `from` replaced by `to`.
inline std::string edited(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class InTempFolder : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  TempFolder dir_;

private:
  std::filesystem::path previous_;
};

}  // namespace scenario::test
