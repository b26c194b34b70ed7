#include "bench/route_gen.h"

#include <sstream>
#include <stdexcept>

namespace scenario::bench {
namespace {

constexpr int32_t kBlocco = 10000;  // metres of route per repeated block

class Righe {
public:
  template <typename... Parti>
  void riga(const Parti&... parti) {
    (out_ << ... << parti);
    out_ << "\r\n";
  }
  std::string testo() const { return out_.str(); }

private:
  std::ostringstream out_;
};

int32_t passo_per(int32_t blocchi, int32_t massimo) { return (blocchi + massimo - 1) / massimo; }

std::string testo_linea(int32_t lunghezza, int32_t blocchi) {
  const int32_t passo_cartelli = passo_per(blocchi, 30);
  Righe r;
  r.riga("[generale]");
  r.riga("lunghezza percorso,    ", lunghezza);
  r.riga("progressiva chilometrica uno,    0,    ", lunghezza - 2000, ",    0");
  r.riga("progressiva chilometrica due,    0,    0,    0");
  r.riga("progressiva chilometrica tre,    0,    0,    0");
  r.riga("sfondo uno,    25000");
  r.riga("sfondo due,    18500");
  r.riga("sfondo tre,    1");
  r.riga("ripetizione segnali 4 codici,    0,    ", lunghezza - 2000);
  r.riga("[curve]");
  for (int32_t k = 0; k < blocchi; ++k) {
    const int32_t b = k * kBlocco;
    r.riga(k % 2 ? "curvas2,  " : "curvad1,  ", b + 2000, ",  800");
    r.riga(k % 2 ? "curvad3,  " : "curvas3,  ", b + 6000, ",  1200");
  }
  r.riga("[pendenze]");
  for (int32_t k = 0; k < blocchi; ++k) {
    const int32_t b = k * kBlocco;
    r.riga("pendenza,  ", b, ",   0");
    r.riga("pendenza,  ", b + 2500, ",   5");
    r.riga("pendenza,  ", b + 5000, ",   0");
    r.riga("pendenza,  ", b + 7500, ",   -4");
  }
  r.riga("[montagne]");
  for (int32_t k = 1; k < blocchi; k += 3) {
    const int32_t b = k * kBlocco;
    r.riga("montagna,   ", b + 3000, ",  ", b + 4500, ",  ", k % 2 ? 11 : 2);
  }
  r.riga("[cartelli]");
  for (int32_t k = 0; k < blocchi; ++k) {
    const int32_t b = k * kBlocco;
    r.riga("indicatori_vmax,  ", b + 1000, ",  140,  150,  150,  0,  140,  150,  150,  0");
    r.riga("indicatori_vmax,  ", b + 5500, ",  110,  120,  130,  0,  110,  120,  130,  0");
    r.riga("indicatori_vmax,  ", b + 8000, ",  100,  105,  110,  0,  100,  105,  110,  0");
  }
  r.riga("[indicazioni]");
  for (int32_t k = 0; k < blocchi; k += passo_cartelli) {
    const int32_t b = k * kBlocco;
    r.riga("cartello_indicatore,  ", b + 7000, ",   (Bivio           )(linea da        )(km ", k * 10, "           )");
  }
  r.riga("[fine]");
  return r.testo();
}

std::string testo_servizio(int32_t blocchi) {
  const int32_t passo_stazioni = passo_per(blocchi, 45);
  Righe r;
  r.riga("[generale]");
  r.riga("numero vetture,    10");
  r.riga("percentuale massa frenata,    120");
  r.riga("sabbia,    0");
  r.riga("orologio,    2               37            30 ");
  r.riga("[aderenze]");
  for (int32_t k = 0; k < blocchi; k += 3) r.riga("aderenza,   ", k * kBlocco, ",    ", k % 2 ? 80 : 90);
  r.riga("[vel_limite]");
  r.riga("velocita,       0,    35");
  for (int32_t k = 0; k < blocchi; ++k) {
    const int32_t b = k * kBlocco;
    r.riga("velocita,   ", b + 1000, ",   145");
    r.riga("velocita,   ", b + 5500, ",   125");
  }
  r.riga("[stazioni]");
  for (int32_t k = 0; k < blocchi; k += passo_stazioni) {
    const int32_t secondi = 2 * 3600 + 37 * 60 + k * 300;
    r.riga("stazione,   ", k * kBlocco + 3500, ", 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   ", secondi / 3600, ",",
           secondi / 60 % 60, ", ", secondi % 60, ", Stazione ", k);
  }
  r.riga("[rallentamenti]");
  for (int32_t k = 2; k < blocchi; k += 5) r.riga("rallentamento,   ", k * kBlocco + 8500, ",  60,  600,  1,  1,  0");
  r.riga("[segnali]");
  for (int32_t k = 0; k < blocchi; ++k) {
    const int32_t b = k * kBlocco;
    for (int32_t p : {1700, 4200, 6700, 9200}) r.riga("segnale,   ", b + p, ",   2, 4, 1,  1, 0,    2,  4,1,1, 0");
  }
  r.riga("[codici]");
  r.riga("abbattimento,       0,   270");
  for (int32_t k = 0; k < blocchi; ++k) r.riga("abbattimento,   ", k * kBlocco + 2900, ",   ", k % 2 ? "AC" : "270");
  r.riga("[fine]");
  return r.testo();
}

}  // namespace

TestiPercorso genera_percorso(int32_t km) {
  if (km < 10 || km > 1000 || km % 10 != 0)
    throw std::invalid_argument("route length must be a multiple of 10 km from 10 to 1000");
  const int32_t blocchi = km * 1000 / kBlocco;
  return {testo_linea(km * 1000, blocchi), testo_servizio(blocchi)};
}

}  // namespace scenario::bench
