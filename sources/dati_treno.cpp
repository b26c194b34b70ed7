#include "sources/dati_treno.h"

#include <iterator>

#include "io/file_names.h"
#include "io/text_writer.h"

namespace scenario {

namespace {

// The service of the built-in train: make-up, clock, adhesion, timetable
// speeds, stations, signals and cab-signal code steps. Line 5 keeps its
// trailing blank; the clock values are separated by blanks alone.
constexpr std::string_view kRighe[] = {
    "[generale]",
    "numero vetture,    10",
    "percentuale massa frenata,    120",
    "sabbia,    0",
    "orologio,    2               37            30 ",
    "[aderenze]",
    "aderenza,       0,    90",
    "aderenza,   21000,    80",
    "aderenza,   31000,   100",
    "[vel_limite]",
    "velocita,       0,    35",
    "velocita,    1000,   125",
    "velocita,    2500,   155",
    "velocita,   14700,   135",
    "velocita,   22200,   105",
    "velocita,   32000,   145",
    "velocita,   39000,   165",
    "velocita,   57400,   115",
    "velocita,   62800,   145",
    "velocita,   67500,   105",
    "[stazioni]",
    "stazione,       0,  8,  700,  0, 0, 0,  1,1,0,  4,1,1,    1,   2,39, 0, Valmora",
    "stazione,   16450, 11,  400,  1, 0, 0,  4,1,1,  2,1,1,    0,   0, 0, 0, Bivio Santa Ferla",
    "stazione,   19900, 11,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, P.M. Merlacchio",
    "stazione,   23350, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, P.M. San Dorio",
    "stazione,   31000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Pelto",
    "stazione,   40000, 22,  400,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, Lirna-S. Ottavio",
    "stazione,   47000, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Brisa",
    "stazione,   59000,  4,  600,  1, 1, 0,  4,1,0,  2,1,1,  245,   0, 0, 0, Corvello",
    "stazione,   65000, 11,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Gessoni Inferiore",
    "stazione,   71400,  2,  700,  1, 1, 1,  1,1,0,  2,1,1,    0,   3,30, 0, Dorvane",
    "[rallentamenti]",
    "[segnali]",
    "segnale,    3100,   2, 4, 0,  0, 0,    2,  4,0,0, 0",
    "segnale,    5500,   2, 4, 0,  0, 0,    2,  4,0,0, 0",
    "segnale,    7900,   2, 4, 0,  0, 0,    2,  4,0,0, 0",
    "segnale,   10300,   2, 4, 0,  0, 0,    2,  3,0,0, 0",
    "segnale,   12700,   2, 5, 6,  0, 0,    2,  2,1,0, 0",
    "segnale,   15100,   2, 2, 3,  0, 1,    2,  4,1,0, 0",
    "segnale,   17500,   2, 4, 0,  0, 0,    2,  4,0,0, 0",
    "segnale,   19000,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   22600,   2, 4, 0,  0, 0,    2,  4,0,0, 0",
    "segnale,   25000,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   27400,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   29850,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   33700,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   36100,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   38500,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   42700,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   45100,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   49800,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   52200,   2, 4, 1,  1, 0,    2,  3,1,1, 0",
    "segnale,   54600,   2, 3, 4,  1, 0,    2,  2,1,1, 0",
    "segnale,   57800,   2, 2, 3,  1, 0,    2,  4,1,1, 0",
    "segnale,   61800,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   64200,   2, 4, 1,  1, 0,    2,  4,1,1, 0",
    "segnale,   67800,   2, 3, 4,  1, 0,    2,  3,1,1, 0",
    "segnale,   70100,   2, 2, 3,  1, 0,    2,  2,1,1, 0",
    "[codici]",
    "abbattimento,       0,   270",
    "abbattimento,   15250,   AC",
    "abbattimento,   17300,   270",
    "abbattimento,   57950,   AC",
    "abbattimento,   59600,   270",
    "abbattimento,   68000,   180",
    "abbattimento,   70250,   AC",
    "[fine]",
};

}  // namespace

const std::vector<std::string_view>& righe_treno() {
  static const std::vector<std::string_view> righe(std::begin(kRighe), std::end(kRighe));
  return righe;
}

void dati_treno(const RunState& s, Folder& folder) {
  scrivi_testo<kRighe>(folder, nome_testo_servizio(s.percorso_nome, s.treno_nome), Durability::kTransient);
}

}  // namespace scenario
