#include "support/scenario_files.h"

#include <cstdint>
#include <stdexcept>

namespace scenario::test {
namespace {

class Ingresso {
public:
  explicit Ingresso(const std::string& bytes) : b_(bytes) {}
  bool finito() const { return pos_ == b_.size(); }
  uint8_t u8() { return static_cast<uint8_t>(intero(1)); }
  int16_t i16() { return static_cast<int16_t>(static_cast<uint16_t>(intero(2))); }
  uint16_t u16() { return static_cast<uint16_t>(intero(2)); }
  int32_t i32() { return static_cast<int32_t>(static_cast<uint32_t>(intero(4))); }
  std::string testo(size_t n) {
    serve(n);
    std::string t = b_.substr(pos_, n);
    pos_ += n;
    return t;
  }

private:
  void serve(size_t n) {
    if (b_.size() - pos_ < n) throw std::runtime_error("record cut at byte " + std::to_string(pos_));
  }
  uint64_t intero(int n) {
    serve(size_t(n));
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v |= uint64_t(static_cast<unsigned char>(b_[pos_ + i])) << (8 * i);
    pos_ += size_t(n);
    return v;
  }
  const std::string& b_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<Voce> leggi_tabella(const std::string& bytes) {
  Ingresso in(bytes);
  std::vector<Voce> voci;
  while (!in.finito()) {
    Voce v;
    v.tipo = in.u8();
    v.inizio = in.i32();
    v.fine = in.i32();
    v.posizione = in.i32();
    v.campo4 = in.u8();
    v.testo = in.testo(in.u16());
    v.campo7 = in.i16();
    v.campo8 = in.i16();
    v.campo10 = in.i16();
    v.campo11 = in.i16();
    v.campo12 = in.i16();
    v.campo9 = in.u8();
    v.campo13 = in.u8();
    v.campo6 = in.u8();
    v.campo5 = in.u8();
    v.orario = in.i32();
    voci.push_back(std::move(v));
  }
  return voci;
}

std::vector<Cella> leggi_griglia(const std::string& bytes) {
  if (bytes.size() % 15 != 0) throw std::runtime_error("grid file is not whole 15-byte records");
  Ingresso in(bytes);
  std::vector<Cella> celle;
  while (!in.finito()) {
    Cella c;
    c.tipo = in.u8();
    c.valore1 = in.i16();
    c.valore2 = in.i16();
    c.valore3 = in.i16();
    c.valore4 = in.i16();
    c.tempo = in.u8();
    c.avviso = in.u8();
    c.montagna = in.u8();
    c.vel_limite = in.u8();
    c.pendenza = in.u8();
    c.aderenza = in.u8();
    celle.push_back(c);
  }
  return celle;
}

}  // namespace scenario::test
