#include "tools/lsp_documents.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "tools/compile_texts.h"
#include "tools/input_file.h"

namespace scenario::tools::lsp {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnding = "_linea.txt";
constexpr std::string_view kServiceEnding = "-.txt";

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string folder_of(const std::string& path) { return fs::path(path).parent_path().string(); }
std::string name_of(const std::string& path) { return fs::path(path).filename().string(); }

// The route of a line text's file name; empty when it is not one.
std::string line_route(std::string_view name) {
  if (!name.ends_with(kLineEnding) || name.size() == kLineEnding.size()) return {};
  return std::string(name.substr(0, name.size() - kLineEnding.size()));
}

// The train of a service text of `route`; empty when the name is not one.
std::string service_train(std::string_view name, std::string_view route) {
  const size_t fixed = route.size() + 1 + kServiceEnding.size();
  if (name.size() <= fixed || !name.starts_with(route) || name[route.size()] != '_' || !name.ends_with(kServiceEnding))
    return {};
  return std::string(name.substr(route.size() + 1, name.size() - fixed));
}

PairedText paired_open(const OpenText& t) {
  return {t.uri, t.path.value_or(std::string()), t.version, t.touched, t.text};
}

bool service_name(std::string_view name) {
  return name.ends_with(kServiceEnding) && name.find('_') < name.size() - kServiceEnding.size();
}

// A text on disk as the compiler reads it; none when the file is not there.
std::optional<PairedText> paired_file(const std::string& path) {
  PairedText t{uri_of_path(path), path, std::nullopt, 0, {}};
  try {
    std::optional<std::string> bytes = read_input(path);
    if (!bytes) return std::nullopt;
    t.text.bytes = decoded_text(std::move(*bytes), "auto", path).bytes;
  } catch (const RequestError& e) {
    t.text.refusal = Refusal{{}, e.what()};
  }
  return t;
}

std::vector<std::string> names_in(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string joined(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

// The service text of `route` beside a line text.
void find_service(const OpenTexts& open, const std::string& folder, Pair& pair) {
  const OpenText* latest = nullptr;
  for (const auto& [uri, t] : open.all()) {
    if (!t.path || folder_of(*t.path) != folder || service_train(name_of(*t.path), pair.route).empty()) continue;
    if (!latest || t.touched > latest->touched) latest = &t;
  }
  if (latest) {
    pair.partner = paired_open(*latest);
    pair.train = service_train(name_of(*latest->path), pair.route);
    return;
  }
  for (const std::string& name : names_in(folder)) {
    if (service_train(name, pair.route).empty()) continue;
    if ((pair.partner = paired_file(joined(folder, name)))) {
      pair.train = service_train(name, pair.route);
      return;
    }
  }
  pair.expected = pair.route + "_<train>" + std::string(kServiceEnding);
}

// The line text of a service text named `<route>_<train>-.txt`; a route may
// hold '_' itself, so the longest route with a line text wins.
void find_line(const OpenTexts& open, const std::string& folder, std::string_view name, Pair& pair) {
  const std::string_view stem = name.substr(0, name.size() - kServiceEnding.size());
  for (size_t cut = stem.rfind('_'); cut != std::string_view::npos && cut > 0; cut = stem.rfind('_', cut - 1)) {
    const std::string route(stem.substr(0, cut));
    if (cut + 1 == stem.size()) continue;
    const std::string path = joined(folder, route + std::string(kLineEnding));
    std::optional<PairedText> line;
    if (const OpenText* t = open.find_path(path))
      line = paired_open(*t);
    else
      line = paired_file(path);
    if (!line) continue;
    pair.partner = std::move(line);
    pair.route = route;
    pair.train = std::string(stem.substr(cut + 1));
    return;
  }
  const size_t last = stem.rfind('_');
  pair.route = std::string(stem.substr(0, last));
  pair.train = std::string(stem.substr(last + 1));
  pair.expected = pair.route + std::string(kLineEnding);
}

}  // namespace

CompilerText from_editor(std::string_view utf8) {
  CompilerText t;
  std::variant<std::string, Utf8Fault> converted = from_utf8(utf8);
  if (const Utf8Fault* fault = std::get_if<Utf8Fault>(&converted)) {
    // The characters before it on its line are Windows-1252 ones, one UTF-16 unit each.
    t.refusal = Refusal{{fault->line - 1, fault->column - 1},
                        "a character outside Windows-1252, which these texts are read in: the text is not compiled"};
    return t;
  }
  std::string& bytes = std::get<std::string>(converted);
  if (bytes.size() > kLargestInput) {
    t.refusal = Refusal{{},
                        "the text holds " + std::to_string(bytes.size()) +
                            " characters, more than the 64 MiB a description text may hold: it is not compiled"};
    return t;
  }
  t.bytes = std::move(bytes);
  return t;
}

void OpenTexts::open(const std::string& uri, int64_t version, std::string_view utf8) {
  OpenText& t = texts_[uri];
  t = OpenText{uri, path_of_uri(uri), version, ++count_, from_editor(utf8)};
}

bool OpenTexts::change(const std::string& uri, int64_t version, std::string_view utf8) {
  auto it = texts_.find(uri);
  if (it == texts_.end()) return false;
  it->second.version = version;
  it->second.touched = ++count_;
  it->second.text = from_editor(utf8);
  return true;
}

void OpenTexts::close(const std::string& uri) { texts_.erase(uri); }

const OpenText* OpenTexts::find(const std::string& uri) const {
  auto it = texts_.find(uri);
  return it == texts_.end() ? nullptr : &it->second;
}

const OpenText* OpenTexts::find_path(const std::string& path) const {
  for (const auto& [uri, t] : texts_)
    if (t.path == path) return &t;
  return nullptr;
}

std::optional<std::string> path_of_uri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.size() < kScheme.size() || !std::equal(kScheme.begin(), kScheme.end(), uri.begin(), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
      }))
    return std::nullopt;
  std::string_view rest = uri.substr(kScheme.size());
  if (rest.starts_with("localhost/")) rest.remove_prefix(9);
  if (!rest.starts_with('/')) return std::nullopt;
  std::string path;
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      path += rest[i];
      continue;
    }
    const int high = i + 2 < rest.size() ? hex_digit(rest[i + 1]) : -1;
    const int low = high >= 0 ? hex_digit(rest[i + 2]) : -1;
    if (low < 0 || (high == 0 && low == 0)) return std::nullopt;
    path += char(high * 16 + low);
    i += 2;
  }
  return path;
}

std::string uri_of_path(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += char(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

Role role_of(const std::optional<std::string>& path) {
  if (!path) return Role::kNeither;
  const std::string name = name_of(*path);
  if (!line_route(name).empty()) return Role::kLine;
  return service_name(name) ? Role::kService : Role::kNeither;
}

Pair pair_of(const OpenTexts& open, const OpenText& asked) {
  Pair pair;
  pair.asked = paired_open(asked);
  if (!asked.path) {
    pair.expected = "a file named <route>_linea.txt or <route>_<train>-.txt";
    return pair;
  }
  const std::string folder = folder_of(*asked.path);
  const std::string name = name_of(*asked.path);
  if (!(pair.route = line_route(name)).empty()) {
    pair.role = Role::kLine;
    find_service(open, folder, pair);
  } else if (service_name(name)) {
    pair.role = Role::kService;
    find_line(open, folder, name, pair);
  } else {
    pair.expected = "a file named <route>_linea.txt or <route>_<train>-.txt";
  }
  return pair;
}

}  // namespace scenario::tools::lsp
