// libFuzzer entry: the line description half alone.
#include <cstdio>
#include <cstdlib>

#include "fuzz/cases.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string violazione = scenario::fuzz::caso_linea({reinterpret_cast<const char*>(data), size});
  if (!violazione.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", violazione.c_str());
    std::abort();
  }
  return 0;
}
