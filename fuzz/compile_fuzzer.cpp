// libFuzzer entry: both texts through the whole compile-and-write path.
#include <cstddef>
#include <cstdint>

#include "fuzz/cases.h"
#include "fuzz/entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scenario::fuzz;
  return esito_del_caso(caso_completo({reinterpret_cast<const char*>(data), size}));
}
