#include "app/command_line.h"

#include <string_view>

#include "io/disk_folder.h"
#include "scenario_commit.h"

namespace scenario {
namespace {

constexpr std::string_view kAiuto =
    "Usage: scenario [--output DIR] [--no-wait]\n"
    "\n"
    "Writes the built-in scenario of the line \"Valmora - Dorvane\" for the train\n"
    "\"ICN 853\": the line and service description texts, compiled into the three\n"
    "binary files the driving simulator loads, and three crew documents.\n"
    "\n"
    "Options:\n"
    "  -o, --output DIR  write every file into DIR, which must be an existing folder\n"
    "                    (default: the folder that holds the program)\n"
    "      --no-wait     fail at once when another run is writing into the folder\n"
    "                    (by default it waits for that run to end)\n"
    "  -h, --help        show this help and exit\n"
    "      --version     show the version and exit\n"
    "\n"
    "By default the files go beside the program, replacing older ones. An\n"
    "installed program does not write into its own folder when that is a bin/\n"
    "folder, belongs to another user or cannot be written: run it with --output.\n"
    "\n"
    "Exit status: 0 every file written and no error recorded; 2 errors recorded\n"
    "in the texts, the binary files written from what was read; 1 a fatal error\n"
    "or a file that could not be written; 64 a command line the program cannot take.\n";

CommandLine usage_error(std::string message) {
  CommandLine line;
  line.action = CommandLine::Action::kUsageError;
  line.error = std::move(message);
  return line;
}

std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

OutputFolder refused(int status, std::string message) { return {{}, status, "scenario: " + message + "\n"}; }

}  // namespace

CommandLine parse_command_line(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      line.action = CommandLine::Action::kHelp;
    } else if (arg == "--no-wait") {
      line.wait = false;
    } else if (arg == "--version") {
      if (line.action == CommandLine::Action::kRun) line.action = CommandLine::Action::kVersion;
    } else if (arg == "-o" || arg == "--output" || arg.starts_with("--output=")) {
      std::string dir;
      if (arg.starts_with("--output=")) {
        dir = std::string(arg.substr(9));
      } else if (i + 1 < argc) {
        dir = argv[++i];
      } else {
        return usage_error("option " + std::string(arg) + " needs a folder");
      }
      if (dir.empty()) return usage_error("option --output needs a folder");
      if (line.output) return usage_error("option --output given twice");
      line.output = dir;
    } else if (arg.starts_with("-")) {
      return usage_error("unknown option '" + std::string(arg) + "'");
    } else {
      return usage_error("unexpected argument '" + std::string(arg) + "'");
    }
  }
  return line;
}

std::optional<int> answer_without_running(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.action) {
    case CommandLine::Action::kRun: return std::nullopt;
    case CommandLine::Action::kHelp: out << kAiuto; return 0;
    case CommandLine::Action::kVersion:
      out << "scenario " << SCENARIO_VERSION << " (commit " << SCENARIO_COMMIT << ")\n";
      return 0;
    case CommandLine::Action::kUsageError:
      err << "scenario: " << line.error << "\nTry 'scenario --help'.\n";
      return kUscitaUso;
  }
  return kUscitaUso;
}

OutputFolder choose_output_folder(const std::optional<std::filesystem::path>& output,
                                  const std::filesystem::path& own_folder) {
  if (output) {
    switch (folder_state(*output)) {
      case FolderState::kMissing: return refused(kUscitaUso, "output folder " + quoted(*output) + " does not exist");
      case FolderState::kNotAFolder:
        return refused(kUscitaUso, "output folder " + quoted(*output) + " is not a folder");
      case FolderState::kNotWritable: return refused(1, "cannot write into the output folder " + quoted(*output));
      case FolderState::kWritable:
      case FolderState::kOtherOwner:  // the user chose it; the system decides
        return {*output, 0, {}};
    }
  }
  const char* why = nullptr;
  switch (folder_state(own_folder)) {
    case FolderState::kWritable:
      if (own_folder.filename() == "bin") why = "a system program folder";
      break;
    case FolderState::kOtherOwner: why = "owned by another user"; break;
    default: why = "not writable";
  }
  if (!why) return {own_folder, 0, {}};
  return refused(1, "will not write into " + quoted(own_folder) + ", the program's own folder (" + why +
                        "); run it with --output DIR");
}

}  // namespace scenario
