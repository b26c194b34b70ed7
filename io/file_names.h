#pragma once
// Names of every file of a run, formed from the route and train names.

#include <string>

namespace scenario {

class Folder;

inline std::string nome_testo_linea(const std::string& percorso) { return percorso + "_linea.txt"; }
inline std::string nome_testo_servizio(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + "-.txt";
}
inline std::string nome_note(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + "_" + "note.txt";
}
inline std::string nome_rallentamenti(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + "_" + "rallentamenti.txt";
}
inline std::string nome_scheda(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + "_" + "scheda_treno.txt";
}
inline std::string nome_piano(const std::string& percorso) { return percorso + "_linea.dat"; }
inline std::string nome_tabella(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + ".sim";
}
inline std::string nome_griglia(const std::string& percorso, const std::string& treno) {
  return percorso + "_" + treno + ".dat";
}

// The description texts live only within a run. After a failure this removes
// whichever of the two is left; one that cannot be removed stays, as the
// failure already reported is the one that matters.
void elimina_testi_descrizione(Folder& folder, const std::string& percorso, const std::string& treno);

}  // namespace scenario
