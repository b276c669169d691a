// vandrel: the host program. `vandrel <command> [options]`; see --help.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Command.h"
#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/FileStream.h"
#include "vandrel/platform/Package.h"

#ifndef VANDREL_VERSION
#define VANDREL_VERSION "unknown"
#endif

namespace vandrel::host {
namespace {

void PrintHelp(std::FILE* To) {
  std::fprintf(To,
               "usage: vandrel <command> [options]\n"
               "       vandrel <command> --help\n"
               "       vandrel --help | --version\n"
               "\n"
               "Signal analysis for measurement and condition monitoring.\n"
               "\n"
               "commands:\n");
  for (const TCommand* c : Commands()) std::fprintf(To, "  %-10s %s\n", c->Name, c->Summary);
  std::fprintf(To,
               "\n"
               "exit codes: 0 success, 1 usage, 2 input/output, 3 processing\n");
}

const TCommand* FindCommand(const std::string& Name) {
  for (const TCommand* c : Commands())
    if (Name == c->Name) return c;
  return nullptr;
}

bool WantsHelp(const std::vector<std::string>& Args) {
  for (const std::string& a : Args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

// The one place where failures become exit codes.
int Run(const std::vector<std::string>& Args) {
  if (Args.empty()) {
    PrintHelp(stderr);
    return exUsage;
  }
  const std::string& first = Args[0];
  if (first == "--help" || first == "-h") {
    PrintHelp(stdout);
    return exSuccess;
  }
  if (first == "--version") {
    std::printf("vandrel %s\n", VANDREL_VERSION);
    return exSuccess;
  }
  const TCommand* command = FindCommand(first);
  if (command == nullptr) {
    std::fprintf(stderr, "vandrel: unknown command '%s'\n\n", first.c_str());
    PrintHelp(stderr);
    return exUsage;
  }
  const std::vector<std::string> rest(Args.begin() + 1, Args.end());
  if (WantsHelp(rest)) {
    std::fputs(command->Usage, stdout);
    return exSuccess;
  }
  try {
    return command->Run(rest);
  } catch (const EUsageError& e) {
    std::fprintf(stderr, "vandrel %s: %s\n\n%s", command->Name, e.what(), command->Usage);
    return exUsage;
  } catch (const EInOutError& e) {
    std::fprintf(stderr, "vandrel %s: %s\n", command->Name, e.what());
    return exInputOutput;
  } catch (const EPackageError& e) {
    std::fprintf(stderr, "vandrel %s: %s\n", command->Name, e.what());
    return exInputOutput;
  } catch (const EStreamError& e) {  // unreadable files and forms included
    std::fprintf(stderr, "vandrel %s: %s\n", command->Name, e.what());
    return exInputOutput;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vandrel %s: %s\n", command->Name, e.what());
    return exProcessing;
  }
}

}  // namespace
}  // namespace vandrel::host

int main(int argc, char** argv) {
  try {
    return vandrel::host::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vandrel: %s\n", e.what());
    return vandrel::host::exProcessing;
  }
}
