#include "io/folder.h"

namespace scenario {

FolderError::FolderError(std::string operation, std::string file, std::string reason)
    : std::runtime_error("cannot " + operation + " '" + file + "': " + reason),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

std::string scratch_name(const std::string& name) { return "." + name + ".part"; }

void replace_file(Folder& folder, const std::string& name, std::string_view bytes) {
  const std::string scratch = scratch_name(name);
  try {
    folder.create(scratch);
    folder.write(scratch, bytes);
    folder.flush(scratch);
    folder.rename(scratch, name);
  } catch (const FolderError& e) {
    try {
      if (folder.exists(scratch)) folder.remove(scratch);
    } catch (const FolderError&) {
      // The original failure is the one worth reporting.
    }
    throw FolderError("write", name, e.reason());
  }
}

}  // namespace scenario
