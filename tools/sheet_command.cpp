#include "tools/sheet_command.h"

#include <filesystem>
#include <functional>
#include <optional>

#include "io/disk_folder.h"
#include "io/file_names.h"
#include "model/cp1252.h"
#include "tools/binary_readers.h"
#include "tools/route_sheet.h"

namespace scenario::tools {
namespace {

// Reads one file of the scenario into the model; a damaged file names the
// offset where it stopped making sense.
template <typename Reader>
bool read_part(DiskFolder& folder, const std::string& name, Reader reader, std::ostream& err) {
  try {
    reader(folder.read(name));
    return true;
  } catch (const FolderError& e) {
    err << "scenario-tool: " << e.what() << "\n";
  } catch (const DecodeError& e) {
    err << "scenario-tool: " << name << ": " << e.what() << "\n";
  }
  return false;
}

// Reads the three files of the scenario from `folder` into `s`.
bool read_scenario(const SheetRequest& request, RunState& s, std::ostream& err) {
  DiskFolder in(request.folder);
  const std::string grid = nome_griglia(request.route, request.train);
  const std::string table = nome_tabella(request.route, request.train);
  const std::string plan = nome_piano(request.route);
  if (!read_part(
          in, grid, [&](const std::string& b) { s.celle = read_grid_file(b); }, err))
    return false;
  if (!read_part(
          in, table, [&](const std::string& b) { s.servizio = read_table_file(b); }, err))
    return false;
  if (in.exists(plan) && !read_part(
                             in, plan, [&](const std::string& b) { s.planimetria = read_plan_file(b); }, err))
    return false;
  s.n_celle = static_cast<int32_t>(s.celle.size()) - 1;
  return true;
}

// What a run waiting for the lock of `dir` says on `err`.
std::function<void()> waiting_note(const std::filesystem::path& dir, std::ostream& err) {
  return [dir, &err] { err << "scenario-tool: waiting for another run writing into '" << dir.string() << "'\n"; };
}

}  // namespace

int run_sheet(const SheetRequest& request, std::ostream& err) {
  RunState s;
  try {
    s.percorso_nome = utf8_a_cp1252(request.route);
    s.treno_nome = utf8_a_cp1252(request.train);
  } catch (const std::invalid_argument& e) {
    err << "scenario-tool: route or train name: " << e.what() << "\n";
    return 1;
  }
  const std::filesystem::path out(request.output);
  const std::filesystem::path out_dir = out.has_parent_path() ? out.parent_path() : std::filesystem::path(".");
  std::error_code ec;
  const bool one_folder = std::filesystem::equivalent(request.folder, out_dir, ec);
  try {
    // The files are read while no compile writes into their folder, so they
    // are one set; the sheet is written while no other run writes into its
    // folder. One lock at a time, so two sheets crossing folders cannot
    // wait for each other.
    std::optional<FolderLock> lock;
    lock.emplace(request.folder, request.wait, waiting_note(request.folder, err));
    if (!read_scenario(request, s, err)) return 1;
    if (!one_folder) {
      lock.reset();
      lock.emplace(out_dir, request.wait, waiting_note(out_dir, err));
    }
    DiskFolder out_folder(out_dir);
    replace_file(out_folder, out.filename().string(), disegna_foglio(s));
  } catch (const FolderError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace scenario::tools
