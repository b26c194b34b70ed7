#include "compiler/binary_writer.h"

#include <bit>
#include <cstring>
#include <stdexcept>

#include "model/cp1252.h"
#include "sources/file_names.h"

namespace scenario {
namespace {

constexpr std::string_view kRiempitivo = "mmnnppqqrrssttuuvvzzmmnnpp";

// Little-endian serialisation, one member at a time.
class Uscita {
public:
  void byte(uint8_t v) { out_ += char(v); }
  void i16(int16_t v) { intero(static_cast<uint16_t>(v), 2); }
  void u16(uint16_t v) { intero(v, 2); }
  void i32(int32_t v) { intero(static_cast<uint32_t>(v), 4); }
  void f64(double v) { intero(std::bit_cast<uint64_t>(v), 8); }
  void testo(std::string_view t) { out_ += t; }
  std::string& bytes() { return out_; }

private:
  void intero(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_ += char((v >> (8 * i)) & 0xFF);
  }
  std::string out_;
};

std::string testo_codice(const RunState& s) {
  std::string t = s.servizio[86].testo + s.servizio[85].testo;
  for (char& c : t) c = char(minuscola_cp1252(static_cast<unsigned char>(c)));
  return t + std::string(kRiempitivo);
}

void valore_piano(Uscita& u, const ValorePiano& v) {
  u.u16(v.tag);
  if (v.tag == ValorePiano::kIntero) u.i16(v.intero);
  if (v.tag == ValorePiano::kDoppio) u.f64(v.doppio);
}

}  // namespace

int16_t codice_gara_og(const RunState& s) {
  std::string t = testo_codice(s);
  int32_t somma = 0;
  for (int i = 0; i < 25; ++i) somma += static_cast<unsigned char>(t[i]);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const RunState& s) {
  std::string t = testo_codice(s);
  int32_t somma = 0;
  for (int i = 0; i < 25; ++i) somma += (i + 1) * static_cast<unsigned char>(t[i]);
  return somma;
}

int32_t memorizza_marcatori(RunState& s) {
  Voce& generale = s.servizio[85];
  Cella& prima = s.celle.at(1);
  if (generale.campo7 != 0 || prima.valore1 != 0) return 1250;
  generale.campo7 = 610;
  prima.valore1 = 5121;
  if (generale.orario != 0 || prima.valore2 != 0) return 1251;
  generale.orario = codice_gara_st(s);
  prima.valore2 = codice_gara_og(s);
  return 0;
}

std::string bytes_piano(const Planimetria& piano) {
  Uscita u;
  u.bytes().reserve(piano.posizioni() * 2 * 10);
  for (const auto& asse : piano.coordinata)
    for (const ValorePiano& v : asse) valore_piano(u, v);
  return std::move(u.bytes());
}

std::string bytes_tabella(const RunState& s) {
  Uscita u;
  for (const Voce& v : s.servizio) {
    if (v.testo.size() > 0xFFFF) throw std::length_error("service text longer than 65535 bytes");
    u.byte(v.tipo);
    u.i32(v.inizio);
    u.i32(v.fine);
    u.i32(v.posizione);
    u.byte(v.campo4);
    u.u16(static_cast<uint16_t>(v.testo.size()));
    u.testo(v.testo);
    u.i16(v.campo7);
    u.i16(v.campo8);
    u.i16(v.campo10);
    u.i16(v.campo11);
    u.i16(v.campo12);
    u.byte(v.campo9);
    u.byte(v.campo13);
    u.byte(v.campo6);
    u.byte(v.campo5);
    u.i32(v.orario);
  }
  return std::move(u.bytes());
}

std::string bytes_griglia(const RunState& s) {
  Uscita u;
  u.bytes().reserve(s.celle.size() * 15);
  for (const Cella& c : s.celle) {
    u.byte(c.tipo);
    u.i16(c.valore1);
    u.i16(c.valore2);
    u.i16(c.valore3);
    u.i16(c.valore4);
    u.byte(c.tempo);
    u.byte(c.avviso);
    u.byte(c.montagna);
    u.byte(c.vel_limite);
    u.byte(c.pendenza);
    u.byte(c.aderenza);
  }
  return std::move(u.bytes());
}

void scrivi_file_binari(const RunState& s, Folder& folder) {
  if (s.genera_linea != 0) replace_file(folder, nome_piano(s.percorso_nome), bytes_piano(s.planimetria));
  replace_file(folder, nome_tabella(s.percorso_nome, s.treno_nome), bytes_tabella(s));
  replace_file(folder, nome_griglia(s.percorso_nome, s.treno_nome), bytes_griglia(s));
}

}  // namespace scenario
