#pragma once
// The per-metre track plan: for every position of the extended route, two
// coordinates, each an empty value, a 16-bit integer or a double.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace scenario {

// One element of the track plan. The tag values are the ones written to the
// plan file. A value takes 10 bytes (a 1000 km plan holds two million of
// them): the tag, then the number's bytes in the machine's order, an integer
// in the first two. On a little-endian machine a double value lies in memory
// exactly as in the file. An empty value is all zero bytes.
struct ValorePiano {
  enum Tag : uint16_t { kVuoto = 0, kIntero = 2, kDoppio = 5 };
  Tag tag = kVuoto;
  unsigned char numero[8] = {};

  static ValorePiano di_intero(int16_t v) { return con(kIntero, &v, sizeof v); }
  static ValorePiano di_doppio(double v) { return con(kDoppio, &v, sizeof v); }
  bool vuoto() const { return tag == kVuoto; }
  // The number held, or 0 when the value holds the other kind or none.
  int16_t intero() const { return tag == kIntero ? leggi<int16_t>() : int16_t(0); }
  double doppio() const { return tag == kDoppio ? leggi<double>() : 0.0; }
  double come_doppio() const { return tag == kIntero ? double(leggi<int16_t>()) : doppio(); }

private:
  static ValorePiano con(Tag t, const void* v, size_t n) {
    ValorePiano r;
    r.tag = t;
    std::memcpy(r.numero, v, n);
    return r;
  }
  template <typename T>
  T leggi() const {
    T v;
    std::memcpy(&v, numero, sizeof v);
    return v;
  }
};
static_assert(sizeof(ValorePiano) == 10 && std::has_unique_object_representations_v<ValorePiano>);
static_assert(std::is_trivially_copyable_v<ValorePiano> && std::is_trivially_destructible_v<ValorePiano>);

// One coordinate of the plan: a row of values of fixed length, made whole.
// A new row is empty values on memory that comes zeroed (model/plan_memory.h:
// fresh pages from the system are zero already), so making it writes nothing,
// where a vector would write every value once more before the plan's steps
// write it again.
//
// The row knows one stretch of it that holds doubles only: the plan's steps
// ask for room for doubles (doppi) and fill it, and a stretch of doubles lies
// in memory as in the plan file (little-endian), so the file writer hands it
// on as it is, with no look at the values. Values put one by one (metti) are
// not counted in it, and one that is not a double cuts it.
class AssePiano {
public:
  struct Tratto {
    size_t da = 0, a = 0;  // positions da to a - 1
    size_t lunghezza() const { return a - da; }
  };

  AssePiano() = default;
  explicit AssePiano(size_t n);
  // Two rows of n values on one block of memory, which lives as long as
  // either row: the plan's two coordinates, which then share their large
  // pages (on the built-in route both fit on one).
  static std::pair<AssePiano, AssePiano> coppia(size_t n);
  AssePiano(const ValorePiano* da, const ValorePiano* a);
  AssePiano(const AssePiano& altro);
  AssePiano(AssePiano&& altro) noexcept { scambia(altro); }
  AssePiano& operator=(AssePiano altro) noexcept {
    scambia(altro);
    return *this;
  }

  size_t size() const { return n_; }
  bool empty() const { return n_ == 0; }
  const ValorePiano* data() const { return v_; }
  const ValorePiano* begin() const { return v_; }
  const ValorePiano* end() const { return v_ + n_; }
  const ValorePiano& operator[](size_t i) const { return v_[i]; }

  // Puts `v` at position i; a position outside the row throws
  // std::out_of_range.
  void metti(size_t i, const ValorePiano& v);
  // Room for `n` doubles from position i, which the caller fills with
  // doubles, every one, before the row is read again. A stretch outside the
  // row throws std::out_of_range.
  ValorePiano* doppi(size_t i, size_t n);
  // The stretch of doubles the row knows of (empty when it knows none).
  Tratto tratto_di_doppi() const { return doppi_; }

private:
  AssePiano(std::shared_ptr<void> memoria, ValorePiano* v, size_t n) : memoria_(std::move(memoria)), v_(v), n_(n) {}
  void scambia(AssePiano& altro) noexcept {
    std::swap(memoria_, altro.memoria_);
    std::swap(v_, altro.v_);
    std::swap(n_, altro.n_);
    std::swap(doppi_, altro.doppi_);
  }
  std::shared_ptr<void> memoria_;  // the block v_ lies in
  ValorePiano* v_ = nullptr;
  size_t n_ = 0;
  Tratto doppi_;
};

// The plan: positions 0 to lunghezza_estesa, two coordinates.
struct Planimetria {
  AssePiano coordinata[2];
  size_t posizioni() const { return coordinata[0].size(); }
  bool vuota() const { return coordinata[0].empty(); }
};

// A plan of `posizioni` empty positions, its two coordinates on one block.
Planimetria piano_vuoto(size_t posizioni);

}  // namespace scenario
