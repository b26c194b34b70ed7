#include "documents/writers.h"

#include <iterator>

#include "io/file_names.h"
#include "io/text_writer.h"

namespace scenario {

namespace {

// The author's remarks on the scenario, broken by hand where the author broke
// them. The accented letters become single Windows-1252 bytes when written.
// Name, town and address are placeholders.
constexpr std::string_view kRighe[] = {
    "Lo scenario simula il treno ICN 853 (InterCity Notte) \"Lanterna\", che proviene da",
    "Montegrana e prosegue per Sabbiora passando per Dorvane e Lago Ferrino.",
    "Planimetria e altimetria sono fedeli al vero fino a Pelto; per il resto ho cercato di fare ",
    "del mio meglio; però il bivio, il P.M. e il P.C. esistono anche nella realtà, e inoltre è",
    "stato segnalato ogni collegamento con le altre linee con cartelli di indicazioni di vario",
    "genere. Il treno reale è trainato da una E.000, però talvolta si vedrà in testa una E.999.",
    "Per ulteriori informazioni scrivete all'autore all'indirizzo autore@example.invalid",
    "",
    "Nome Cognome",
    "Cittadina (XX)",
};

}  // namespace

const std::vector<std::string_view>& righe_note() {
  static const std::vector<std::string_view> righe(std::begin(kRighe), std::end(kRighe));
  return righe;
}

void dati_note(const RunState& s, Folder& folder) {
  scrivi_testo<kRighe>(folder, nome_note(s.percorso_nome, s.treno_nome));
}

}  // namespace scenario
