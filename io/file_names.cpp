#include "io/file_names.h"

#include "io/folder.h"

namespace scenario {

void elimina_testi_descrizione(Folder& folder, const std::string& percorso, const std::string& treno) {
  for (const std::string& nome : {nome_testo_linea(percorso), nome_testo_servizio(percorso, treno)}) {
    try {
      if (folder.exists(nome)) folder.remove(nome);
    } catch (const FolderError&) {
    }
  }
}

}  // namespace scenario
