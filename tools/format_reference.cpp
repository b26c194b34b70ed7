#include "tools/format_reference.h"

#include <algorithm>
#include <cctype>

#include "compiler/text_records.h"
#include "io/disk_folder.h"
#include "model/errors.h"
#include "tools/lint_checks.h"
#include "tools/record_words.h"

namespace scenario::tools {
namespace {

const char* kIntroduction = R"(# The description texts: format reference

This file is generated from the compiler's own tables by
`scripts/regenerate-format-reference.sh`; a test fails when it differs from
what the tables say, so edit the tables, not this file.

A scenario is two texts: the **line text**, `<route>_linea.txt`, which
describes the line (length, gradients, curves, tunnels, boards), and the
**service text**, `<route>_<train>-.txt`, which describes the train's
service on it (the train, the timetable, signals, slow-downs, stations).
`scenario-tool init` writes both for the built-in scenario, as a start.

- The texts are Windows-1252; `scenario-tool compile` also reads UTF-8
  (`--encoding`).
- A text is a stream of fields separated by commas or line ends (CR LF, CR
  or LF). A record is a keyword field followed by its values, in the order
  given below. Blanks (space, tab) before a field are skipped.
- A keyword or text field runs to the next comma or line end and keeps its
  inner and trailing blanks. A number is an optional sign and the digits
  that follow; whatever else the field holds up to a blank, comma or line
  end is ignored, and a field with no digits reads as 0.
- Records are written under their section's header (`[generale]`,
  `[pendenze]`, ...), sections in the order below; `[fine]` ends the text.
  The parser reads keyword fields one after the other and takes each for
  the first record whose words it contains.
- A keyword is recognised when the field *contains* its words: `- città -,
  velocita, 1000, 125` is a speed record. Unless noted, case is ignored.
- Positions are metres from the start of the route. The compiler keeps most
  things in a grid of 50 m cells, which is why many positions must be a
  multiple of 50.

)";

std::string code(const std::string& s) { return "`" + s + "`"; }

std::string errors_list(const std::array<int16_t, 4>& errors) {
  std::string out;
  for (int16_t n : errors) {
    if (n == 0) continue;
    out += (out.empty() ? "" : ", ") + ("[" + std::to_string(n) + "](#error-" + std::to_string(n) + ")");
  }
  return out;
}

std::string keyword_words(const RecordTesto& r) {
  std::string words;
  for (const char* w : r.parole)
    if (w) words += (words.empty() ? "" : " and ") + code(w);
  std::string m = "Recognised by a keyword field holding " + words;
  std::string variants;
  for (const char* v : r.varianti)
    if (v) variants += (variants.empty() ? "" : ", ") + code(v);
  if (!variants.empty()) m += ", with one of " + variants + " (each found is a record of its own)";
  m += r.maiuscole ? ", letter for letter (case counts)" : ", in any case";
  if (r.generale) m += "; only within the `[generale]` section";
  return m + ".";
}

std::string extra_tables(const RecordTesto& r) {
  std::string m;
  if (r.id == IdRecord::kCurva) {
    m += "\n| digit in the keyword | turn per metre |\n|---|---|\n";
    for (const ClasseCurva& c : kClassiCurva)
      m += "| " + code(c.cifra) + " | " + std::to_string(c.curvatura).substr(0, 6) + " |\n";
    m += "\nThe letter " + code(kCurvaSinistra) +
         ", in either case, turns the curve left; the first class digit the keyword holds counts.\n";
  }
  if (r.id == IdRecord::kRipetizioneSegnali) {
    m += "\n| digit in the keyword | codes |\n|---|---|\n";
    for (const CodiciRipetizione& c : kCodiciRipetizione)
      m += "| " + code(c.cifra) + " | " + std::to_string(c.codici) + " |\n";
  }
  return m;
}

std::string value_row(size_t i, const CampoRecord& c) {
  std::string range = c.lettura == Lettura::kTesto ? "text" : range_words(c);
  return "| " + std::to_string(i + 1) + " | " + code(c.nome) + " | " + (*c.unita ? c.unita : "") + " | " + range +
         " | " + storage_words(c) + " | " + errors_list(c.errori) + " |\n";
}

std::string record_section(const RecordTesto& r) {
  std::string m = "### " + code(r.parola) + "\n\n" + r.significato + "\n\n" + keyword_words(r) + "\n";
  if (*r.note) m += "\n" + std::string(r.note) + "\n";
  if (r.errori[0]) m += "\nErrors of the record: " + errors_list(r.errori) + ".\n";
  m += extra_tables(r);
  if (r.campi.empty()) return m + "\n";
  std::string example = r.parola;
  for (const CampoRecord& c : r.campi) example += ", " + std::string(c.nome);
  m += "\n```\n" + example + "\n```\n\n| # | value | unit | accepted | stored | errors |\n|---|---|---|---|---|---|\n";
  for (size_t i = 0; i < r.campi.size(); ++i) m += value_row(i, r.campi[i]);
  m += "\n";
  for (const CampoRecord& c : r.campi)
    if (*c.significato) m += "- " + code(c.nome) + ": " + c.significato + "\n";
  return m + "\n";
}

std::string text_section(TestoDescrizione t) {
  std::string m = t == TestoDescrizione::kLinea ? "## The line text\n\n" : "## The service text\n\n";
  std::string section;
  for (const RecordTesto& r : record_testi()) {
    if (r.testo != t) continue;
    if (section != r.sezione) {
      section = r.sezione;
      m += "Section " + code(section) + ":\n\n";
    }
    m += record_section(r);
  }
  return m;
}

const char* owner_words(TestoErrore t) {
  switch (t) {
    case TestoErrore::kLinea: return "the line text";
    case TestoErrore::kServizio: return "the service text";
    case TestoErrore::kDelRecord: return "the text of the record being read";
  }
  return "";
}

const char* anchor_words(Ancora a) {
  switch (a) {
    case Ancora::kFile: return "the text as a whole";
    case Ancora::kFieldRead: return "the value being read";
    case Ancora::kKeyword: return "the record's keyword";
    case Ancora::kFirstValue: return "the record's position (its first value)";
  }
  return "";
}

// A text as authors see it: lines ending in LF.
std::string shown(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

std::string example_words(const ErrorExample& e) {
  std::string m;
  for (const auto& [name, text] : {std::pair{"Line text", &e.line}, std::pair{"Service text", &e.service}}) {
    if (!*text)
      m += std::string(name) + ": missing.\n\n";
    else
      m += std::string(name) + ":\n\n```\n" + shown(**text) + "```\n\n";
  }
  return m;
}

std::string errors_section(const std::vector<ErrorExample>& examples) {
  std::string m =
      "## Errors\n\n"
      "`compile` reports each as `FILE:LINE:COL: error N: meaning`. Errors 1, 101 and 102 leave no grid, and "
      "1250 and 1251 are found when the files are about to be written: after any of these no binary file is "
      "written. After any other, the files are written from what was read.\n\n"
      "| number | meaning | text | points at |\n|---|---|---|---|\n";
  for (const RigaErrore& r : catalogo_errori())
    m += "| [" + std::to_string(r.numero()) + "](#error-" + std::to_string(r.numero()) + ") | " + r.significato +
         " | " + owner_words(r.testo) + " | " + anchor_words(r.ancora) + " |\n";
  m += "\n";
  for (const RigaErrore& r : catalogo_errori()) {
    std::string meaning = r.significato;
    meaning[0] = char(std::toupper(static_cast<unsigned char>(meaning[0])));
    m += "### Error " + std::to_string(r.numero()) + "\n\n" + meaning + " (" + owner_words(r.testo) + ").\n\n";
    auto e =
        std::find_if(examples.begin(), examples.end(), [&](const ErrorExample& x) { return x.number == r.numero(); });
    if (e != examples.end()) m += example_words(*e);
  }
  return m;
}

std::string checks_section() {
  std::string m =
      "## Lint checks\n\n"
      "`scenario-tool lint` compiles the texts and then runs these checks on what the compiler accepted. "
      "`-Wno-NAME` turns one off, `-W NAME` on, `--werror` makes warnings fail.\n\n";
  for (const LintCheck& c : lint_checks())
    m += "### " + code(c.name) + "\n\nDefault: " + severity_name(c.severity) + ".\n\n" + c.description + "\n\n";
  return m;
}

}  // namespace

std::vector<ErrorExample> load_error_examples(const std::filesystem::path& dir) {
  std::vector<ErrorExample> examples;
  for (const RigaErrore& r : catalogo_errori()) {
    const std::filesystem::path folder_path = dir / std::to_string(r.numero());
    if (!std::filesystem::is_directory(folder_path)) continue;
    DiskFolder folder(folder_path);
    ErrorExample e;
    e.number = r.numero();
    if (folder.exists("line.txt")) e.line = folder.read("line.txt");
    if (folder.exists("service.txt")) e.service = folder.read("service.txt");
    examples.push_back(std::move(e));
  }
  return examples;
}

std::string format_reference(const std::vector<ErrorExample>& examples) {
  std::string m = kIntroduction;
  m += text_section(TestoDescrizione::kLinea);
  m += text_section(TestoDescrizione::kServizio);
  m += errors_section(examples);
  m += checks_section();
  while (m.size() >= 2 && m.ends_with("\n\n")) m.pop_back();
  return m;
}

}  // namespace scenario::tools
