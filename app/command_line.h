#pragma once
// The program's command line: where the files go, help and version. Read
// before the window opens, so that asking for help never runs the compile
// and a refused folder is refused before any file is written.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace scenario {

// Exit status of a command line the program cannot take.
inline constexpr int kUscitaUso = 64;

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  std::optional<std::filesystem::path> output;  // --output DIR
  bool wait = true;                             // false with --no-wait
  std::string error;                            // with kUsageError
};

CommandLine parse_command_line(int argc, const char* const* argv);

// Answers help, version and usage errors; nullopt when the program should run.
std::optional<int> answer_without_running(const CommandLine& line, std::ostream& out, std::ostream& err);

// The folder a run writes into, or why it must not run there.
struct OutputFolder {
  std::filesystem::path folder;
  int refusal = 0;      // exit status when refused, 0 otherwise
  std::string message;  // with a refusal, the whole line for standard error
};

// With --output, the folder given; without it, the program's own folder,
// unless that is not the user's to write (not writable, owned by another
// user, or a system program folder: a `bin` folder of an install prefix).
OutputFolder choose_output_folder(const std::optional<std::filesystem::path>& output,
                                  const std::filesystem::path& own_folder);

}  // namespace scenario
