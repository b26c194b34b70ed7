#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/numbers.h"

namespace scenario {
namespace {

// Reads `testo` with one read per letter of `letture` (T text, L 32-bit
// number, I 16-bit number) and answers what each read gave, "guasto" for a
// fault (which ends the reading), and "fine" when the text is used up.
std::vector<std::string> leggi(const std::string& testo, const std::string& letture) {
  LettoreCampi r(testo);
  std::vector<std::string> esito;
  try {
    for (char l : letture) {
      if (l == 'T') esito.push_back("[" + r.leggi_testo() + "]");
      if (l == 'L') esito.push_back(std::to_string(r.leggi_long()));
      if (l == 'I') esito.push_back(std::to_string(r.leggi_integer()));
    }
  } catch (const GuastoEsecuzione&) {
    esito.push_back("guasto");
    return esito;
  }
  if (r.alla_fine()) esito.push_back("fine");
  return esito;
}

TEST(FieldReader, ReadingRules) {
  using V = std::vector<std::string>;
  const struct {
    const char* nome;
    std::string testo;
    std::string letture;
    V atteso;
  } casi[] = {
      {"blanks before a field are skipped", "   lunghezza percorso,    73500\r\n", "TL",
       V{"[lunghezza percorso]", "73500", "fine"}},
      {"blanks before a comma", "3100 , 2", "LL", V{"3100", "2", "fine"}},
      {"CR LF, lone CR and lone LF each end one line", "a\r\nb\rc\nd\r\n", "TTTT",
       V{"[a]", "[b]", "[c]", "[d]", "fine"}},
      {"an empty line is an empty field", "a\r\n\r\nb", "TTT", V{"[a]", "[]", "[b]", "fine"}},
      {"text keeps inner and trailing blanks", "k,   (Bivio  alta )( x )  \r\n", "TT",
       V{"[k]", "[(Bivio  alta )( x )  ]", "fine"}},
      {"a tab is a blank", "\tx\t,\t7\t,y", "TLT", V{"[x\t]", "7", "[y]", "fine"}},
      {"a field with no digits reads 0", "abbattimento,   AC\r\n", "TL", V{"[abbattimento]", "0", "fine"}},
      {"sign", "-6, -0, -", "LLL", V{"-6", "0", "0", "fine"}},
      {"what follows the digits is ignored", "12abc, 3x4", "LL", V{"12", "3", "fine"}},
      {"a number ends at a blank", "orologio, 2   37  30 \r\n", "TLLL", V{"[orologio]", "2", "37", "30", "fine"}},
      {"a number reads the next line after a line end", "5\r\nsegnale", "LT", V{"5", "[segnale]", "fine"}},
      {"32-bit limits", "2147483647,-2147483648", "LL", V{"2147483647", "-2147483648", "fine"}},
      {"above 32 bits", "2147483648", "L", V{"guasto"}},
      {"below 32 bits", "-2147483649", "L", V{"guasto"}},
      {"far above 64 bits", "99999999999999999999999", "L", V{"guasto"}},
      {"16-bit limits", "32767, -32768, 32768", "III", V{"32767", "-32768", "guasto"}},
      {"the end comes right after [fine] and its line end", "x\r\n[fine]\r\n", "TT", V{"[x]", "[[fine]]", "fine"}},
      {"a number read with nothing left", "5\r\n", "LL", V{"5", "guasto"}},
      {"a text read with nothing left", "", "T", V{"guasto"}},
      {"blanks are something left to read", "5,   ", "LL", V{"5", "0", "fine"}},
  };
  for (const auto& c : casi) EXPECT_EQ(leggi(c.testo, c.letture), c.atteso) << c.nome;
}

TEST(FieldReader, KeywordContainment) {
  EXPECT_TRUE(contiene("Lunghezza PERCORSO", "percorso"));
  EXPECT_TRUE(contiene("curvaS1", "s"));
  EXPECT_FALSE(contiene("curvad1", "s"));
  EXPECT_TRUE(contiene("[Generale]", "[generale]"));
  EXPECT_FALSE(contiene("velocit\xC0", "velocit\xE0"));  // folding is ASCII only
  EXPECT_TRUE(contiene_esatto("progressiva chilometrica uno", "progressiva"));
  EXPECT_FALSE(contiene_esatto("Progressiva chilometrica uno", "progressiva"));
  EXPECT_FALSE(contiene("", "x"));
}

// Every byte against a letter, a capital and a sign as the first character
// sought, and as a later one: only the letter itself, in either case, or the
// sign itself matches.
TEST(FieldReader, KeywordContainmentFoldsOnlyAsciiLetters) {
  for (const char* cercato : {"a", "Z", "[", "@", "`", "{"}) {
    const char c = cercato[0];
    const char piccola = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    const bool lettera = piccola >= 'a' && piccola <= 'z';
    for (int b = 0; b < 256; ++b) {
      const char x = char(b);
      const bool atteso = x == c || (lettera && (x == piccola || x == char(piccola - 32)));
      EXPECT_EQ(contiene(std::string(1, x), cercato), atteso) << cercato << " in byte " << b;
      EXPECT_EQ(contiene(std::string("q") + x, std::string("q") + cercato), atteso)
          << cercato << " after q, byte " << b;
    }
  }
}

}  // namespace
}  // namespace scenario
