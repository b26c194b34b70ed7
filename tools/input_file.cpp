#include "tools/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace scenario::tools {
namespace {

RequestError input_error(const std::string& path, const std::string& why) {
  return RequestError(RequestError::Kind::kInput, "cannot read '" + path + "': " + why);
}

}  // namespace

std::optional<std::string> read_input(const std::string& path, const InputLimit& limit) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::nullopt;
    throw input_error(path, std::strerror(errno));
  }
  if (S_ISDIR(st.st_mode)) throw input_error(path, "it is a folder");
  if (!S_ISREG(st.st_mode)) throw input_error(path, "it is not a regular file");
  const std::string too_large = std::string("it is larger than ") + limit.words;
  if (uint64_t(st.st_size) > limit.bytes) throw input_error(path, too_large);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw input_error(path, std::strerror(errno));
  std::string bytes;
  bytes.reserve(size_t(st.st_size));
  char piece[1 << 16];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    bytes.append(piece, size_t(in.gcount()));
    if (bytes.size() > limit.bytes) throw input_error(path, too_large);  // it grew
  }
  if (in.bad()) throw input_error(path, "read error");
  return bytes;
}

SourceText read_source_text(const std::string& path, const std::string& encoding) {
  SourceText text{path, read_input(path)};
  if (text.bytes) text.bytes = decoded_text(std::move(*text.bytes), encoding, path).bytes;
  return text;
}

}  // namespace scenario::tools
