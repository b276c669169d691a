#include "Command.h"

// The subcommands, in the order `vandrel --help` lists them. To add one,
// write host/<Name>Command.cpp defining
// `extern const vandrel::host::TCommand <Name>Command` and add X(<Name>) here.
#define VANDREL_HOST_COMMANDS(X) \
  X(Palette)                     \
  X(Spectrum)

namespace vandrel::host {

#define VANDREL_DECLARE_COMMAND(Name) extern const TCommand Name##Command;
VANDREL_HOST_COMMANDS(VANDREL_DECLARE_COMMAND)
#undef VANDREL_DECLARE_COMMAND

const std::vector<const TCommand*>& Commands() {
#define VANDREL_LIST_COMMAND(Name) &Name##Command,
  static const std::vector<const TCommand*> commands = {
      VANDREL_HOST_COMMANDS(VANDREL_LIST_COMMAND)};
#undef VANDREL_LIST_COMMAND
  return commands;
}

const std::string& TArgs::Next() {
  FCurrent = FArgs[FPos++];
  FHasInline = false;
  FInlineValue.clear();
  return FCurrent;
}

bool TArgs::Is(const std::string& Name) {
  if (FCurrent == Name) return true;
  if (FCurrent.size() > Name.size() && FCurrent.compare(0, Name.size(), Name) == 0 &&
      FCurrent[Name.size()] == '=') {
    FHasInline = true;
    FInlineValue = FCurrent.substr(Name.size() + 1);
    FCurrent = Name;
    return true;
  }
  return false;
}

std::string TArgs::Value() {
  if (FHasInline) {
    if (FInlineValue.empty()) throw EUsageError("option " + FCurrent + " needs a value");
    return FInlineValue;
  }
  if (!More()) throw EUsageError("option " + FCurrent + " needs a value");
  std::string v = FArgs[FPos++];
  if (v.empty()) throw EUsageError("option " + FCurrent + " needs a value");
  return v;
}

}  // namespace vandrel::host
