#include "fuzz/cases.h"

#include <set>
#include <string_view>

#include "compiler/compile.h"
#include "compiler/line_parser.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "io/text_writer.h"
#include "model/errors.h"
#include "model/records.h"
#include "model/run_state.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"

namespace scenario::fuzz {
namespace {

// Every number the parse and the placement pass may leave in errore_n.

class Verifica {
public:
  // Takes a view so that a check inside a loop over the plan builds no string.
  void esigi(bool condizione, std::string_view cosa) {
    if (!condizione && esito_.empty()) esito_ = cosa;
  }
  std::string esito() const { return esito_; }

private:
  std::string esito_;
};

// Every line and compile run builds the per-metre track plan, 7,000 m longer
// than the route. Routes up to 3 km keep one run near a millisecond under the
// sanitizers; longer ones only repeat the same steps, so the fuzzed line half
// refuses them with error 1 the way it refuses routes above 1,000 km.
constexpr int32_t kLunghezzaFuzz = 3000;

// The reading of the fuzzed line texts, under the route limit above.
constexpr OpzioniLettura kOpzioniFuzz{.traccia = false, .lunghezza_massima = kLunghezzaFuzz};

// A run state named like the program's.
RunState stato_nuovo() {
  RunState s;
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  return s;
}

uint32_t leggi_le(std::string_view b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}

// The error record: a number the system knows, and the last entry of the
// log agrees with it.
void verifica_registro(Verifica& v, const RunState& s) {
  v.esigi(s.errori.errore_n() == 0 || riga_errore(s.errori.errore_n()) != nullptr,
          "errore_n " + std::to_string(s.errori.errore_n()) + " is no known number");
  if (s.errori.errore_n() != 0)
    v.esigi(!s.errori.vuoto() && s.errori.voci().back().numero == s.errori.errore_n(),
            "the error log disagrees with errore_n");
  else
    v.esigi(s.errori.vuoto(), "an error was logged but errore_n is 0");
}

// The description texts after the parse: the line text is gone unless it
// was missing; the service text is gone unless the line half abandoned.
void verifica_testi(Verifica& v, MemoryFolder& folder, const RunState& s, bool servizio_presente) {
  const std::string linea = nome_testo_linea(s.percorso_nome);
  const std::string servizio = nome_testo_servizio(s.percorso_nome, s.treno_nome);
  v.esigi(!folder.exists(linea), "the line text was not deleted");
  if (folder.exists(servizio)) {
    v.esigi(servizio_presente, "a service text appeared");
    bool abbandono_linea = false;
    for (const ErroreRegistrato& e : s.errori.voci())
      if (e.fonte == Fonte::kLinea && e.numero != 15) abbandono_linea = true;
    v.esigi(abbandono_linea, "the service text was left although the line half did not abandon");
  }
}

// The binary files, when the compile wrote them.
void verifica_file(Verifica& v, MemoryFolder& folder, const RunState& s, bool con_piano) {
  auto& f = folder.files();
  const std::string griglia = nome_griglia(s.percorso_nome, s.treno_nome);
  const std::string tabella = nome_tabella(s.percorso_nome, s.treno_nome);
  const std::string piano = nome_piano(s.percorso_nome);
  v.esigi(f.count(griglia) && f.count(tabella), "a binary file is missing after a written compile");
  v.esigi(f.count(piano) == (con_piano ? 1u : 0u), "the plan file is present exactly when asked for");
  for (const auto& [nome, contenuto] : f) v.esigi(nome.empty() || nome[0] != '.', "a scratch file remains: " + nome);
  if (!v.esito().empty() || !f.count(griglia) || !f.count(tabella)) return;

  const std::string& g = f[griglia];
  v.esigi(g.size() == kByteCella * (size_t(s.n_celle) + 1),
          "the grid file has " + std::to_string(g.size()) + " bytes for " + std::to_string(s.n_celle) + " cells");
  v.esigi(g.size() >= 2 * kByteCella && leggi_le(g, kByteCella + 1, 2) == 5121, "cell 1 does not carry 5121");

  const std::string& t = f[tabella];
  size_t at = 0;
  int voci = 0;
  while (at + kByteVoceSenzaTesto <= t.size() && voci < kVociServizio + 1) {
    at += kByteVoceSenzaTesto + leggi_le(t, at + 14, 2);
    ++voci;
  }
  v.esigi(voci == kVociServizio && at == t.size(), "the table file does not walk to exactly 87 entries");
  v.esigi(
      t.size() >= kByteVoceSenzaTesto && t.compare(0, kByteVoceSenzaTesto, std::string(kByteVoceSenzaTesto, '\0')) == 0,
      "entry 0 of the table is not 34 zero bytes");

  if (con_piano && f.count(piano)) {
    // Two coordinates for every metre of the extended route, each a tag and its value.
    const std::string& p = f[piano];
    size_t pos = 0, valori = 0;
    while (pos + 2 <= p.size()) {
      const FormaPunto* forma = forma_punto(uint16_t(leggi_le(p, pos, 2)));
      v.esigi(forma != nullptr, "the plan file holds an unknown tag");
      pos += kByteTagPunto + (forma != nullptr ? forma->byte_numero : 0);
      ++valori;
    }
    v.esigi(pos == p.size() && valori == 2 * (size_t(s.lunghezza_estesa) + 1),
            "the plan file does not hold two values per metre");
  }
}

// The compile-and-write frame, then the checks on what it left.
std::string compila_e_verifica(MemoryFolder& folder, RunState& s, int32_t j, bool servizio_presente,
                               const OpzioniLettura& opzioni) {
  Verifica v;
  EsitoCompilazione esito = memorizza_percorso(s, folder, j, opzioni);
  verifica_registro(v, s);
  verifica_testi(v, folder, s, servizio_presente);
  switch (esito.fine) {
    case EsitoCompilazione::kScritto: verifica_file(v, folder, s, j != 0); break;
    case EsitoCompilazione::kSenzaGriglia:
    case EsitoCompilazione::kSlotOccupato:
      v.esigi(esito.fine == EsitoCompilazione::kSenzaGriglia || esito.numero_riquadro == 1250 ||
                  esito.numero_riquadro == 1251,
              "a reserved-slot end without 1250 or 1251");
      for (const std::string& nome : {nome_piano(s.percorso_nome), nome_tabella(s.percorso_nome, s.treno_nome),
                                      nome_griglia(s.percorso_nome, s.treno_nome)})
        v.esigi(!folder.exists(nome), "a binary file was written although the compile stopped");
      break;
  }
  return v.esito();
}

}  // namespace

std::string caso_linea(std::string_view testo) {
  MemoryFolder folder;
  RunState s = stato_nuovo();
  s.genera_linea = true;
  const std::string nome = nome_testo_linea(s.percorso_nome);
  folder.files()[nome] = std::string(testo);
  Verifica v;
  // The line half alone, with the fault trap of the whole parse around it.
  memorizza_dati(s, folder, kOpzioniFuzz);
  verifica_registro(v, s);
  v.esigi(!folder.exists(nome), "the line text was not deleted");
  if (s.griglia_pronta()) {
    v.esigi(s.celle.size() == size_t(s.n_celle) + 1, "the grid does not hold n_celle + 1 cells");
    v.esigi(s.planimetria.posizioni() == size_t(s.lunghezza_estesa) + 1, "the plan does not hold one point per metre");
    for (const AssePiano& asse : s.planimetria.coordinata) {
      const AssePiano::Tratto t = asse.tratto_di_doppi();
      bool doppi = t.a <= asse.size();
      for (size_t i = t.da; doppi && i < t.a; ++i) doppi = asse[i].tag == ValorePiano::kDoppio;
      v.esigi(doppi, "the plan's known stretch of doubles holds another value");
    }
  }
  return v.esito();
}

std::string caso_servizio(std::string_view testo) {
  static const std::string linea = componi_testo(righe_linea());
  MemoryFolder folder;
  RunState s = stato_nuovo();
  folder.files()[nome_testo_linea(s.percorso_nome)] = linea;
  folder.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = std::string(testo);
  // Without the plan: the service half neither reads nor writes it, and the
  // built-in route keeps its full length.
  std::string esito = compila_e_verifica(folder, s, 0, true, OpzioniLettura{});
  for (const ErroreRegistrato& e : s.errori.voci())
    if (esito.empty() && e.fonte == Fonte::kLinea) esito = "the built-in line text recorded an error";
  return esito;
}

std::string caso_completo(std::string_view ingresso) {
  MemoryFolder folder;
  RunState s = stato_nuovo();
  size_t taglio = ingresso.find(kSeparatore);
  folder.files()[nome_testo_linea(s.percorso_nome)] = std::string(ingresso.substr(0, taglio));
  bool servizio = taglio != std::string_view::npos;
  if (servizio)
    folder.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = std::string(ingresso.substr(taglio + 1));
  return compila_e_verifica(folder, s, 1, servizio, kOpzioniFuzz);
}

}  // namespace scenario::fuzz
