#include <gtest/gtest.h>

#include "compiler/line_parser.h"
#include "model/access.h"

namespace scenario {
namespace {

Voce serie(int32_t inizio, int32_t fine, int32_t posizione) {
  Voce v;
  v.inizio = inizio;
  v.fine = fine;
  v.posizione = posizione;
  return v;
}

// Orders three kilometre-post series given as (start, end) for "tre", "due"
// and "uno", each tagged by its third number (7, 8, 9), and answers the
// series left in entries 81, 82, 83 as letters, "-" for an emptied entry.
std::string ordina(int32_t t, int32_t tf, int32_t d, int32_t df, int32_t u, int32_t uf) {
  RunState s;
  s.servizio[81] = serie(t, tf, 7);
  s.servizio[82] = serie(d, df, 8);
  s.servizio[83] = serie(u, uf, 9);
  progressive_ordina(s);
  std::string esito;
  for (int v = 81; v <= 83; ++v) {
    const Voce& x = s.servizio[size_t(v)];
    if (x.posizione == 0 && x.inizio == 0 && x.fine == 0) esito += '-';
    if (x.posizione != 0) esito += "TDU"[x.posizione - 7];
  }
  return esito;
}

TEST(KilometrePosts, OrderingRules) {
  const struct {
    const char* nome;
    int32_t t, tf, d, df, u, uf;
    const char* atteso;
  } casi[] = {
      {"tre largest, due above uno", 3000, 1, 2000, 1, 1000, 1, "TDU"},
      {"tre largest, due and uno equal", 3000, 1, 1000, 1, 1000, 1, "TUD"},
      {"due largest, tre above uno", 2000, 1, 3000, 1, 1000, 1, "DTU"},
      {"due largest, tre and uno equal", 1000, 1, 3000, 1, 1000, 1, "DUT"},
      {"uno largest, tre above due", 2000, 1, 1000, 1, 3000, 1, "UTD"},
      {"uno largest, tre and due equal", 1000, 1, 1000, 1, 3000, 1, "UDT"},
      {"two share the largest start", 0, 0, 5000, 1, 5000, 1, "---"},
      {"all three share it", 5000, 1, 5000, 1, 5000, 1, "---"},
      {"all start at 0, no end above 0", 0, 0, 0, 0, 0, 0, "---"},
      {"all start at 0, only tre ends above 0", 0, 100, 0, 0, 0, 0, "TDU"},
      {"all start at 0, only due ends above 0", 0, 0, 0, 100, 0, 0, "DTU"},
      {"all start at 0, only uno ends above 0", 0, 0, 0, 0, 0, 100, "UDT"},
      {"all start at 0, tre and due end above 0", 0, 100, 0, 100, 0, 0, "DTU"},
      {"all start at 0, all end above 0", 0, 100, 0, 100, 0, 100, "UDT"},
      {"starts summing to 0 are ordered as all at 0", 500, 0, -500, 100, 0, 0, "DTU"},
  };
  for (const auto& c : casi) EXPECT_EQ(ordina(c.t, c.tf, c.d, c.df, c.u, c.uf), c.atteso) << c.nome;
}

TEST(KilometrePosts, FlagOneRaisesTheEndAfterOrdering) {
  RunState s;
  s.servizio[81] = serie(1000, 2000, 1);
  s.servizio[83] = serie(3000, 4000, 0);
  progressive_ordina(s);
  EXPECT_EQ(s.servizio[81].fine, 4000);  // "uno" moved first, flag 0
  EXPECT_EQ(s.servizio[82].fine, 2100);  // "tre" after it, flag 1
  EXPECT_EQ(s.servizio[83].fine, 0);
}

TEST(SpeedLimitBoard, ValuesAndTheirLimits) {
  RunState s;
  dimensiona(s, 1000);
  IndicatoriVMax t{.posizione = 500,
                   .vas = 1,
                   .vbs = 0,
                   .vcs = 1638,
                   .strisces = 3277,
                   .vad = 13,
                   .vbd = 12,
                   .vcd = 0,
                   .strisced = 1};
  memo_indicatori_v_max(s, t);
  const Cella& c = s.celle[11];
  EXPECT_EQ(c.tipo, 6);
  EXPECT_EQ(c.valore1, 23);      // 13 / 5 = 2.6 rounds to 3, plus 20
  EXPECT_EQ(c.valore2, 2);       // 12 / 5 = 2.4 rounds to 2
  EXPECT_EQ(c.valore3, 32760);   // 1638 x 20 still fits 16 bits
  EXPECT_EQ(c.valore4, -32765);  // 32771 keeps its low 16 bits
  EXPECT_EQ(s.errori.errore_n(), 0);

  t.posizione = 1000;
  t.vcs = 1639;  // 32780 does not fit the member
  EXPECT_THROW(memo_indicatori_v_max(s, t), GuastoEsecuzione);
  EXPECT_EQ(s.celle[21].tipo, 6);  // the kind is stored before the values
}

}  // namespace
}  // namespace scenario
