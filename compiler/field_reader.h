#pragma once
// Reads a description text as a stream of fields separated by commas or line
// ends. Blanks (space, tab) before a field are skipped. A keyword or text
// field runs to the next comma or line end and keeps its inner and trailing
// blanks. A number field is an optional sign and the digits that follow;
// whatever else the field holds up to a blank, comma or line end is ignored,
// and a field with no digits reads as 0. After any field the reader skips
// blanks and consumes one comma or one line end (CR LF, CR or LF) if it
// follows. Starting a read with nothing left is a run-time fault.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/run_state.h"

namespace scenario {

class LettoreCampi {
public:
  // `contesto`, when given, follows the offset of every field read.
  explicit LettoreCampi(std::string_view testo, Contesto* contesto = nullptr) : testo_(testo), contesto_(contesto) {}

  // Every field read from now on is added to `campi` (none when null).
  void traccia(std::vector<CampoLetto>* campi) { campi_ = campi; }

  bool alla_fine() const { return pos_ >= testo_.size(); }

  std::string leggi_testo();
  int32_t leggi_long();
  int16_t leggi_integer();
  uint8_t leggi_byte();

private:
  int64_t leggi_numero();
  [[noreturn]] void fail_past_end();
  void inizia_campo();
  void chiudi_campo();
  void annota(size_t inizio, size_t fine, int64_t numero, bool testo);
  bool separatore(char c) const { return c == ',' || c == '\r' || c == '\n'; }
  bool spazio(char c) const { return c == ' ' || c == '\t'; }

  std::string_view testo_;
  size_t pos_ = 0;
  Contesto* contesto_;
  std::vector<CampoLetto>* campi_ = nullptr;
};

// Case-insensitive containment (ASCII letters folded byte by byte).
bool contiene(std::string_view testo, std::string_view cercato);
// Exact-case containment.
inline bool contiene_esatto(std::string_view testo, std::string_view cercato) {
  return testo.find(cercato) != std::string_view::npos;
}

}  // namespace scenario
