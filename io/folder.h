#pragma once
// The one door through which the program touches files. Every file of a run
// lives in one folder; production uses the executable's folder on disk, tests
// use a temporary folder, an in-memory folder or a wrapper that makes chosen
// operations fail.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// A file operation that did not succeed. `file` is the name inside the folder,
// `reason` the system's own words.
class FolderError : public std::runtime_error {
public:
  FolderError(std::string operation, std::string file, std::string reason);
  const std::string& operation() const { return operation_; }
  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }

private:
  std::string operation_;
  std::string file_;
  std::string reason_;
};

class Folder {
public:
  virtual ~Folder() = default;

  virtual bool exists(const std::string& name) = 0;
  // The whole content of a file; throws FolderError when it cannot be read.
  virtual std::string read(const std::string& name) = 0;
  virtual void remove(const std::string& name) = 0;

  // The primitives of a crash-safe replace (see replace_file). `create` makes
  // a new empty file that only this run writes; an entry already holding the
  // name (a file, a link planted there) is neither removed nor written
  // through: the call fails. `write` appends.
  virtual void create(const std::string& name) = 0;
  virtual void write(const std::string& name, std::string_view bytes) = 0;
  virtual void flush(const std::string& name) = 0;
  virtual void rename(const std::string& from, const std::string& to) = 0;
  // Gives the file `name` the second name `copy` (a hard link on disk), which
  // nothing may hold: the older file of a set, kept until the new set stands.
  virtual void keep_copy(const std::string& name, const std::string& copy) = 0;
  // Gives `from` the name `to` only when nothing holds that name: a file
  // there is never replaced, and FolderError ("create", `to`) says it exists.
  // This default asks first; a folder on disk does it in one step.
  virtual void rename_new(const std::string& from, const std::string& to);
  // Makes the renames done so far durable; a folder in memory has nothing to do.
  virtual void sync_folder() {}
};

// Name of a scratch file that replace_file writes before renaming it over
// `name`: hidden, made unique by `tag` (six letters or digits a run draws at
// random, until it finds a name nothing holds), and never longer than a file
// name may be: ".NAME.TAG.part".
std::string scratch_name(const std::string& name, std::string_view tag);

// Name under which replace_files keeps the older file while a set is
// renamed: ".NAME.TAG.old".
std::string backup_name(const std::string& name, std::string_view tag);

// Whether `entry` is a scratch or backup name these functions make (for
// some file); `of`, when given, asks whether it is one for that file.
bool is_scratch_name(std::string_view entry);
bool is_scratch_name(std::string_view entry, const std::string& of);

// Replaces `name` with exactly `bytes`: the content goes to a scratch file in
// the same folder, is flushed, and is renamed over the final name. At every
// moment the final name holds either the old whole file or the new whole file.
// On failure the scratch file is removed and a FolderError naming `name` is thrown.
// A file that lives only for the rest of the run (a description text the run
// deletes once read) is `kTransient`: it is not flushed, which a power cut
// would only cost the file nobody keeps.
enum class Durability { kKept, kTransient };
void replace_file(Folder& folder, const std::string& name, std::string_view bytes,
                  Durability durability = Durability::kKept);

// Receives the content of a file piece by piece, in order.
using ByteSink = std::function<void(std::string_view piece)>;

// replace_file for content too large to hold whole: `produce` hands the
// pieces to the sink it is given, and each goes to the scratch file as it
// comes. The same guarantees; if `produce` throws, the scratch file is removed
// and its exception passes on. (replace_file is this with one piece.)
void replace_file_streamed(Folder& folder, const std::string& name, const std::function<void(const ByteSink&)>& produce,
                           Durability durability = Durability::kKept);

// One file of a set replaced together.
struct FileToReplace {
  std::string name;
  std::function<void(const ByteSink&)> produce;
};

// Replaces a set of files so that a failure leaves the older set whole: every
// file is written and flushed to its scratch file first; then each older file
// gets a second, backup name and the new ones are renamed over the final
// names, in order. A rename that fails undoes the ones before it from the
// backups. On failure the run's scratch and backup files are removed and the
// FolderError (naming the final file) or the producer's exception passes on.
void replace_files(Folder& folder, const std::vector<FileToReplace>& files);

// Writes a set of new files without ever replacing one: every file is
// written and flushed to its scratch file first, then each takes its name
// with rename_new. When a name is already taken, the files this call named
// are removed again with the scratch files, and the FolderError (naming that
// file) passes on: the folder is left as it was.
void create_files(Folder& folder, const std::vector<FileToReplace>& files);

}  // namespace scenario
