#pragma once
// What every libFuzzer entry does with its case's answer: an invariant that
// did not hold is printed and ends the run, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace scenario::fuzz {

inline int esito_del_caso(const std::string& violazione) {
  if (!violazione.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", violazione.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace scenario::fuzz
