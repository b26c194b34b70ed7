#include "tools/compile_texts.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "io/disk_folder.h"
#include "model/cp1252.h"
#include "tools/input_file.h"

namespace scenario::tools {
namespace {

bool valid_utf8_with_multibyte(std::string_view bytes) {
  bool multibyte = false;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    const int extra = utf8_continuation_count(c);
    if (extra < 0 || i + extra >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) return false;
    multibyte = multibyte || extra > 0;
    i += 1 + extra;
  }
  return multibyte;
}

// The column (in characters, from 1) of the first character of a UTF-8 line
// that cannot be converted.
size_t failing_column(std::string_view line) {
  size_t column = 1;
  for (size_t i = 0; i < line.size(); ++column) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const size_t length = size_t(std::max(utf8_continuation_count(c), 0)) + 1;
    try {
      utf8_a_cp1252(line.substr(i, length));
    } catch (const std::invalid_argument&) {
      return column;
    }
    i += length;
  }
  return column;
}

// A name as it can be shown in a message: control bytes and bytes that are
// not UTF-8 written as \xNN, and a long name cut short.
std::string shown(const std::string& name) {
  std::string out;
  for (unsigned char c : name.substr(0, 80)) {
    if (c < 0x20 || c == 0x7F || c >= 0x80) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += char(c);
    }
  }
  return name.size() > 80 ? out + "... (" + std::to_string(name.size()) + " bytes)" : out;
}

RequestError name_error(const std::string& utf8, const char* what, const std::string& why) {
  return RequestError(RequestError::Kind::kUsage, std::string("the ") + what + " name '" + shown(utf8) + "' " + why);
}

struct OutputName {
  std::string in_memory;  // formed from the Windows-1252 names, as the compiler does
  std::string on_disk;    // formed from the names as typed
};

// `route` and `train` are the names as the compiler holds them.
std::vector<OutputName> output_names(const std::string& route, const std::string& train, const CompileRequest& r) {
  return {{nome_piano(route), nome_piano(r.route)},
          {nome_tabella(route, train), nome_tabella(r.route, r.train)},
          {nome_griglia(route, train), nome_griglia(r.route, r.train)}};
}

// Writes the binary files of the analysis into the output folder, in the
// order the program writes them, replacing the older set together.
void write_outputs(CompileOutcome& outcome, const CompileRequest& request) {
  DiskFolder disk(request.output_dir);
  std::vector<FileToReplace> set;
  std::vector<std::string> names;
  const RunState& s = outcome.analysis.state;
  for (const OutputName& name : output_names(s.percorso_nome, s.treno_nome, request)) {
    for (const BinaryFile& file : outcome.analysis.files) {
      if (file.name != name.in_memory) continue;
      const std::string* bytes = &file.bytes;
      set.push_back({name.on_disk, [bytes](const ByteSink& sink) { sink(*bytes); }});
      names.push_back(name.on_disk);
    }
  }
  try {
    replace_files(disk, set);
    outcome.written = names;
  } catch (const FolderError& e) {
    outcome.fatal = Fatal::kWriteFailed;
    outcome.write_error = e.what();
  }
}

// The file names a compile would write fit in a folder, and none of them is
// one of the inputs (by another path, or by a link): that input would be lost.
void check_outputs(const AnalysisRequest& analysis, const CompileRequest& request) {
  const std::string folder = "the output folder '" + request.output_dir + "'";
  switch (folder_state(request.output_dir)) {
    case FolderState::kMissing: throw RequestError(RequestError::Kind::kUsage, folder + " does not exist");
    case FolderState::kNotAFolder: throw RequestError(RequestError::Kind::kUsage, folder + " is not a folder");
    default: break;  // one that cannot be written fails at its first file, with the system's reason
  }
  struct stat line {
  }, service{};
  const bool have_line = ::stat(request.line_path.c_str(), &line) == 0;
  const bool have_service = ::stat(request.service_path.c_str(), &service) == 0;
  for (const OutputName& name : output_names(analysis.route, analysis.train, request)) {
    if (name.on_disk.size() > 255)
      throw RequestError(RequestError::Kind::kUsage, "the route and train names make the file name '" +
                                                         shown(name.on_disk) + "' longer than 255 bytes");
    struct stat out {};
    if (::stat((std::filesystem::path(request.output_dir) / name.on_disk).c_str(), &out) != 0) continue;
    for (auto [have, in, path] :
         {std::tuple{have_line, &line, &request.line_path}, std::tuple{have_service, &service, &request.service_path}})
      if (have && in->st_dev == out.st_dev && in->st_ino == out.st_ino)
        throw RequestError(RequestError::Kind::kUsage,
                           "will not write '" + name.on_disk + "': it is the input '" + *path + "'");
  }
}

}  // namespace

// A UTF-8 text (what editors on Linux write) is converted line by line, so
// that a character the line format cannot hold is reported at its line and
// column.
std::variant<std::string, Utf8Fault> from_utf8(std::string_view rest) {
  std::string out;
  out.reserve(rest.size());
  for (size_t line = 1; !rest.empty(); ++line) {
    const size_t end = std::min(rest.find('\n'), rest.size() - 1) + 1;
    try {
      out += utf8_a_cp1252(rest.substr(0, end));
    } catch (const std::invalid_argument& e) {
      const bool malformed = std::string_view(e.what()) == "malformed UTF-8";
      return Utf8Fault{line, failing_column(rest.substr(0, end)), malformed};
    }
    rest.remove_prefix(end);
  }
  return out;
}

DecodedText decoded_text(std::string bytes, const std::string& encoding, const std::string& path) {
  const bool bom = bytes.starts_with("\xEF\xBB\xBF");
  const bool utf8 = encoding == "utf-8" || (encoding == "auto" && (bom || valid_utf8_with_multibyte(bytes)));
  if (!utf8) return {std::move(bytes), "cp1252"};
  std::variant<std::string, Utf8Fault> converted = from_utf8(std::string_view(bytes).substr(bom ? 3 : 0));
  if (const Utf8Fault* fault = std::get_if<Utf8Fault>(&converted)) {
    const std::string why =
        fault->malformed ? "not valid UTF-8 (try --encoding cp1252)" : "a character outside Windows-1252";
    throw RequestError(RequestError::Kind::kInput,
                       path + ":" + std::to_string(fault->line) + ":" + std::to_string(fault->column) + ": " + why);
  }
  return {std::move(std::get<std::string>(converted)), "utf-8"};
}

std::string compiler_name(const std::string& utf8, const char* what) {
  if (utf8.find_first_of("/\\") != std::string::npos) throw name_error(utf8, what, "cannot be part of a file name");
  if (utf8 == "." || utf8 == "..") throw name_error(utf8, what, "cannot be part of a file name");
  std::string cp1252;
  try {
    cp1252 = utf8_a_cp1252(utf8);
  } catch (const std::invalid_argument& e) {
    if (std::string_view(e.what()) == "malformed UTF-8") throw name_error(utf8, what, "is not valid UTF-8");
    throw name_error(utf8, what, "has a character outside Windows-1252");
  }
  for (unsigned char c : utf8)  // U+0000-U+001F and U+007F; U+0080-U+009F have no Windows-1252 form
    if (c < 0x20 || c == 0x7F)
      throw name_error(utf8, what, "cannot be part of a file name: it holds a control character");
  return cp1252;
}

CompileOutcome compile_texts(const CompileRequest& request) {
  AnalysisRequest analysis{{request.line_path, std::nullopt}, {request.service_path, std::nullopt}};
  analysis.route = compiler_name(request.route, "route");
  analysis.train = compiler_name(request.train, "train");
  analysis.plan = request.plan;
  analysis.binaries = true;
  check_outputs(analysis, request);

  CompileOutcome outcome;
  analysis.line.bytes = read_input(request.line_path);
  analysis.service.bytes = read_input(request.service_path);
  for (auto [text, read_as] :
       {std::pair{&analysis.line, &outcome.line_encoding}, std::pair{&analysis.service, &outcome.service_encoding}}) {
    if (!text->bytes) continue;
    DecodedText decoded = decoded_text(std::move(*text->bytes), request.encoding, text->name);
    text->bytes = std::move(decoded.bytes);
    *read_as = decoded.encoding;
  }

  outcome.analysis = analyse(std::move(analysis));
  const EsitoCompilazione& esito = outcome.analysis.outcome;
  if (esito.fine == EsitoCompilazione::kSenzaGriglia) {
    outcome.fatal = Fatal::kNoGrid;
  } else if (esito.fine == EsitoCompilazione::kSlotOccupato) {
    outcome.fatal = Fatal::kSlotTaken;
    outcome.slot_number = esito.numero_riquadro;
  } else {
    write_outputs(outcome, request);
  }
  return outcome;
}

int exit_status(const CompileOutcome& outcome) {
  if (outcome.fatal != Fatal::kNone) return 1;
  return outcome.analysis.errors.empty() ? 0 : 2;
}

}  // namespace scenario::tools
