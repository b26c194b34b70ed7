#include "io/folder.h"

namespace scenario {

FolderError::FolderError(std::string operation, std::string file, std::string reason)
    : std::runtime_error("cannot " + operation + " '" + file + "': " + reason),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

std::string scratch_name(const std::string& name) { return "." + name + ".part"; }

namespace {

void remove_scratch(Folder& folder, const std::string& scratch) {
  try {
    if (folder.exists(scratch)) folder.remove(scratch);
  } catch (const FolderError&) {
    // The original failure is the one worth reporting.
  }
}

}  // namespace

void replace_file_streamed(Folder& folder, const std::string& name,
                           const std::function<void(const ByteSink&)>& produce) {
  const std::string scratch = scratch_name(name);
  try {
    folder.create(scratch);
    produce([&](std::string_view piece) { folder.write(scratch, piece); });
    folder.flush(scratch);
    folder.rename(scratch, name);
  } catch (const FolderError& e) {
    remove_scratch(folder, scratch);
    throw FolderError("write", name, e.reason());
  } catch (...) {
    remove_scratch(folder, scratch);
    throw;
  }
}

void replace_file(Folder& folder, const std::string& name, std::string_view bytes) {
  replace_file_streamed(folder, name, [bytes](const ByteSink& sink) { sink(bytes); });
}

}  // namespace scenario
