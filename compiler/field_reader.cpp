#include "compiler/field_reader.h"

#include "model/numbers.h"

namespace scenario {

void LettoreCampi::inizia_campo() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
  if (contesto_) contesto_->offset_campo = contesto_->offset_letto = pos_;
}

void LettoreCampi::chiudi_campo() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
  if (pos_ >= testo_.size()) return;
  char c = testo_[pos_];
  if (c == ',' || c == '\n') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    if (pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
  }
}

void LettoreCampi::annota(size_t inizio, size_t fine, int64_t numero, bool testo) {
  if (!campi_) return;
  while (fine > inizio && spazio(testo_[fine - 1])) --fine;
  campi_->push_back({inizio, fine, numero, testo});
}

void LettoreCampi::fail_past_end() {
  // The missing field would have started at the end of the text.
  if (contesto_) contesto_->offset_campo = contesto_->offset_letto = testo_.size();
  throw GuastoEsecuzione("read past the end of the text");
}

std::string LettoreCampi::leggi_testo() {
  if (alla_fine()) fail_past_end();
  inizia_campo();
  size_t inizio = pos_;
  while (pos_ < testo_.size() && !separatore(testo_[pos_])) ++pos_;
  std::string campo(testo_.substr(inizio, pos_ - inizio));
  annota(inizio, pos_, 0, true);
  chiudi_campo();
  return campo;
}

int64_t LettoreCampi::leggi_numero() {
  if (alla_fine()) fail_past_end();
  inizia_campo();
  const size_t inizio = pos_;
  bool negativo = false;
  if (pos_ < testo_.size() && (testo_[pos_] == '-' || testo_[pos_] == '+')) {
    negativo = testo_[pos_] == '-';
    ++pos_;
  }
  int64_t valore = 0;
  while (pos_ < testo_.size() && testo_[pos_] >= '0' && testo_[pos_] <= '9') {
    valore = valore * 10 + (testo_[pos_] - '0');
    if (valore > int64_t(INT32_MAX) + 1) throw GuastoEsecuzione("number too large for 32 bits");
    ++pos_;
  }
  while (pos_ < testo_.size() && !separatore(testo_[pos_]) && !spazio(testo_[pos_])) ++pos_;
  annota(inizio, pos_, negativo ? -valore : valore, false);
  chiudi_campo();
  return stretto32(negativo ? -valore : valore, "number");
}

int32_t LettoreCampi::leggi_long() { return static_cast<int32_t>(leggi_numero()); }
int16_t LettoreCampi::leggi_integer() { return stretto16(leggi_numero(), "number"); }
uint8_t LettoreCampi::leggi_byte() { return stretto8(leggi_numero(), "number"); }

bool contiene(std::string_view testo, std::string_view cercato) {
  auto minuscola = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
  if (cercato.size() > testo.size()) return false;
  if (cercato.empty()) return true;
  // A position is compared further only when its first byte matches: a
  // letter in either case (the 0x20 bit is the case of an ASCII letter, and
  // no other byte turns into a letter by setting it), any other byte as it is.
  const char primo = minuscola(cercato[0]);
  const char caso = (primo >= 'a' && primo <= 'z') ? 0x20 : 0;
  for (size_t i = 0; i + cercato.size() <= testo.size(); ++i) {
    if (char(testo[i] | caso) != primo) continue;
    size_t k = 1;
    while (k < cercato.size() && minuscola(testo[i + k]) == minuscola(cercato[k])) ++k;
    if (k == cercato.size()) return true;
  }
  return false;
}

}  // namespace scenario
