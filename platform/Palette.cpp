#include "vandrel/platform/Palette.h"

#include <algorithm>
#include <cctype>

#include "InstallContext.h"
#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Package.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {

namespace {

std::vector<TPalettePage>& Pages() {
  static std::vector<TPalettePage> pages;
  return pages;
}


bool OnPalette(const TClassInfo* C) {
  for (const TPalettePage& p : Pages())
    for (const TPaletteEntry& e : p.Entries)
      if (e.ComponentClass == C) return true;
  return false;
}

TPalettePage& PageNamed(const std::string& Name) {
  for (TPalettePage& p : Pages())
    if (SameText(p.Name, Name)) return p;
  Pages().push_back(TPalettePage{Name, {}});
  return Pages().back();
}

}  // namespace

void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TClassInfo*> ComponentClasses) {
  for (const TClassInfo* c : ComponentClasses) {
    if (c == nullptr) throw EFilerError("RegisterComponents: no class given");
    RegisterClass(*c);
    if (OnPalette(c)) continue;
    PageNamed(Page).Entries.push_back(TPaletteEntry{c, detail::InstallingPackage()});
  }
}

const std::vector<TPalettePage>& PalettePages() {
  return Pages();
}

const TPalettePage* FindPalettePage(const std::string& Page) {
  for (const TPalettePage& p : Pages())
    if (SameText(p.Name, Page)) return &p;
  return nullptr;
}

void UnRegisterModulePalette(const TPackage* Module) {
  auto& pages = Pages();
  for (TPalettePage& p : pages)
    p.Entries.erase(std::remove_if(p.Entries.begin(), p.Entries.end(),
                                   [&](const TPaletteEntry& e) { return e.Module == Module; }),
                    p.Entries.end());
  pages.erase(std::remove_if(pages.begin(), pages.end(),
                             [](const TPalettePage& p) { return p.Entries.empty(); }),
              pages.end());
}

std::optional<TBitmap> PaletteBitmap(const TPaletteEntry& Entry) {
  if (Entry.Module == nullptr || Entry.ComponentClass == nullptr) return std::nullopt;
  std::string name = Entry.ComponentClass->Name;
  for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return Entry.Module->FindResource(name, rtBitmap);
}

}  // namespace vandrel
