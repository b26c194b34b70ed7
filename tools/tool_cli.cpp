#include "tools/tool_cli.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "io/disk_folder.h"
#include "scenario_commit.h"
#include "sources/built_in_names.h"
#include "tools/binary_readers.h"
#include "tools/compile_report.h"
#include "tools/compile_texts.h"
#include "tools/decode_json.h"
#include "tools/diagnostics.h"
#include "tools/init_command.h"
#include "tools/input_file.h"
#include "tools/lint_command.h"
#include "tools/lsp_server.h"
#include "tools/serve_command.h"
#include "tools/sheet_command.h"
#include "tools/text_options.h"

namespace scenario::tools {
namespace {

constexpr int kFailure = 1;
constexpr int kUsage = 64;  // a command line the tool cannot take

std::string json_text(const nlohmann::ordered_json& j) {
  return j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

struct CompileOptions {
  CompileRequest request;
  bool no_plan = false;
  bool json = false;
  bool no_wait = false;
};

void add_compile(CLI::App& app, CompileOptions& o) {
  CLI::App* c = app.add_subcommand("compile",
                                   "Compile a line description and a service description into the "
                                   "three binary scenario files");
  add_text_options(*c, o.request.line_path, o.request.service_path, o.request.encoding);
  c->add_option("-o,--output", o.request.output_dir, "folder for the binary files")->capture_default_str();
  c->add_option("--route", o.request.route, "route name: names the files, enters the scenario codes")
      ->capture_default_str();
  c->add_option("--train", o.request.train, "train name: names the files, enters the scenario codes")
      ->capture_default_str();
  c->add_flag("--no-plan", o.no_plan, "compile without the track plan; no <route>_linea.dat is written");
  c->add_flag("--json", o.json, "also print the outcome as one JSON object on standard output");
  c->add_flag("--no-wait", o.no_wait, "fail at once when another run is writing into the output folder");
  c->footer(
      "Exit status: 0 clean, 2 errors recorded (files written), 1 fatal (nothing or not all written),\n"
      "64 a name or output the compile cannot take (nothing read or written).");
}

void add_init(CLI::App& app, InitRequest& o) {
  CLI::App* i = app.add_subcommand("init",
                                   "Write a line text and a service text to start from: the built-in "
                                   "scenario's, under the names compile expects");
  i->add_option("DIR", o.folder, "the folder to write them into (made when missing)")->capture_default_str();
  i->add_option("--route", o.route, "route name: names the texts")->capture_default_str();
  i->add_option("--train", o.train, "train name: names the service text")->capture_default_str();
  i->add_option("--encoding", o.encoding, "write the texts in Windows-1252, as the program does, or in UTF-8")
      ->check(CLI::IsMember({"cp1252", "utf-8"}))
      ->capture_default_str();
  i->footer(
      "An existing file is never replaced: init then writes nothing.\n"
      "Exit status: 0 written, 1 a file already there or a folder that cannot take them,\n"
      "64 a name or folder init cannot take.");
}

struct DecodeOptions {
  std::string path;
  std::string cells;
  std::string kind;
};

void add_decode(CLI::App& app, DecodeOptions& o) {
  CLI::App* d = app.add_subcommand("decode", "Print a binary scenario file as JSON");
  d->add_option("FILE", o.path, "a track plan (_linea.dat), service table (.sim) or cell grid (.dat)")->required();
  d->add_option("--cells", o.cells, "only the elements A to B (cells, entries or plan positions), as A:B or A");
  d->add_option("--kind", o.kind, "the kind of file, when its name does not tell")
      ->check(CLI::IsMember({"plan", "table", "grid"}));
}

void add_sheet(CLI::App& app, SheetRequest& o) {
  CLI::App* s = app.add_subcommand("sheet", "Draw the route sheet of a compiled scenario as one SVG page");
  s->add_option("DIR", o.folder, "folder that holds the scenario's binary files")->required();
  s->add_option("--route", o.route, "route name, as in the file names")->capture_default_str();
  s->add_option("--train", o.train, "train name, as in the file names")->capture_default_str();
  s->add_option("-o,--output", o.output, "the SVG file to write")->required()->check([](const std::string& path) {
    return path.empty() ? std::string("an empty file name") : std::string();
  });
  s->add_flag(
      "--no-wait", [&o](int64_t) { o.wait = false; },
      "fail at once when another run is writing into the folder read or the folder written");
}

int run_compile(CompileOptions& o, std::ostream& out, std::ostream& err) {
  o.request.plan = !o.no_plan;
  CompileOutcome outcome;
  try {
    FolderLock lock(o.request.output_dir, !o.no_wait, [&] {
      err << "scenario-tool: waiting for another run writing into '" << o.request.output_dir << "'\n";
    });
    outcome = compile_texts(o.request);
  } catch (const RequestError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    const bool usage = e.kind() == RequestError::Kind::kUsage;
    if (o.json) out << json_text(refusal_report(usage ? "usage" : "input", e.what()));
    return usage ? kUsage : kFailure;
  } catch (const FolderError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return kFailure;
  }
  std::vector<Diagnostic> diagnostics = diagnose(outcome.analysis);
  for (const Diagnostic& d : diagnostics) print_diagnostic(err, d);
  print_fatal(err, outcome);
  if (o.json) out << json_text(compile_report(outcome, diagnostics));
  return exit_status(outcome);
}

int run_decode(const DecodeOptions& o, std::ostream& out, std::ostream& err) {
  std::optional<FileKind> kind = o.kind.empty() ? kind_from_name(o.path) : kind_from_word(o.kind);
  if (!kind) {
    err << "scenario-tool: cannot tell the kind of '" << o.path << "' from its name; give --kind plan|table|grid\n";
    return kFailure;
  }
  IndexRange range;
  if (!o.cells.empty()) {
    std::optional<IndexRange> parsed = parse_range(o.cells);
    if (!parsed) {
      err << "scenario-tool: --cells wants A:B with A no greater than B, or A; got '" << o.cells << "'\n";
      return kFailure;
    }
    range = *parsed;
  }
  std::optional<std::string> bytes;
  try {
    static const std::string words =
        std::to_string(kLargestScenarioFile) + " bytes, the largest file the compiler writes";
    bytes = read_input(o.path, InputLimit{kLargestScenarioFile, words.c_str()});
  } catch (const RequestError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return kFailure;
  }
  if (!bytes) {
    err << "scenario-tool: cannot read '" << o.path << "': " << std::strerror(ENOENT) << "\n";
    return kFailure;
  }
  try {
    write_decoded(out, *kind, *bytes, range);
  } catch (const DecodeError& e) {
    err << "scenario-tool: " << o.path << ": " << e.what() << "\n";
    return kFailure;
  }
  return 0;
}

}  // namespace

int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("Author tools for scenario description texts and binary scenario files", "scenario-tool");
  app.set_version_flag("--version",
                       std::string("scenario-tool ") + SCENARIO_VERSION + " (commit " + SCENARIO_COMMIT + ")");
  app.require_subcommand(1);
  CompileOptions compile;
  DecodeOptions decode;
  LintOptions lint;
  SheetRequest sheet{".", kPercorsoNome, kTrenoNome, ""};
  InitRequest init;
  add_init(app, init);
  add_compile(app, compile);
  add_lint(app, lint);
  add_decode(app, decode);
  add_sheet(app, sheet);
  ServeOptions serve;
  add_serve(app, serve);
  app.add_subcommand("lsp",
                     "Run a language server for the description texts on standard input and output "
                     "(LSP 3.17), for editors; nothing is written");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, out, err) == 0 ? 0 : kUsage;
  }
  if (app.got_subcommand("init")) return run_init(init, out, err);
  if (app.got_subcommand("compile")) return run_compile(compile, out, err);
  if (app.got_subcommand("lint")) return run_lint(lint, out, err);
  if (app.got_subcommand("sheet")) return run_sheet(sheet, err);
  if (app.got_subcommand("serve")) return run_serve(serve, out, err);
  if (app.got_subcommand("lsp")) {
    std::ios::sync_with_stdio(false);
    return lsp::run_lsp(std::cin, out);
  }
  return run_decode(decode, out, err);
}

}  // namespace scenario::tools
