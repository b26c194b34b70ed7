// The error catalogue: each row whole, the numbers in order and each name
// once, and every error a record of the texts can raise is a row of it.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compiler/text_records.h"
#include "model/errors.h"

namespace scenario {
namespace {

TEST(CatalogoErrori, EveryRowIsWholeAndInOrder) {
  std::set<std::string> nomi;
  int32_t precedente = 0;
  for (const RigaErrore& r : catalogo_errori()) {
    SCOPED_TRACE(r.numero());
    EXPECT_GT(r.numero(), precedente);
    precedente = r.numero();
    EXPECT_TRUE(nomi.insert(r.nome).second) << r.nome;
    EXPECT_FALSE(std::string(r.significato).empty());
    EXPECT_NE(std::string(r.significato).back(), '.') << "meanings are phrases, printed after a colon";
    EXPECT_EQ(riga_errore(r.numero()), &r);
    EXPECT_EQ(significato_errore(r.numero()), r.significato);
  }
}

TEST(CatalogoErrori, UnknownNumbersHaveNoRow) {
  for (int32_t n : {0, 14, 23, 26, 100, 104, 1249, 1252, -1}) {
    EXPECT_EQ(riga_errore(n), nullptr) << n;
    EXPECT_TRUE(significato_errore(n).empty()) << n;
  }
}

TEST(CatalogoErrori, EveryErrorARecordNamesIsARow) {
  auto nel_catalogo = [](int16_t n) { return n == 0 || riga_errore(n) != nullptr; };
  for (const RecordTesto& r : record_testi()) {
    for (int16_t n : r.errori) EXPECT_TRUE(nel_catalogo(n)) << r.nome << ": " << n;
    for (const CampoRecord& c : r.campi) {
      for (int16_t n : c.errori) EXPECT_TRUE(nel_catalogo(n)) << r.nome << "." << c.nome << ": " << n;
      EXPECT_TRUE(nel_catalogo(c.errore_multiplo)) << r.nome << "." << c.nome;
    }
  }
}

}  // namespace
}  // namespace scenario
