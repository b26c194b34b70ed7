#include "sources/dati_linea.h"

#include <iterator>

#include "io/file_names.h"
#include "io/text_writer.h"

namespace scenario {

namespace {

// The line of the built-in scenario: general values, curves, gradients,
// tunnels, speed-limit boards and indication boards.
constexpr std::string_view kRighe[] = {
    "[generale]",
    "lunghezza percorso,    73500",
    "progressiva chilometrica uno,    0,    71000,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    25000",
    "sfondo due,    18500",
    "sfondo tre,    1",
    "ripetizione segnali 4 codici,    0,    71000",
    "[curve]",
    "curvas1,  2500,  600",
    "curvas2,  15000,  900",
    "curvad1,  17000,  2400",
    "curvad1,  23500,  6800",
    "curvas3,  33000,  800",
    "curvas3,  38000,  500",
    "curvas2,  44000,  700",
    "curvad3,  60000,  1000",
    "curvas4,  61500,  500",
    "curvas3,  68000,  700",
    "[pendenze]",
    "pendenza,   0,    0",
    "pendenza,  3000,   5",
    "pendenza,  5300,   0",
    "pendenza,  6800,   6",
    "pendenza,  7300,   0",
    "pendenza,  12000,   -6",
    "pendenza,  14200,   0",
    "pendenza,  18600,   5",
    "pendenza,  20800,   0",
    "pendenza,  22400,   5",
    "pendenza,  23950,   0",
    "pendenza,  28500,   -5",
    "pendenza,  30500,   0",
    "pendenza,  33000,   -4",
    "pendenza,  35500,   0",
    "[montagne]",
    "montagna,   1300,  16100,  11",
    "montagna,   16750,  18650,  2",
    "montagna,   22200,  23100,  12",
    "[cartelli]",
    "indicatori_vmax,  1000,  110,  115,  120,  0,  110,  115,  120,  0",
    "indicatori_vmax,  2500,  140,  150,  150,  0,  140,  150,  150,  0",
    "indicatori_vmax,  8500,  140,  150,  150,  0,  140,  150,  150,  0",
    "indicatori_vmax,  14100,  110,  120,  130,  2,  110,  120,  130,  2",
    "indicatori_vmax,  14400,  110,  120,  130,  1,  110,  120,  130,  1",
    "indicatori_vmax,  14700,  110,  120,  130,  0,  110,  120,  130,  0",
    "indicatori_vmax,  21600,  100,  100,  100,  2,  100,  100,  100,  2",
    "indicatori_vmax,  21900,  100,  100,  100,  1,  100,  100,  100,  1",
    "indicatori_vmax,  22200,  100,  100,  100,  0,  100,  100,  100,  0",
    "indicatori_vmax,  28000,  100,  100,  100,  0,  100,  100,  100,  0",
    "indicatori_vmax,  32000,  130,  135,  140,  0,  130,  135,  140,  0",
    "indicatori_vmax,  39000,  140,  150,  160,  0,  140,  150,  160,  0",
    "indicatori_vmax,  45500,  160,  170,  180,  0,  160,  170,  180,  0",
    "indicatori_vmax,  51500,  160,  170,  180,  0,  160,  170,  180,  0",
    "indicatori_vmax,  56800,  100,  105,  110,  2,  100,  105,  110,  2",
    "indicatori_vmax,  57100,  100,  105,  110,  1,  100,  105,  110,  1",
    "indicatori_vmax,  57400,  100,  105,  110,  0,  100,  105,  110,  0",
    "indicatori_vmax,  62800,  125,  135,  140,  0,  125,  135,  140,  0",
    "indicatori_vmax,  66900,  90,  95,  100,  2,  90,  95,  100,  2",
    "indicatori_vmax,  67200,  90,  95,  100,  1,  90,  95,  100,  1",
    "indicatori_vmax,  67500,  90,  95,  100,  0,  90,  95,  100,  0",
    "[indicazioni]",
    "cartello_indicatore,  23700,   (Bivio alta      )(velocità        )(Valmora-Fornella)",
    "cartello_indicatore,  24300,   (Viadotto di 20 m)(di altezza fino )(a Pelto         )",
    "cartello_indicatore,  29800,   (Ricongiungimento)(con la linea da )(Ravola          )",
    "cartello_indicatore,  55300,   (Ricongiungimento)(con linea da    )(Torre Calvinetta)",
    "cartello_indicatore,  56200,   (Ricongiungimento)(con la linea da )(Lerano Centrale )",
    "cartello_indicatore,  59500,   (Bivio        )(Valle Brumina)(Belvastro    )",
    "cartello_indicatore,  62500,   (Bivio      )(scalo merci)(Felcianico )",
    "cartello_indicatore,  70500,   (Ricongiungimento)(con la linea da )(Belvastro       )",
    "[fine]",
};

}  // namespace

const std::vector<std::string_view>& righe_linea() {
  static const std::vector<std::string_view> righe(std::begin(kRighe), std::end(kRighe));
  return righe;
}

void dati_linea(const RunState& s, Folder& folder) {
  scrivi_testo<kRighe>(folder, nome_testo_linea(s.percorso_nome), Durability::kTransient);
}

}  // namespace scenario
