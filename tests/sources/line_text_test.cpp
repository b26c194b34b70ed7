#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <vector>

#include "io/file_names.h"
#include "io/memory_folder.h"
#include "io/text_writer.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "support/temp_folder.h"
#include "support/texts.h"

namespace scenario {
namespace {

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  size_t da = 0;
  for (size_t a; (a = testo.find("\r\n", da)) != std::string::npos; da = a + 2)
    righe.push_back(testo.substr(da, a - da));
  EXPECT_EQ(da, testo.size()) << "the text does not end with CR LF";
  return righe;
}

TEST(LineText, SeventyTwoWindows1252LinesReplacingAnOlderFile) {
  MemoryFolder folder;
  const std::string nome = nome_testo_linea(kPercorsoNome);
  folder.files()[nome] = std::string(50000, 'x');
  dati_linea(test::stato_scenario(), folder);
  ASSERT_EQ(test::nomi(folder), std::vector<std::string>{nome});
  const std::string testo = folder.read(nome);
  EXPECT_EQ(testo.find('\n'), testo.find("\r\n") + 1);
  std::vector<std::string> righe = righe_di(testo);
  ASSERT_EQ(righe.size(), 72u);
  EXPECT_EQ(righe[0], "[generale]");
  EXPECT_EQ(righe[1], "lunghezza percorso,    73500");
  EXPECT_EQ(righe[63], "cartello_indicatore,  23700,   (Bivio alta      )(velocit\xE0        )(Valmora-Fornella)");
  EXPECT_EQ(righe[71], "[fine]");
  size_t alti = 0;
  for (char c : testo) alti += static_cast<unsigned char>(c) >= 0x80;
  EXPECT_EQ(alti, 1u);  // the one accented letter, as a single byte
}

// Composed when the test is built: accented letters and the euro sign become
// single bytes, and the text stops at the end mark as at run time.
constexpr std::string_view kRigheProva[] = {"però è", "5 €", "", kFineTesto, "dopo"};
static_assert(testo_cp1252<kRigheProva>() == "per\xF2 \xE8\r\n5 \x80\r\n\r\n");

TEST(TextWriter, BuildTimeBytesAreTheRunTimeBytes) {
  const std::vector<std::string_view> righe(std::begin(kRigheProva), std::end(kRigheProva));
  EXPECT_EQ(componi_testo(righe), testo_cp1252<kRigheProva>());
}

TEST(TextWriter, StopsAtTheEndMark) {
  EXPECT_EQ(componi_testo({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(componi_testo({"a", std::string_view(kFineTesto), "b"}), "a\r\n");
  EXPECT_EQ(componi_testo({}), "");
}

TEST(TextWriter, HoldsAThousandLinesAndRefusesOneMore) {
  std::vector<std::string_view> righe(1000, "x");
  std::string testo = componi_testo(righe);
  EXPECT_EQ(testo.size(), 3000u);
  EXPECT_EQ(testo.substr(testo.size() - 3), "x\r\n");
  righe.push_back("x");
  EXPECT_THROW(componi_testo(righe), std::length_error);
}

}  // namespace
}  // namespace scenario
