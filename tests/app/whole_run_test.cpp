// The built executable, copied alone into an empty folder and run there twice.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <set>

#include "io/file_names.h"
#include "sources/built_in_names.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

struct Esecuzione {
  int stato;
  std::string uscita, errori;
};

// Runs the copy from another working folder, so that only /proc/self/exe can lead it to its own.
Esecuzione esegui_copia(const fs::path& exe, const test::TempFolder& log) {
  std::string comando = "cd / && '" + exe.string() + "' >'" + (log.path() / "out").string() + "' 2>'" +
                        (log.path() / "err").string() + "'";
  int r = std::system(comando.c_str());
  return {WIFEXITED(r) ? WEXITSTATUS(r) : -1, log.read("out"), log.read("err")};
}

std::map<std::string, std::string> contenuto(const test::TempFolder& dir) {
  std::map<std::string, std::string> file;
  for (const auto& e : fs::directory_iterator(dir.path())) {
    std::string nome = e.path().filename().string();
    file[nome] = dir.read(nome);
  }
  return file;
}

TEST(WholeRun, WritesBesideTheExecutableAndRepeatsItself) {
  test::TempFolder dir, log;
  const fs::path exe = dir.path() / "scenario";
  fs::copy_file(SCENARIO_EXE, exe);
  const std::string griglia = nome_griglia(kPercorsoNome, kTrenoNome);
  const std::string piano = nome_piano(kPercorsoNome);
  const std::string tabella = nome_tabella(kPercorsoNome, kTrenoNome);
  dir.write(griglia, std::string(100000, 'x'));  // an older, larger file

  Esecuzione prima = esegui_copia(exe, log);
  EXPECT_EQ(prima.stato, 0);
  EXPECT_EQ(prima.uscita, "Attendere\n");
  EXPECT_EQ(prima.errori, "");

  std::map<std::string, std::string> dopo = contenuto(dir);
  EXPECT_EQ(dopo[griglia].size(), 24165u);
  EXPECT_EQ(dopo[piano].size(), 1609964u);
  EXPECT_EQ(dopo[tabella].substr(0, 34), std::string(34, '\0'));
  EXPECT_EQ(dopo.count(nome_testo_linea(kPercorsoNome)), 0u);
  // Exactly the program, the three crew documents and the three binary files:
  // both description texts are gone and no scratch file is left.
  std::set<std::string> presenti;
  for (const auto& [nome, bytes] : dopo) presenti.insert(nome);
  const std::set<std::string> attesi = {"scenario",
                                        piano,
                                        tabella,
                                        griglia,
                                        nome_note(kPercorsoNome, kTrenoNome),
                                        nome_rallentamenti(kPercorsoNome, kTrenoNome),
                                        nome_scheda(kPercorsoNome, kTrenoNome)};
  EXPECT_EQ(presenti, attesi);

  Esecuzione seconda = esegui_copia(exe, log);
  EXPECT_EQ(seconda.stato, 0);
  std::map<std::string, std::string> ancora = contenuto(dir);
  ASSERT_EQ(ancora.size(), dopo.size());
  for (const auto& [nome, bytes] : dopo) EXPECT_TRUE(ancora[nome] == bytes) << nome << " differs";
}

}  // namespace
}  // namespace scenario
