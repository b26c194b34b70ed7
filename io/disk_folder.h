#pragma once
#include <filesystem>
#include <functional>

#include "io/folder.h"

namespace scenario {

// A real directory. The file most recently created stays open until it is
// flushed, renamed or removed, so that a file written in many pieces costs
// one open and one close.
class DiskFolder : public Folder {
public:
  explicit DiskFolder(std::filesystem::path root);
  ~DiskFolder() override;
  DiskFolder(const DiskFolder&) = delete;
  DiskFolder& operator=(const DiskFolder&) = delete;

  bool exists(const std::string& name) override;
  std::string read(const std::string& name) override;
  void remove(const std::string& name) override;
  void create(const std::string& name) override;
  void write(const std::string& name, std::string_view bytes) override;
  void flush(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;
  void rename_new(const std::string& from, const std::string& to) override;
  void sync_folder() override;
  void keep_copy(const std::string& name, const std::string& copy) override;

private:
  std::string path_of(const std::string& name) const;
  bool is_open(const std::string& name) const { return open_fd_ >= 0 && name == open_name_; }
  // Closes the open file, if any; false when close reported an error.
  bool close_open_file();

  std::filesystem::path root_;
  int open_fd_ = -1;
  std::string open_name_;
};

// Writes all of `bytes` to the descriptor `fd`, retrying interrupted and
// partial writes; false (errno set) when the system refuses.
bool write_all(int fd, std::string_view bytes);

// The folder that holds the running executable.
std::filesystem::path executable_folder();

// One writing run per folder: holds an advisory lock on the folder itself
// (nothing is created in it) for as long as it lives. When another run holds
// it, `on_wait` is called once and the lock is waited for, or, with `wait`
// false, FolderError ("lock") is thrown. A folder that cannot be opened is
// not locked; writing into it then fails with its own message. Once the lock
// is held, no other run is writing: scratch and backup files found then were
// left by a run that was killed, and are removed.
class FolderLock {
public:
  FolderLock(const std::filesystem::path& dir, bool wait, const std::function<void()>& on_wait);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

private:
  int fd_ = -1;
};

// Removes the regular files whose names are scratch or backup names
// (is_scratch_name) from `dir`; links and anything else stay.
void remove_stale_scratch_files(const std::filesystem::path& dir);

// What a folder about to receive files is, so that a run can be refused
// before it writes anything.
enum class FolderState {
  kWritable,     // a folder of the running user, open for writing
  kMissing,      // nothing of that name
  kNotAFolder,   // a file or other non-folder of that name
  kNotWritable,  // a folder the running user cannot write into
  kOtherOwner,   // a folder owned by another user (root's writes included)
};
FolderState folder_state(const std::filesystem::path& dir);

}  // namespace scenario
