#include "support/texts.h"

#include "io/file_names.h"
#include "sources/built_in_names.h"

namespace scenario::test {

std::string testo_di(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& r : righe) testo += r + "\r\n";
  return testo;
}

std::string testo_linea(int32_t lunghezza, const std::vector<std::string>& record, const std::string& sezione) {
  std::vector<std::string> righe = {"[generale]", "lunghezza percorso, " + std::to_string(lunghezza), sezione};
  righe.insert(righe.end(), record.begin(), record.end());
  righe.push_back("[fine]");
  return testo_di(righe);
}

std::string testo_servizio(const std::vector<std::string>& record) {
  std::vector<std::string> righe = {"[generale]"};
  righe.insert(righe.end(), record.begin(), record.end());
  righe.push_back("[fine]");
  return testo_di(righe);
}

RunState stato_scenario() {
  RunState s;
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  return s;
}

std::string servizio_vuoto() { return testo_servizio({}); }

void metti_testi(MemoryFolder& folder, const std::string& linea) {
  folder.files()[nome_testo_linea(kPercorsoNome)] = linea;
  folder.files()[nome_testo_servizio(kPercorsoNome, kTrenoNome)] = servizio_vuoto();
}

}  // namespace scenario::test
