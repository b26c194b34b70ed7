#include "documents/writers.h"

#include <iterator>

#include "io/file_names.h"
#include "io/text_writer.h"

namespace scenario {

namespace {

// The driver's timetable card for ICN 853: header boxes, classification and
// locked mass, then one row per point along the line. The rows keep their own
// irregular spacing, and the CLASSIFICAZIONE line ends in seven blanks.
constexpr std::string_view kRighe[] = {
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n.853   |                   da: Valmora                |    V160 C    |",
    " |___________________|                    a: Dorvane                |     120%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |        ICN        |              |      580T         |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " | 120    | 120    | 0.000         |     | Valmora                           | 2:39               |     |",
    " | 150    | 150    | 2.500         |     | Cartello indicatore                           | 2:42               |   "
    "  |",
    " | 130    | 130    |14.700         |     |     '           '                                   | 2:48             "
    "  |     |",
    " |    '     |   '      | 16.300         |     | Bivio S. Ferla                           |    2:50            |   "
    "  |",
    " |   '      |   '      | 20.050         |     | P.M. Merlacchio                           | 2:51               |  "
    "   |",
    " |  100   |  100    | 22.200         |     | Cartello indicatore                           | 2:52               | "
    "    |",
    " |    '     |    '     | 23.200         |     | P.C. S. Dorio                           | 2:53              |     "
    "|",
    " |    '     |   '      | 31.000         |     | Pelto                           | 2:56               |     |",
    " | 140    | 140    | 32.000         |     | Cartello indicatore                           | 2:57               |  "
    "   |",
    " | 160    | 160    | 39.000         |     |      '            '                                  | 3:01           "
    "    |     |",
    " |   '      |  '       | 40.000         |     | Lirna-S. Ottavio                           | 3:02               | "
    "    |",
    " |   '      |  '       | 47.000         |     | Brisa                           | 3:07               |     |",
    " | 110    | 110    | 57.400         |     | Cartello indicatore                          | 3:12               |   "
    "  |",
    " |   '      |   '      | 59.000         |     | Corvello                           | 3:16               |     |",
    " | 140    | 140    | 62.800         |     | Cartello indicatore                           | 3:19               |  "
    "   |",
    " |   '      |   '      | 65.000         |     | Gessoni Inferiore                           | 3:22               "
    "|     |",
    " | 100    | 100    | 67.500         |     | Cartello indicatore                           |  3:25              |  "
    "   |",
    " |   '      |   '      | 71.200         |     | Dorvane                           |                               "
    "  3:29   |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
};

}  // namespace

const std::vector<std::string_view>& righe_scheda() {
  static const std::vector<std::string_view> righe(std::begin(kRighe), std::end(kRighe));
  return righe;
}

void dati_scheda(const RunState& s, Folder& folder) {
  scrivi_testo<kRighe>(folder, nome_scheda(s.percorso_nome, s.treno_nome));
}

}  // namespace scenario
