// The table of text records against the parsers that read them: every
// record the parsers take carries the table's tag and reads exactly the
// values the table lists, and keywords are recognised by the table's words
// with its case rules.

#include "compiler/text_records.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tools/analysis.h"
#include "tools/tool_harness.h"

namespace scenario::test {
namespace {

const RecordTesto* per_nome(std::string_view nome) {
  for (const RecordTesto& r : record_testi())
    if (nome == r.nome) return &r;
  return nullptr;
}

// The built-in texts hold every record but the slow-down; one is added.
std::string servizio_con_rallentamento() {
  std::string testo = built_in_service_text();
  const std::string dopo = "[rallentamenti]\r\n";
  testo.insert(testo.find(dopo) + dopo.size(), "rallentamento, 42000, 60, 500, 0, 1, 0\r\n");
  return testo;
}

TEST(TextRecords, EveryRecordTheParsersTakeReadsTheValuesTheTableLists) {
  tools::AnalysisRequest request{{"line.txt", built_in_line_text()}, {"service.txt", servizio_con_rallentamento()}};
  request.trace = true;
  tools::Analysis a = tools::analyse(request);
  ASSERT_TRUE(a.errors.empty());

  std::map<std::string, int> visti;
  for (const RecordLetto& letto : a.state.letti) {
    if (*letto.tipo == '\0') continue;  // headers and the last field
    const RecordTesto* r = per_nome(letto.tipo);
    ASSERT_NE(r, nullptr) << letto.tipo;
    EXPECT_EQ(r->testo == TestoDescrizione::kLinea ? Fonte::kLinea : Fonte::kServizio, letto.fonte) << r->nome;
    ASSERT_EQ(letto.campi.size(), r->campi.size()) << r->nome;
    for (size_t i = 0; i < r->campi.size(); ++i)
      EXPECT_EQ(letto.campi[i].testo, r->campi[i].lettura == Lettura::kTesto) << r->nome << " " << r->campi[i].nome;
    ++visti[r->nome];
  }
  // Every row is met, with the built-in counts where they are easy to tell.
  for (const RecordTesto& r : record_testi()) EXPECT_GT(visti[r.nome], 0) << r.nome;
  EXPECT_EQ(visti["progressiva chilometrica"], 3);
  EXPECT_EQ(visti["sfondo"], 3);
  EXPECT_EQ(visti["stazione"], 10);
  EXPECT_EQ(visti["segnale"], 25);
}

TEST(TextRecords, EachRowIsNamedOnceAndRecognisesItsOwnKeyword) {
  std::set<std::string> nomi;
  for (const RecordTesto& r : record_testi()) {
    EXPECT_TRUE(nomi.insert(r.nome).second) << r.nome;
    EXPECT_FALSE(riconosci(r, r.parola).vuoto()) << r.nome;
    for (const CampoRecord& c : r.campi) {
      EXPECT_NE(*c.significato, '\0') << r.nome << " " << c.nome;
      if (c.errore_multiplo != 0) {
        EXPECT_NE(c.multiplo, 0) << c.nome;
      }
    }
  }
}

struct CasoChiave {
  const char* campo;
  IdRecord id;
  std::vector<uint8_t> varianti;  // empty: not recognised
};

TEST(TextRecords, KeywordsAreRecognisedByTheirWordsWithTheirCaseRules) {
  const std::vector<CasoChiave> casi = {
      {"Lunghezza Percorso", IdRecord::kLunghezzaPercorso, {0}},
      {"percorso lunghezza", IdRecord::kLunghezzaPercorso, {0}},
      {"lunghezza", IdRecord::kLunghezzaPercorso, {}},
      // Exact case for the series and the backgrounds.
      {"progressiva chilometrica uno", IdRecord::kProgressiva, {2}},
      {"Progressiva chilometrica uno", IdRecord::kProgressiva, {}},
      {"progressiva chilometrica Uno", IdRecord::kProgressiva, {}},
      {"progressiva uno e tre", IdRecord::kProgressiva, {0, 2}},
      {"sfondo tre", IdRecord::kSfondo, {2}},
      {"Sfondo uno", IdRecord::kSfondo, {}},
      {"ripetizione segnali 9 codici", IdRecord::kRipetizioneSegnali, {0}},
      {"Ripetizione segnali", IdRecord::kRipetizioneSegnali, {}},
      // Case ignored for the others.
      {"CURVAD3", IdRecord::kCurva, {0}},
      {"indicatori_v", IdRecord::kIndicatoriVMax, {0}},
      {"cartello indicatore", IdRecord::kCartelloIndicatore, {0}},
      {"cartello", IdRecord::kCartelloIndicatore, {}},
      {"Velocità", IdRecord::kVelocita, {0}},
      {"massa", IdRecord::kMassaFrenata, {}},
      {"[stazioni]", IdRecord::kStazione, {}},
  };
  for (const CasoChiave& c : casi) {
    VariantiTrovate v = riconosci(record_testo(c.id), c.campo);
    EXPECT_EQ(std::vector<uint8_t>(v.begin(), v.end()), c.varianti) << c.campo;
  }
}

}  // namespace
}  // namespace scenario::test
