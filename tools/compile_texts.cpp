#include "tools/compile_texts.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/compile.h"
#include "io/disk_folder.h"
#include "io/memory_folder.h"
#include "model/cp1252.h"

namespace scenario::tools {
namespace {

// The whole file, or nothing when the path does not exist.
std::optional<std::string> read_input(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return std::nullopt;
  if (std::filesystem::is_directory(path, ec)) throw RequestError("cannot read '" + path + "': it is a folder");
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) throw RequestError("cannot read '" + path + "'");
  return bytes.str();
}

// The name as the compiler holds it: Windows-1252 bytes, usable in a file name.
std::string model_name(const std::string& utf8, const char* what) {
  if (utf8.find('/') != std::string::npos || utf8.find('\0') != std::string::npos)
    throw RequestError(std::string("the ") + what + " name '" + utf8 + "' cannot be part of a file name");
  try {
    return utf8_a_cp1252(utf8);
  } catch (const std::invalid_argument&) {
    throw RequestError(std::string("the ") + what + " name '" + utf8 + "' has a character outside Windows-1252");
  }
}

struct OutputName {
  std::string in_memory;  // formed from the Windows-1252 names, as the compiler does
  std::string on_disk;    // formed from the names as typed
};

std::vector<OutputName> output_names(const RunState& s, const CompileRequest& r) {
  return {{nome_piano(s.percorso_nome), nome_piano(r.route)},
          {nome_tabella(s.percorso_nome, s.treno_nome), nome_tabella(r.route, r.train)},
          {nome_griglia(s.percorso_nome, s.treno_nome), nome_griglia(r.route, r.train)}};
}

// Copies the binary files the compile produced into the output folder, in the
// order the program writes them, each replaced whole.
void write_outputs(CompileOutcome& outcome, MemoryFolder& memory, const CompileRequest& request) {
  DiskFolder disk(request.output_dir);
  try {
    for (const OutputName& name : output_names(outcome.state, request)) {
      if (!memory.exists(name.in_memory)) continue;
      replace_file(disk, name.on_disk, memory.read(name.in_memory));
      outcome.written.push_back(name.on_disk);
    }
  } catch (const FolderError& e) {
    outcome.fatal = Fatal::kWriteFailed;
    outcome.write_error = e.what();
  }
}

}  // namespace

CompileOutcome compile_texts(const CompileRequest& request) {
  CompileOutcome outcome;
  RunState& s = outcome.state;
  s.percorso_nome = model_name(request.route, "route");
  s.treno_nome = model_name(request.train, "train");
  outcome.line_text = read_input(request.line_path);
  outcome.service_text = read_input(request.service_path);

  MemoryFolder memory;
  if (outcome.line_text) memory.files()[nome_testo_linea(s.percorso_nome)] = *outcome.line_text;
  if (outcome.service_text)
    memory.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = *outcome.service_text;

  EsitoCompilazione esito = memorizza_percorso(s, memory, request.plan ? 1 : 0);
  if (esito.fine == EsitoCompilazione::kSenzaGriglia) {
    outcome.fatal = Fatal::kNoGrid;
  } else if (esito.fine == EsitoCompilazione::kSlotOccupato) {
    outcome.fatal = Fatal::kSlotTaken;
    outcome.slot_number = esito.numero_riquadro;
  } else {
    write_outputs(outcome, memory, request);
  }
  return outcome;
}

int exit_status(const CompileOutcome& outcome) {
  if (outcome.fatal != Fatal::kNone) return 1;
  return outcome.state.registro.empty() ? 0 : 2;
}

}  // namespace scenario::tools
