// Every error the line half records, and the edge cases around them, each
// with a small line text compiled through memorizza_percorso.

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "compiler/compile.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "model/access.h"
#include "sources/built_in_names.h"
#include "support/texts.h"

namespace scenario {
namespace {

using Righe = std::vector<std::string>;

// A line text of 10000 m (cells 0 to 340, plan 0 to 17000) with `record` after the general section.
std::string linea(const Righe& record) { return test::testo_linea(10000, record, "[curve]"); }

// A line text whose general section holds `generale`, with no records after it.
std::string generale(const Righe& generale) {
  Righe r = {"[generale]"};
  r.insert(r.end(), generale.begin(), generale.end());
  r.insert(r.end(), {"[curve]", "[fine]"});
  return test::testo_di(r);
}

Righe ripeti(int n, const std::function<std::string(int)>& riga) {
  Righe r;
  for (int i = 0; i < n; ++i) r.push_back(riga(i));
  return r;
}

std::string montagna(int i) {
  return "montagna, " + std::to_string(200 * i) + ", " + std::to_string(200 * i + 100) + ", 1";
}
std::string cartello(int i) {
  return "cartello_indicatore, " + std::to_string(100 * i + 100) + ", (t" + std::to_string(i) + ")";
}
const std::string kVmax1000 = "indicatori_vmax, 1000, 110, 115, 120, 0, 110, 115, 120, 0";

enum class Servizio { kResta, kEliminato, kQualsiasi };
constexpr int32_t kPosPrima = 4242;  // errore_pos before the run: kept when an error sets none

struct Caso {
  const char* nome;
  std::optional<std::string> linea;
  int32_t errore_n = 0;
  int32_t errore_pos = kPosPrima;
  Servizio servizio = Servizio::kQualsiasi;
  bool binari = true;  // the binary files are written; otherwise the old ones stay
  std::function<void(const RunState&)> verifica = nullptr;
};

const Cella& cella(const RunState& s, int i) { return s.celle.at(size_t(i)); }

void pendenze(const RunState& s, int da, int a, int attesa) {
  for (int i = da; i <= a; ++i) ASSERT_EQ(cella(s, i).pendenza, attesa) << "cell " << i;
}

void serie(const RunState& s, int voce, int32_t inizio, int32_t fine, int32_t posizione) {
  const Voce& v = s.servizio[size_t(voce)];
  EXPECT_EQ(v.inizio, inizio) << "entry " << voce;
  EXPECT_EQ(v.fine, fine) << "entry " << voce;
  EXPECT_EQ(v.posizione, posizione) << "entry " << voce;
}

const std::vector<Caso>& casi() {
  static const std::vector<Caso> c = {
      {.nome = "line text missing",
       .linea = std::nullopt,
       .errore_n = 101,
       .servizio = Servizio::kResta,
       .binari = false},
      {.nome = "no [generale]",
       .linea = test::testo_di({"lunghezza percorso, 10000", "[curve]", "[fine]"}),
       .errore_n = 102,
       .servizio = Servizio::kResta,
       .binari = false},
      {.nome = "empty line text", .linea = "", .errore_n = 25, .servizio = Servizio::kEliminato, .binari = false},
      {.nome = "route length 1000000 accepted",
       .linea = generale({"lunghezza percorso, 1000000"}),
       .verifica = [](const RunState& s) { EXPECT_EQ(s.n_celle, 20140); }},
      {.nome = "route length 1000001",
       .linea = generale({"lunghezza percorso, 1000001"}),
       .errore_n = 1,
       .servizio = Servizio::kResta,
       .binari = false,
       .verifica = [](const RunState& s) { EXPECT_EQ(s.servizio[84].fine, 1000001); }},
      {.nome = "negative route length",
       .linea = generale({"lunghezza percorso, -8000"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .binari = false},
      {.nome = "route length leaving one cell",
       .linea = generale({"lunghezza percorso, -6990"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .binari = false},
      {.nome = "a record before the route length",
       .linea = test::testo_di({"[generale]", "[curve]", "pendenza, 100, 1", "[fine]"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .binari = false},
      {.nome = "route length in any case, kilometre posts in exact case",
       .linea = generale({"Lunghezza Percorso, 10000", "Progressiva chilometrica uno, 0, 40000, 1"}),
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(s.n_celle, 340);
             for (int v : {81, 82, 83}) serie(s, v, 0, 0, 0);
           }},
      {.nome = "series uno alone, flag 1",
       .linea = generale({"lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 40000, 1"}),
       .verifica =
           [](const RunState& s) {
             serie(s, 81, 0, 40100, 1);
             serie(s, 82, 0, 0, 0);
             serie(s, 83, 0, 0, 0);
           }},
      {.nome = "two series sharing the largest start",
       .linea = generale({"lunghezza percorso, 10000", "progressiva chilometrica uno, 5000, 6000, 1",
                          "progressiva chilometrica due, 5000, 7000, 0", "progressiva chilometrica tre, 0, 0, 0"}),
       .verifica =
           [](const RunState& s) {
             for (int v : {81, 82, 83}) serie(s, v, 0, 0, 0);
           }},
      {.nome = "background values",
       .linea =
           generale({"lunghezza percorso, 10000", "sfondo uno, 7", "sfondo due, 8", "sfondo tre, 9", "Sfondo uno, 1"}),
       .verifica = [](const RunState& s) { serie(s, 85, 7, 9, 8); }},
      {.nome = "every keyword test that matches runs its action",
       .linea = generale({"lunghezza percorso, 10000", "sfondo uno e due, 5, 6"}),
       .verifica = [](const RunState& s) { serie(s, 85, 5, 0, 6); }},
      {.nome = "repetition start 25 is found before the end",
       .linea = generale({"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 25, 7"}),
       .errore_n = 3,
       .servizio = Servizio::kResta,
       .verifica = [](const RunState& s) { serie(s, 86, 25, 7, 0); }},
      {.nome = "repetition end off 50",
       .linea = generale({"lunghezza percorso, 10000", "ripetizione segnali 4 codici, 0, 70"}),
       .errore_n = 4,
       .servizio = Servizio::kResta},
      {.nome = "repetition naming neither 4 nor 9",
       .linea = generale({"lunghezza percorso, 10000", "ripetizione segnali codici, 0, 100"}),
       .errore_n = 5,
       .servizio = Servizio::kResta},
      {.nome = "repetition with 9 codes and end 0",
       .linea = generale({"lunghezza percorso, 10000", "ripetizione segnali 9 codici, 0, 0"}),
       .verifica = [](const RunState& s) { serie(s, 86, 0, 0, 0); }},
      {.nome = "repetition with 9 codes",
       .linea = generale({"lunghezza percorso, 10000", "ripetizione segnali 9 codici, 50, 900"}),
       .verifica = [](const RunState& s) { serie(s, 86, 50, 900, 9); }},
      {.nome = "ten comment fields skipped in the general section",
       .linea = generale([] {
         Righe r = ripeti(10, [](int) { return "-- lunghezza percorso --"; });
         r.push_back("lunghezza percorso, 10000");
         return r;
       }()),
       .verifica = [](const RunState& s) { EXPECT_EQ(s.n_celle, 340); }},
      {.nome = "the eleventh comment field is tested",
       .linea = generale([] {
         Righe r = ripeti(11, [](int) { return "-- lunghezza percorso --"; });
         r.push_back("lunghezza percorso, 10000");  // read as the number of the eleventh: 0
         return r;
       }()),
       .verifica = [](const RunState& s) { EXPECT_EQ(s.n_celle, 140); }},
      {.nome = "comments running past the end of the general section",
       .linea = test::testo_di({"[generale]", "lunghezza percorso, 10000", "- a", "- b"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato},
      {.nome = "curve class digit 7",
       .linea = linea({"curvas7, 100, 100"}),
       .errore_n = 103,
       .servizio = Servizio::kResta},
      {.nome = "plan past 1000000 points",
       .linea =
           test::testo_di({"[generale]", "lunghezza percorso, 1000000", "[curve]", "curvad1, 999950, 100", "[fine]"}),
       .errore_n = 103,
       .servizio = Servizio::kResta,
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(punto(s, 1000000, 0).tag, ValorePiano::kDoppio);
             EXPECT_TRUE(punto(s, 1000001, 0).vuoto());
           }},
      {.nome = "curvaS1 turns left",
       .linea = linea({"curvaS1, 100, 100"}),
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(punto(s, 100, 0).come_doppio(), 0.0);
             EXPECT_DOUBLE_EQ(punto(s, 101, 0).doppio(), -0.0001);
             EXPECT_DOUBLE_EQ(punto(s, 101, 1).doppio(), 101.0);
           }},
      {.nome = "curvad12 is class 1 to the right",
       .linea = linea({"curvad12, 100, 100"}),
       .verifica = [](const RunState& s) { EXPECT_DOUBLE_EQ(punto(s, 101, 0).doppio(), 0.0001); }},
      {.nome = "curve past the plan",
       .linea = linea({"curvad1, 100, 20000"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .verifica = [](const RunState& s) { EXPECT_EQ(punto(s, 17000, 0).tag, ValorePiano::kDoppio); }},
      {.nome = "gradient beyond the grid",
       .linea = linea({"pendenza, 500, 3", "pendenza, 20000, 5", "montagna, 1000, 2000, 1"}),
       .errore_n = 15,
       .errore_pos = 20000,
       .verifica =
           [](const RunState& s) {
             pendenze(s, 0, 9, 100);
             pendenze(s, 10, 337, 103);
             pendenze(s, 338, 340, 0);
             EXPECT_EQ(s.n_montagne, 0);
             EXPECT_EQ(cella(s, 20).montagna, 0);
             EXPECT_EQ(punto(s, 16998, 1).doppio(), 16998.0);
             EXPECT_TRUE(punto(s, 16999, 1).vuoto());
           }},
      {.nome = "two comment fields skipped in the record loop, the third tested",
       .linea = linea({"- a -", "- pendenza 1 -", "- pendenza 2 -", "500, 3"}),
       .verifica = [](const RunState& s) { pendenze(s, 10, 337, 103); }},
      {.nome = "two gradients at the same position",
       .linea = linea({"pendenza, 500, 3", "pendenza, 500, 7"}),
       .verifica =
           [](const RunState& s) {
             pendenze(s, 0, 9, 100);
             pendenze(s, 10, 10, 103);
             pendenze(s, 11, 337, 107);
           }},
      {.nome = "gradient cursor pushed past the grid",
       .linea = linea(ripeti(341, [](int) { return "pendenza, 100, 1"; })),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .verifica = [](const RunState& s) { EXPECT_EQ(cella(s, 340).pendenza, 101); }},
      {.nome = "gradient number above 32 bits",
       .linea = linea({"pendenza, 3000000000, 1"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato},
      {.nome = "tunnel type 12 starting 100 m after the previous",
       .linea = linea({"montagna, 1000, 2000, 1", "montagna, 2100, 3000, 12"}),
       .verifica =
           [](const RunState& s) {
             for (int i = 20; i <= 39; ++i) EXPECT_EQ(cella(s, i).montagna, 1) << i;
             for (int i = 20; i <= 39; ++i) EXPECT_EQ(cella(s, i).tipo, 0) << i;
             for (int i = 42; i <= 59; ++i) EXPECT_EQ(cella(s, i).montagna, 3) << i;
             for (int i = 42; i <= 59; ++i) EXPECT_EQ(cella(s, i).tipo, (i - 42) % 4 == 3 ? 11 : 0) << i;
             EXPECT_EQ(cella(s, 40).montagna, 0);
           }},
      {.nome = "tunnel past the grid",
       .linea = linea({"montagna, 1000, 30000, 1"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .verifica = [](const RunState& s) { EXPECT_EQ(cella(s, 340).montagna, 1); }},
      {.nome = "80 tunnels",
       .linea = linea(ripeti(80, montagna)),
       .verifica = [](const RunState& s) { EXPECT_EQ(s.montagne_inizio[80], 15800); }},
      {.nome = "81st tunnel", .linea = linea(ripeti(81, montagna)), .errore_n = 25, .servizio = Servizio::kEliminato},
      {.nome = "indication board on a tunnel marker",
       .linea = linea({"montagna, 1000, 2000, 11", "cartello_indicatore, 1100,  (a  )(b)(c)  "}),
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(cella(s, 23).tipo, 14);
             EXPECT_EQ(cella(s, 23).valore1, 80);
             EXPECT_EQ(s.servizio[80].testo, "(a  )(b)(c)  ");
           }},
      {.nome = "indication board on a speed-limit board",
       .linea = linea({kVmax1000, "cartello_indicatore, 1000, (a)(b)(c)"}),
       .errore_n = 6,
       .errore_pos = 1000,
       .servizio = Servizio::kResta},
      {.nome = "speed-limit board on an indication board",
       .linea = linea({"cartello_indicatore, 1000, (a)(b)(c)", kVmax1000}),
       .errore_n = 21,
       .errore_pos = 1000,
       .servizio = Servizio::kResta,
       .verifica = [](const RunState& s) { EXPECT_EQ(cella(s, 21).tipo, 14); }},
      {.nome = "speed-limit board at the last position the grid takes",
       .linea = linea({"indicatori_vmax, 16900, 0, 0, 0, 0, 5, 10, 15, 0"}),
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(cella(s, 339).tipo, 6);
             EXPECT_EQ(cella(s, 339).valore3, 3);
           }},
      {.nome = "speed-limit board beyond the grid",
       .linea = linea({"indicatori_vmax, 16901, 0, 0, 0, 0, 5, 10, 15, 0"}),
       .errore_n = 15,
       .errore_pos = 16901},
      {.nome = "stripes beyond 16 bits",
       .linea = linea({"indicatori_vmax, 1000, 1, 1, 1, 40000, 1, 1, 1, 0"}),
       .errore_n = 25,
       .servizio = Servizio::kEliminato},
      {.nome = "80 indication boards",
       .linea = linea(ripeti(80, cartello)),
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(s.servizio[1].testo, "(t79)");
             EXPECT_EQ(cella(s, 161).valore1, 1);
           }},
      {.nome = "81st indication board",
       .linea = linea(ripeti(81, cartello)),
       .errore_n = 25,
       .servizio = Servizio::kEliminato,
       .verifica =
           [](const RunState& s) {
             EXPECT_EQ(s.servizio[0].testo, "");
             EXPECT_EQ(cella(s, 163).tipo, 0);
           }},
  };
  return c;
}

TEST(LineErrors, EveryErrorAndItsEdges) {
  const std::string nome_linea = nome_testo_linea(kPercorsoNome);
  const std::string nome_servizio = nome_testo_servizio(kPercorsoNome, kTrenoNome);
  const std::string binari[] = {nome_piano(kPercorsoNome), nome_tabella(kPercorsoNome, kTrenoNome),
                                nome_griglia(kPercorsoNome, kTrenoNome)};
  for (const Caso& c : casi()) {
    SCOPED_TRACE(c.nome);
    MemoryFolder folder;
    if (c.linea) {
      test::metti_testi(folder, *c.linea);
    } else {
      folder.files()[nome_servizio] = test::servizio_vuoto();
    }
    for (const std::string& b : binari) folder.files()[b] = "vecchio";
    RunState s = test::stato_scenario();
    s.errori = ErrorLog(kPosPrima);

    EsitoCompilazione esito = memorizza_percorso(s, folder, 1);

    EXPECT_EQ(s.errori.errore_n(), c.errore_n);
    EXPECT_EQ(s.errori.errore_pos(), c.errore_pos);
    EXPECT_FALSE(folder.exists(nome_linea));
    if (c.servizio != Servizio::kQualsiasi) {
      EXPECT_EQ(folder.exists(nome_servizio), c.servizio == Servizio::kResta);
    }
    if (c.binari) {
      EXPECT_EQ(esito.fine, EsitoCompilazione::kScritto);
      EXPECT_EQ(folder.read(binari[2]).size(), 15 * (size_t(s.n_celle) + 1));
    } else {
      EXPECT_EQ(esito.fine, EsitoCompilazione::kSenzaGriglia);
      EXPECT_EQ(esito.numero_riquadro, c.errore_n);
      for (const std::string& b : binari) EXPECT_EQ(folder.read(b), "vecchio") << b;
    }
    EXPECT_EQ(folder.files().size(), 3u + (folder.exists(nome_servizio) ? 1 : 0)) << "a scratch file is left";
    if (c.verifica) c.verifica(s);
  }
}

}  // namespace
}  // namespace scenario
