#include "support/service_fixtures.h"

#include "compiler/compile.h"
#include "io/file_names.h"
#include "io/text_writer.h"
#include "model/access.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"

namespace scenario::test {

std::vector<std::string> cartelli(int n) {
  std::vector<std::string> out;
  for (int k = 0; k < n; ++k)
    out.push_back("cartello_indicatore, " + std::to_string(1000 + 100 * k) + ", (board " + std::to_string(k) + ")");
  return out;
}

std::string stazione(int32_t posizione, int tipo, int32_t lunghezza, const std::string& nome, int campo6) {
  return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " + std::to_string(lunghezza) +
         ", 0, 0, " + std::to_string(campo6) + ", 0,0,0, 0,0,0, 0, 0, 0, 0, " + nome;
}

bool Compilato::resta_linea() { return folder.exists(nome_testo_linea(s.percorso_nome)); }
bool Compilato::resta_servizio() { return folder.exists(nome_testo_servizio(s.percorso_nome, s.treno_nome)); }

namespace {

std::unique_ptr<Compilato> prepara(const std::string& linea, const std::optional<std::string>& servizio) {
  auto c = std::make_unique<Compilato>();
  c->s.percorso_nome = kPercorsoNome;
  c->s.treno_nome = kTrenoNome;
  c->s.errori = ErrorLog(kPosizioneIntatta);
  c->folder.files()[nome_testo_linea(kPercorsoNome)] = linea;
  if (servizio) c->folder.files()[nome_testo_servizio(kPercorsoNome, kTrenoNome)] = *servizio;
  return c;
}

std::string testo_di(const std::vector<std::string_view>& righe) { return componi_testo(righe); }

}  // namespace

std::unique_ptr<Compilato> compila(const std::string& linea, const std::optional<std::string>& servizio) {
  auto c = prepara(linea, servizio);
  memorizza_percorso(c->s, c->folder, 1);
  return c;
}

std::unique_ptr<Compilato> leggi(const std::string& linea, const std::string& servizio) {
  auto c = prepara(linea, servizio);
  c->s.genera_linea = false;
  svuota_servizio(c->s);
  memorizza_dati(c->s, c->folder);
  return c;
}

std::unique_ptr<Compilato> leggi_scenario() { return leggi(testo_di(righe_linea()), testo_di(righe_treno())); }

}  // namespace scenario::test
