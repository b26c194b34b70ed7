#include "model/numbers.h"

#include <cmath>

namespace scenario {

int64_t nearest(double x) {
  // The default rounding mode rounds halves to even.
  double r = std::nearbyint(x);
  if (!(r >= -9.2e18 && r <= 9.2e18)) throw GuastoEsecuzione("value out of range");
  return static_cast<int64_t>(r);
}

int32_t a_long(double x) { return stretto32(nearest(x), "32-bit value"); }
int16_t a_integer(double x) { return stretto16(nearest(x), "16-bit value"); }
uint8_t a_byte(double x) { return stretto8(nearest(x), "byte value"); }

int32_t stretto32(int64_t v, const char* what) {
  if (v < INT32_MIN || v > INT32_MAX)
    throw GuastoEsecuzione(std::string(what) + " " + std::to_string(v) + " does not fit 32 bits");
  return static_cast<int32_t>(v);
}

int16_t stretto16(int64_t v, const char* what) {
  if (v < INT16_MIN || v > INT16_MAX)
    throw GuastoEsecuzione(std::string(what) + " " + std::to_string(v) + " does not fit 16 bits");
  return static_cast<int16_t>(v);
}

uint8_t stretto8(int64_t v, const char* what) {
  if (v < 0 || v > 255) throw GuastoEsecuzione(std::string(what) + " " + std::to_string(v) + " does not fit a byte");
  return static_cast<uint8_t>(v);
}

}  // namespace scenario
