#include "tools/init_command.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "io/disk_folder.h"
#include "io/text_writer.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "tools/compile_texts.h"

namespace scenario::tools {
namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 64;

std::string composed(const std::vector<std::string_view>& lines, const std::string& encoding) {
  return encoding == "utf-8" ? componi_testo_utf8(lines) : componi_testo(lines);
}

// `word` as one word of a POSIX shell command: as it is when it holds only
// characters no shell reads specially, else in single quotes.
std::string shell_word(const std::string& word) {
  const bool plain = !word.empty() && word.find_first_not_of(
                                          "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                          "0123456789_-./:=+,@") == std::string::npos;
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// How a file of the folder is named to the author: as given, under the folder as typed.
std::string shown_path(const std::string& folder, const std::string& name) {
  return folder == "." ? name : (std::filesystem::path(folder) / name).string();
}

}  // namespace

std::string init_line_text(const std::string& encoding) { return composed(righe_linea(), encoding); }
std::string init_service_text(const std::string& encoding) { return composed(righe_treno(), encoding); }

int run_init(const InitRequest& request, std::ostream& out, std::ostream& err) {
  const std::string line_name = nome_testo_linea(request.route);
  const std::string service_name = nome_testo_servizio(request.route, request.train);
  try {
    compiler_name(request.route, "route");
    compiler_name(request.train, "train");
  } catch (const RequestError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return kUsage;
  }
  if (service_name.size() > 255) {
    err << "scenario-tool: the route and train names make the file name '" << service_name
        << "' longer than 255 bytes\n";
    return kUsage;
  }

  const std::filesystem::path folder(request.folder);
  switch (folder_state(folder)) {
    case FolderState::kNotAFolder: err << "scenario-tool: '" << request.folder << "' is not a folder\n"; return kUsage;
    case FolderState::kMissing: {
      std::error_code ec;
      if (!std::filesystem::create_directory(folder, ec) && ec) {
        err << "scenario-tool: cannot make the folder '" << request.folder << "': " << ec.message() << "\n";
        return kFailure;
      }
      break;
    }
    default: break;  // a folder that cannot be written fails at its first file, with the system's reason
  }

  DiskFolder disk(folder);
  bool taken = false;
  for (const std::string& name : {line_name, service_name}) {
    if (!disk.exists(name)) continue;
    err << "scenario-tool: '" << shown_path(request.folder, name) << "' already exists; init never replaces a file\n";
    taken = true;
  }
  if (taken) {
    err << "scenario-tool: nothing written: move those files away, or give init another folder\n";
    return kFailure;
  }

  const std::string line = init_line_text(request.encoding);
  const std::string service = init_service_text(request.encoding);
  try {
    create_files(disk, {{line_name, [&](const ByteSink& sink) { sink(line); }},
                        {service_name, [&](const ByteSink& sink) { sink(service); }}});
  } catch (const FolderError& e) {
    err << "scenario-tool: " << e.what() << " (nothing written)\n";
    return kFailure;
  }

  const std::string line_path = shown_path(request.folder, line_name);
  const std::string service_path = shown_path(request.folder, service_name);
  out << "Wrote the built-in scenario's texts (" << (request.encoding == "utf-8" ? "UTF-8" : "Windows-1252")
      << ") to start from:\n"
      << "  line text:    " << line_path << "\n"
      << "  service text: " << service_path << "\n"
      << "Edit them (format.md describes every record), then compile them:\n"
      << "  scenario-tool compile " << shell_word(line_path) << " " << shell_word(service_path);
  if (request.route != kPercorsoNome) out << " --route " << shell_word(request.route);
  if (request.train != kTrenoNome) out << " --train " << shell_word(request.train);
  if (request.folder != ".") out << " -o " << shell_word(request.folder);
  out << "\n";
  return 0;
}

}  // namespace scenario::tools
