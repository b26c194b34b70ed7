#include "io/folder.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace scenario {

FolderError::FolderError(std::string operation, std::string file, std::string reason)
    : std::runtime_error("cannot " + operation + " '" + file + "': " + reason),
      operation_(std::move(operation)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

namespace {

// "." + name + suffix, shortened (and made unique again by a hash of the
// whole name) when that would pass the longest name a file system takes.
std::string hidden_name(const std::string& name, std::string_view suffix) {
  constexpr size_t kLongestName = 255;
  std::string hidden = "." + name + std::string(suffix);
  if (hidden.size() <= kLongestName) return hidden;
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return "." + name.substr(0, kLongestName - 1 - 1 - 16 - suffix.size()) + "~" + hex + std::string(suffix);
}

}  // namespace

std::string scratch_name(const std::string& name) { return hidden_name(name, ".part"); }
std::string backup_name(const std::string& name) { return hidden_name(name, ".old"); }

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

namespace {

// Best effort, after a failure: the first failure is the one worth reporting.
template <typename Step>
void try_to(Step step) {
  try {
    step();
  } catch (const FolderError&) {
  }
}

// Puts the older files back over the `renamed` first of `files` (or removes
// the new ones that had no older file), then removes what the run left.
void undo_set(Folder& folder, const std::vector<FileToReplace>& files, const std::vector<bool>& kept, size_t renamed) {
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string& name = files[i].name;
    if (i < renamed) try_to([&] { kept[i] ? folder.rename(backup_name(name), name) : folder.remove(name); });
    try_to([&] {
      if (folder.exists(scratch_name(name))) folder.remove(scratch_name(name));
    });
    try_to([&] {
      if (kept[i] && folder.exists(backup_name(name))) folder.remove(backup_name(name));
    });
  }
}

// Writes and flushes the scratch file of every file of a set, in order;
// `current` follows the file being written, for the error message.
void write_scratch_files(Folder& folder, const std::vector<FileToReplace>& files, const FileToReplace*& current) {
  for (const FileToReplace& file : files) {
    current = &file;
    const std::string scratch = scratch_name(file.name);
    folder.create(scratch);
    file.produce([&](std::string_view piece) { folder.write(scratch, piece); });
    folder.flush(scratch);
  }
}

}  // namespace

void replace_files(Folder& folder, const std::vector<FileToReplace>& files) {
  std::vector<bool> kept(files.size(), false);
  size_t renamed = 0;
  const FileToReplace* current = nullptr;
  try {
    write_scratch_files(folder, files, current);
    for (size_t i = 0; i < files.size(); ++i) {
      current = &files[i];
      if (folder.exists(files[i].name)) {
        folder.keep_copy(files[i].name, backup_name(files[i].name));
        kept[i] = true;
      }
    }
    for (const FileToReplace& file : files) {
      current = &file;
      folder.rename(scratch_name(file.name), file.name);
      ++renamed;
    }
    folder.sync_folder();  // once for the whole set, so a reported success survives a power cut
  } catch (...) {
    undo_set(folder, files, kept, renamed);
    try {
      throw;
    } catch (const FolderError& e) {
      throw FolderError("write", current->name, e.reason());
    }
  }
  // The new set stands; a kept older file that cannot be removed is reported
  // (it is left beside the set, hidden), after trying the others.
  std::optional<FolderError> failed;
  for (size_t i = 0; i < files.size(); ++i) {
    if (!kept[i]) continue;
    try {
      folder.remove(backup_name(files[i].name));
    } catch (const FolderError& e) {
      if (!failed) failed = FolderError("write", files[i].name, e.reason());
    }
  }
  if (failed) throw *failed;
}

void Folder::rename_new(const std::string& from, const std::string& to) {
  if (exists(to)) throw FolderError("create", to, "File exists");
  rename(from, to);
}

void create_files(Folder& folder, const std::vector<FileToReplace>& files) {
  size_t named = 0;
  const FileToReplace* current = nullptr;
  try {
    write_scratch_files(folder, files, current);
    for (const FileToReplace& file : files) {
      current = &file;
      folder.rename_new(scratch_name(file.name), file.name);
      ++named;
    }
    folder.sync_folder();
  } catch (...) {
    for (size_t i = 0; i < files.size(); ++i) {
      if (i < named) try_to([&] { folder.remove(files[i].name); });
      try_to([&] {
        if (folder.exists(scratch_name(files[i].name))) folder.remove(scratch_name(files[i].name));
      });
    }
    try {
      throw;
    } catch (const FolderError& e) {
      throw FolderError(e.operation() == "create" ? "create" : "write", current->name, e.reason());
    }
  }
}

void replace_file(Folder& folder, const std::string& name, std::string_view bytes, Durability durability) {
  const std::string scratch = scratch_name(name);
  try {
    folder.create(scratch);
    folder.write(scratch, bytes);
    if (durability == Durability::kKept) folder.flush(scratch);
    folder.rename(scratch, name);
  } catch (const FolderError& e) {
    remove_scratch(folder, scratch);
    throw FolderError("write", name, e.reason());
  }
}

}  // namespace scenario
