#include "io/folder.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
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

constexpr size_t kTagLength = 6;
constexpr std::string_view kScratchSuffix = ".part", kBackupSuffix = ".old";

// Six letters or digits, drawn anew at every call.
std::string random_tag() {
  static constexpr std::string_view kChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 draw(std::random_device{}());
  std::string tag(kTagLength, ' ');
  for (char& c : tag) c = kChars[draw() % kChars.size()];
  return tag;
}

// The tag of a scratch or backup name; empty when `entry` is none.
std::string_view tag_of(std::string_view entry) {
  for (std::string_view suffix : {kScratchSuffix, kBackupSuffix}) {
    if (!entry.starts_with('.') || !entry.ends_with(suffix) || entry.size() < 2 + kTagLength + suffix.size()) continue;
    const std::string_view tag = entry.substr(entry.size() - suffix.size() - kTagLength, kTagLength);
    if (entry[entry.size() - suffix.size() - kTagLength - 1] != '.') continue;
    bool plain = true;
    for (char c : tag) plain = plain && ((c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'));
    if (plain) return tag;
  }
  return {};
}

}  // namespace

std::string scratch_name(const std::string& name, std::string_view tag) {
  return hidden_name(name, "." + std::string(tag) + std::string(kScratchSuffix));
}
std::string backup_name(const std::string& name, std::string_view tag) {
  return hidden_name(name, "." + std::string(tag) + std::string(kBackupSuffix));
}

bool is_scratch_name(std::string_view entry) { return !tag_of(entry).empty(); }

bool is_scratch_name(std::string_view entry, const std::string& of) {
  const std::string_view tag = tag_of(entry);
  return !tag.empty() && (entry == scratch_name(of, tag) || entry == backup_name(of, tag));
}

namespace {

// A scratch (or backup) name of `name` that no entry of the folder holds.
template <typename NameWithTag>
std::string unused_name(Folder& folder, const std::string& name, NameWithTag with_tag) {
  std::string candidate;
  do candidate = with_tag(name, random_tag());
  while (folder.exists(candidate));
  return candidate;
}

void remove_scratch(Folder& folder, const std::string& scratch) {
  try {
    if (folder.exists(scratch)) folder.remove(scratch);
  } catch (const FolderError&) {
    // The original failure is the one worth reporting.
  }
}

}  // namespace

void replace_file_streamed(Folder& folder, const std::string& name, const std::function<void(const ByteSink&)>& produce,
                           Durability durability) {
  const std::string scratch = unused_name(folder, name, scratch_name);
  bool created = false;
  try {
    folder.create(scratch);
    created = true;
    produce([&](std::string_view piece) { folder.write(scratch, piece); });
    if (durability == Durability::kKept) folder.flush(scratch);
    folder.rename(scratch, name);
  } catch (const FolderError& e) {
    if (created) remove_scratch(folder, scratch);
    throw FolderError("write", name, e.reason());
  } catch (...) {
    if (created) remove_scratch(folder, scratch);
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

// The hidden files of one file of a set: its scratch file, and the older
// file's backup name while the set is renamed. An empty name: not made.
struct HiddenFiles {
  std::string scratch, backup;
};

// Removes the hidden files a set made that are still there.
void remove_hidden(Folder& folder, const std::vector<HiddenFiles>& hidden) {
  for (const HiddenFiles& h : hidden)
    for (const std::string& name : {h.scratch, h.backup})
      if (!name.empty())
        try_to([&] {
          if (folder.exists(name)) folder.remove(name);
        });
}

// Puts the older files back over the `renamed` first of `files` (or removes
// the new ones that had no older file), then removes what the run left.
void undo_set(Folder& folder, const std::vector<FileToReplace>& files, const std::vector<HiddenFiles>& hidden,
              size_t renamed) {
  for (size_t i = 0; i < renamed; ++i) {
    const std::string& name = files[i].name;
    try_to([&] { hidden[i].backup.empty() ? folder.remove(name) : folder.rename(hidden[i].backup, name); });
  }
  remove_hidden(folder, hidden);
}

// Writes and flushes the scratch file of every file of a set, in order;
// `current` follows the file being written, for the error message.
void write_scratch_files(Folder& folder, const std::vector<FileToReplace>& files, std::vector<HiddenFiles>& hidden,
                         const FileToReplace*& current) {
  for (size_t i = 0; i < files.size(); ++i) {
    current = &files[i];
    const std::string scratch = unused_name(folder, files[i].name, scratch_name);
    folder.create(scratch);
    hidden[i].scratch = scratch;
    files[i].produce([&](std::string_view piece) { folder.write(scratch, piece); });
    folder.flush(scratch);
  }
}

}  // namespace

void replace_files(Folder& folder, const std::vector<FileToReplace>& files) {
  std::vector<HiddenFiles> hidden(files.size());
  size_t renamed = 0;
  const FileToReplace* current = nullptr;
  try {
    write_scratch_files(folder, files, hidden, current);
    for (size_t i = 0; i < files.size(); ++i) {
      current = &files[i];
      if (!folder.exists(files[i].name)) continue;
      const std::string backup = unused_name(folder, files[i].name, backup_name);
      folder.keep_copy(files[i].name, backup);
      hidden[i].backup = backup;
    }
    for (size_t i = 0; i < files.size(); ++i) {
      current = &files[i];
      folder.rename(hidden[i].scratch, files[i].name);
      hidden[i].scratch.clear();
      ++renamed;
    }
    folder.sync_folder();  // once for the whole set, so a reported success survives a power cut
  } catch (...) {
    undo_set(folder, files, hidden, renamed);
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
    if (hidden[i].backup.empty()) continue;
    try {
      folder.remove(hidden[i].backup);
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
  std::vector<HiddenFiles> hidden(files.size());
  size_t named = 0;
  const FileToReplace* current = nullptr;
  try {
    write_scratch_files(folder, files, hidden, current);
    for (size_t i = 0; i < files.size(); ++i) {
      current = &files[i];
      folder.rename_new(hidden[i].scratch, files[i].name);
      hidden[i].scratch.clear();
      ++named;
    }
    folder.sync_folder();
  } catch (...) {
    for (size_t i = 0; i < named; ++i) try_to([&] { folder.remove(files[i].name); });
    remove_hidden(folder, hidden);
    try {
      throw;
    } catch (const FolderError& e) {
      throw FolderError(e.operation() == "create" ? "create" : "write", current->name, e.reason());
    }
  }
}

void replace_file(Folder& folder, const std::string& name, std::string_view bytes, Durability durability) {
  replace_file_streamed(
      folder, name, [bytes](const ByteSink& put) { put(bytes); }, durability);
}

}  // namespace scenario
