// Replays every input that ever made a fuzz target fail, and the seeds, with
// the same checks the fuzz targets make.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/cases.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs each file under `cartella`/<target> through its target; answers how many.
int riproduci(const fs::path& cartella) {
  int n = 0;
  for (const char* target : {"line", "service", "compile"}) {
    if (!fs::exists(cartella / target)) continue;
    for (const auto& voce : fs::directory_iterator(cartella / target)) {
      if (!voce.is_regular_file() || voce.path().filename().string()[0] == '.') continue;
      const std::string ingresso = leggi(voce.path());
      std::string esito = std::string(target) == "line"      ? fuzz::caso_linea(ingresso)
                          : std::string(target) == "service" ? fuzz::caso_servizio(ingresso)
                                                             : fuzz::caso_completo(ingresso);
      EXPECT_EQ(esito, "") << voce.path();
      ++n;
    }
  }
  return n;
}

TEST(FuzzRegressions, EveryKeptInputPassesTheTargetsChecks) {
  riproduci(fs::path(SCENARIO_TEST_DATA) / "fuzz-regressions");
}

TEST(FuzzRegressions, TheSeedsPassTheTargetsChecks) {
  EXPECT_GE(riproduci(SCENARIO_FUZZ_CORPUS), 3);
}

}  // namespace
}  // namespace scenario
