// libFuzzer entry: the language server's input stream, as an editor sends it.
#include <cstdio>
#include <cstdlib>

#include "fuzz/lsp_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string violazione = scenario::fuzz::caso_lsp({reinterpret_cast<const char*>(data), size});
  if (!violazione.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", violazione.c_str());
    std::abort();
  }
  return 0;
}
