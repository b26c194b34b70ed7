#include "io/folder.h"

#include <cstdint>
#include <cstdio>

namespace scenario {

FolderError::FolderError(std::string operation, std::string file, std::string reason)
    : std::runtime_error("cannot " + operation + " '" + file + "': " + reason),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

std::string scratch_name(const std::string& name) {
  constexpr size_t kLongestName = 255;  // bytes in one name on Linux file systems
  std::string scratch = "." + name + ".part";
  if (scratch.size() <= kLongestName) return scratch;
  // A final name that fits but leaves no room for the marks: a shortened name
  // made unique again by a hash of the whole one.
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return "." + name.substr(0, kLongestName - 1 - 1 - 16 - 5) + "~" + hex + ".part";
}

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

void replace_files(Folder& folder, const std::vector<FileToReplace>& files) {
  size_t renamed = 0;
  const FileToReplace* current = nullptr;
  try {
    for (const FileToReplace& file : files) {
      current = &file;
      const std::string scratch = scratch_name(file.name);
      folder.create(scratch);
      file.produce([&](std::string_view piece) { folder.write(scratch, piece); });
      folder.flush(scratch);
    }
    for (const FileToReplace& file : files) {
      current = &file;
      folder.rename(scratch_name(file.name), file.name);
      ++renamed;
    }
    folder.sync_folder();  // once for the whole set, so a reported success survives a power cut
  } catch (...) {
    for (size_t i = renamed; i < files.size(); ++i) remove_scratch(folder, scratch_name(files[i].name));
    try {
      throw;
    } catch (const FolderError& e) {
      throw FolderError("write", current->name, e.reason());
    }
  }
}

void replace_file(Folder& folder, const std::string& name, std::string_view bytes) {
  replace_file_streamed(folder, name, [bytes](const ByteSink& sink) { sink(bytes); });
}

}  // namespace scenario
