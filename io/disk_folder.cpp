#include "io/disk_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace scenario {
namespace {

std::string system_reason() { return std::strerror(errno); }

// Opens, runs `body` with the descriptor and closes, reporting any failure as
// the FolderError of `operation`.
template <typename Body>
void with_descriptor(const std::string& path, const std::string& name, int flags, const char* operation, Body body) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) throw FolderError(operation, name, system_reason());
  try {
    body(fd);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw FolderError(operation, name, system_reason());
}

// write_all, reporting a failure as a write error of `name`.
void write_all_or_throw(int fd, const std::string& name, std::string_view bytes) {
  if (!write_all(fd, bytes)) throw FolderError("write", name, system_reason());
}

}  // namespace

DiskFolder::DiskFolder(std::filesystem::path root) : root_(std::move(root)) {}

DiskFolder::~DiskFolder() { close_open_file(); }

bool DiskFolder::close_open_file() {
  if (open_fd_ < 0) return true;
  int fd = open_fd_;
  open_fd_ = -1;
  open_name_.clear();
  return ::close(fd) == 0;
}

std::string DiskFolder::path_of(const std::string& name) const { return (root_ / name).string(); }

bool DiskFolder::exists(const std::string& name) {
  struct stat st {};
  return ::stat(path_of(name).c_str(), &st) == 0;
}

std::string DiskFolder::read(const std::string& name) {
  std::string content;
  with_descriptor(path_of(name), name, O_RDONLY, "read", [&](int fd) {
    char buffer[1 << 16];
    for (;;) {
      ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0) {
        if (errno == EINTR) continue;
        throw FolderError("read", name, system_reason());
      }
      if (got == 0) break;
      content.append(buffer, static_cast<size_t>(got));
    }
  });
  return content;
}

void DiskFolder::remove(const std::string& name) {
  if (is_open(name)) close_open_file();  // removing it anyway: a close error changes nothing
  if (::unlink(path_of(name).c_str()) != 0) throw FolderError("delete", name, system_reason());
}

void DiskFolder::create(const std::string& name) {
  close_open_file();
  // Exclusive and without following links: an entry already there, even a
  // dangling link, makes the call fail, so no byte is ever written outside
  // this folder or into a file this run did not make.
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  const int fd = ::open(path_of(name).c_str(), kFlags, 0644);
  if (fd < 0) throw FolderError("create", name, system_reason());
  open_fd_ = fd;
  open_name_ = name;
}

void DiskFolder::write(const std::string& name, std::string_view bytes) {
  if (is_open(name)) return write_all_or_throw(open_fd_, name, bytes);
  with_descriptor(path_of(name), name, O_WRONLY | O_APPEND | O_NOFOLLOW, "write",
                  [&](int fd) { write_all_or_throw(fd, name, bytes); });
}

void DiskFolder::flush(const std::string& name) {
  if (is_open(name)) {
    bool synced = ::fsync(open_fd_) == 0;
    std::string reason = synced ? std::string() : system_reason();
    bool closed = close_open_file();
    if (!synced) throw FolderError("flush", name, reason);
    if (!closed) throw FolderError("flush", name, system_reason());
    return;
  }
  with_descriptor(path_of(name), name, O_WRONLY | O_NOFOLLOW, "flush", [&](int fd) {
    if (::fsync(fd) != 0) throw FolderError("flush", name, system_reason());
  });
}

void DiskFolder::rename(const std::string& from, const std::string& to) {
  if (is_open(from) && !close_open_file()) throw FolderError("replace", to, system_reason());
  if (::rename(path_of(from).c_str(), path_of(to).c_str()) != 0) throw FolderError("replace", to, system_reason());
}

void DiskFolder::rename_new(const std::string& from, const std::string& to) {
  if (is_open(from) && !close_open_file()) throw FolderError("create", to, system_reason());
  const std::string source = path_of(from), target = path_of(to);
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno != EINVAL && errno != ENOSYS) throw FolderError("create", to, system_reason());
  // A file system without the one-step form: a second name, which is never
  // given over an existing file, then the scratch name goes.
  if (::link(source.c_str(), target.c_str()) != 0) throw FolderError("create", to, system_reason());
  if (::unlink(source.c_str()) != 0) throw FolderError("create", to, system_reason());
}

void DiskFolder::keep_copy(const std::string& name, const std::string& copy) {
  if (::link(path_of(name).c_str(), path_of(copy).c_str()) != 0) throw FolderError("keep", name, system_reason());
}

void DiskFolder::sync_folder() {
  const std::string name = root_.string();
  with_descriptor(name, name, O_RDONLY | O_DIRECTORY, "flush", [&](int fd) {
    if (::fsync(fd) != 0) throw FolderError("flush", name, system_reason());
  });
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

std::filesystem::path executable_folder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path();
  return exe.parent_path();
}

FolderLock::FolderLock(const std::filesystem::path& dir, bool wait, const std::function<void()>& on_wait) {
  fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  int taken;
  while ((taken = ::flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (taken == 0) {
    remove_stale_scratch_files(dir);
    return;
  }
  if (errno != EWOULDBLOCK) return;  // a file system without locks: go on unlocked
  if (!wait) {
    ::close(fd_);
    fd_ = -1;
    throw FolderError("lock", dir.string(), "another run is writing into it");
  }
  if (on_wait) on_wait();
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
  remove_stale_scratch_files(dir);
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

void remove_stale_scratch_files(const std::filesystem::path& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    struct stat st {};
    if (!is_scratch_name(name) || ::lstat(entry.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    ::unlink(entry.path().c_str());  // one that cannot go stays hidden; the run goes on
  }
}

FolderState folder_state(const std::filesystem::path& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) {
    if (errno == ENOENT) return FolderState::kMissing;
    return errno == ENOTDIR ? FolderState::kNotAFolder : FolderState::kNotWritable;
  }
  if (!S_ISDIR(st.st_mode)) return FolderState::kNotAFolder;
  if (st.st_uid != ::geteuid()) return FolderState::kOtherOwner;
  if (::access(dir.c_str(), W_OK | X_OK) != 0) return FolderState::kNotWritable;
  return FolderState::kWritable;
}

}  // namespace scenario
