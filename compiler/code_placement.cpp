#include "compiler/code_placement.h"

#include <array>

#include "model/access.h"

namespace scenario {
namespace {

constexpr int16_t kCodiceNuovo = 180;
constexpr int kPortataAvviso = 20;
constexpr int kPrimoSegnaleValido = 3;
constexpr int kVelocitaSenzaCodici = 110;
constexpr int kPassoInterno = 8;
constexpr int kRicercaDopoFine = 12;

int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

// One pass over the grid; the last cell is U. Every read and write stays in 0..U.
class Piazzamento {
public:
  explicit Piazzamento(RunState& s) : s_(s), u_(s.n_celle) {}

  void esegui() {
    for (int64_t i = 1; i <= u_ - 2; ++i) {
      if (tipo(i) == kAvvisoRallentamento) davanti_ai_segnali(i);
      if (tipo(i) == kInizioRallentamento) {
        prima_dell_inizio(i);
        if (cella(s_, i).valore1 < kVelocitaSenzaCodici) dopo_la_fine(dentro(i));
      }
    }
  }

private:
  uint8_t tipo(int64_t i) { return cella(s_, i).tipo; }
  bool libera(int64_t i) { return i >= 0 && i <= u_ && cella_libera(tipo(i)); }
  void codice(int64_t i) {
    Cella& c = cella(s_, i);
    c.tipo = kCodice;
    c.valore1 = kCodiceNuovo;
  }
  void abbassa(int64_t i) {
    Cella& c = cella(s_, i);
    c.valore1 = basso16(minimo(kCodiceNuovo, c.valore1));
  }
  void errore(Errore e, int64_t i) {
    DatiErrore dati;
    dati.ha_posizione = true;
    dati.posizione = static_cast<int32_t>(i * 50);
    dati.cella = i;
    s_.errori.registra(e, dati);
  }

  // Step A: a code in front of every signal up to 20 cells behind warning cell i.
  void davanti_ai_segnali(int64_t i) {
    for (int d = 1; d <= kPortataAvviso; ++d) {
      int64_t s = i - d;
      if (s < kPrimoSegnaleValido) return;
      if (tipo(s) != kSegnale) continue;
      if (libera(s - 1))
        codice(s - 1);
      else if (libera(s - 2))
        codice(s - 2);
      else if (tipo(s - 1) == kCodice)
        abbassa(s - 1);
      else if (tipo(s - 2) == kCodice)
        abbassa(s - 2);
      else
        errore(Errore::NessunPostoDavantiAlSegnale, s);
    }
  }

  // Step B: three code points before start cell i.
  void prima_dell_inizio(int64_t i) {
    static constexpr std::array<int, 3> kGruppi = {5, 11, 18};
    for (int primo : kGruppi) {
      if (i <= primo + 2) continue;
      bool posto = false;
      for (int k = primo; k <= primo + 2 && !posto; ++k) {
        if (libera(i - k)) {
          codice(i - k);
          posto = true;
        }
      }
      if (!posto) errore(Errore::NessunaCellaPrimaDelRallentamento, i);
    }
  }

  // Step C: a code every 8 cells inside the slow-down starting at i. Answers
  // the cell where the walk stopped: the end cell, or the last cell of the grid.
  int64_t dentro(int64_t i) {
    int n = 0;
    int64_t k = i;
    for (;;) {
      ++k;
      ++n;
      if (n == kPassoInterno) {
        if (libera(k)) {
          codice(k);
          n = 0;
        } else if (libera(k - 1)) {
          codice(k - 1);
          n = 1;
        } else if (libera(k + 1)) {
          codice(k + 1);
          n = -1;
        } else {
          errore(Errore::NessunaCellaNelRallentamento, k);
        }
      }
      if (tipo(k) == kFineRallentamento || k >= u_) return k;
    }
  }

  // Step D: a code in front of the first signal within 12 cells after end e.
  void dopo_la_fine(int64_t e) {
    for (int64_t g = e; g <= e + kRicercaDopoFine && g <= u_; ++g) {
      if (tipo(g) != kSegnale) continue;
      if (libera(g - 1))
        codice(g - 1);
      else if (libera(g - 2))
        codice(g - 2);
      else
        errore(Errore::NessunaCellaNelRallentamento, e);
      return;
    }
  }

  RunState& s_;
  int64_t u_;
};

}  // namespace

void piazza_codici(RunState& s) { Piazzamento(s).esegui(); }

}  // namespace scenario
