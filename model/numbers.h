#pragma once
// Conversions between positions, cell indices and the narrow members.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace scenario {

// A run-time fault of the compile: a value that does not fit, a read past the
// end of a text, an index outside a structure. Caught once by the parse.
class GuastoEsecuzione : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Nearest whole number, halves to the even neighbour (0.5 -> 0, 2.5 -> 2,
// -0.5 -> 0). A value beyond 64 bits is a fault.
int64_t nearest(double x);

// Double converted to a member by nearest(); out of range is a fault.
int32_t a_long(double x);
int16_t a_integer(double x);
uint8_t a_byte(double x);

// Integer stored into a narrow member: the low bits, no overflow test.
inline int16_t basso16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF)); }
inline uint8_t basso8(int64_t v) { return static_cast<uint8_t>(v & 0xFF); }

// Integer that must fit a member exactly; out of range is a fault.
int32_t stretto32(int64_t v, const char* what);
int16_t stretto16(int64_t v, const char* what);
uint8_t stretto8(int64_t v, const char* what);

// Object cell of a position (signals, boards, slow-downs).
inline int64_t cella_oggetto(int64_t p) { return nearest(double(p) / 50 + 1); }
// Run cell of a position (gradients, speeds, adhesion, code steps).
inline int64_t cella_corsa(int64_t p) { return nearest(double(p) / 50); }

// A cell that objects may be placed on: plain track or a tunnel marker.
inline bool cella_libera(uint8_t tipo) { return tipo == 0 || tipo == 11; }

}  // namespace scenario
