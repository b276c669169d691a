// The host program's subcommands. Each lives in its own file
// (host/<Name>Command.cpp) defining `extern const TCommand <Name>Command`,
// and has one entry in the table of host/Commands.cpp.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vandrel::host {

// Exit codes; main() maps every failure to one of them.
enum TExitCode { exSuccess = 0, exUsage = 1, exInputOutput = 2, exProcessing = 3 };

// A command line the program cannot act on; main() prints the message and
// the command's usage and exits with exUsage.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCommand {
  const char* Name;
  const char* Summary;  // one line for `vandrel --help`
  const char* Usage;    // the full text for `vandrel <name> --help`
  // Runs with the arguments after the command's name; returns a TExitCode.
  // Data goes to standard output, diagnostics to standard error.
  int (*Run)(const std::vector<std::string>& Args);
};

// Every subcommand, in the order `vandrel --help` lists them.
const std::vector<const TCommand*>& Commands();

// Walks a command's arguments: options with values as "--name VALUE" or
// "--name=VALUE", flags as "--name", positional arguments in order.
class TArgs {
 public:
  explicit TArgs(const std::vector<std::string>& Args) : FArgs(Args) {}
  // True while arguments remain; Next() then moves to the next one.
  bool More() const { return FPos < FArgs.size(); }
  const std::string& Next();
  // True when the current argument is option Name; Value() then gives its
  // value (raises EUsageError when there is none).
  bool Is(const std::string& Name);
  std::string Value();

 private:
  const std::vector<std::string>& FArgs;
  size_t FPos = 0;
  std::string FCurrent;
  std::string FInlineValue;
  bool FHasInline = false;
};

}  // namespace vandrel::host
