// libFuzzer entry: the service half after the built-in line description.
#include <cstddef>
#include <cstdint>

#include "fuzz/cases.h"
#include "fuzz/entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace scenario::fuzz;
  return esito_del_caso(caso_servizio({reinterpret_cast<const char*>(data), size}));
}
