// libFuzzer entry: the language server's input stream, as an editor sends it.
#include <cstddef>
#include <cstdint>

#include "fuzz/entry.h"
#include "fuzz/lsp_case.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scenario::fuzz;
  return esito_del_caso(caso_lsp({reinterpret_cast<const char*>(data), size}));
}
