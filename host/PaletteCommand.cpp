// vandrel palette: load the package, install it and list the palette.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "Command.h"
#include "vandrel/Vandrel.h"
#include "vandrel/platform/Exceptions.h"
#include "vandrel/platform/Package.h"
#include "vandrel/platform/Palette.h"

namespace vandrel::host {

namespace {

struct TPaletteOptions {
  std::string Package;  // empty: the libvandrel this program runs with
  std::string BitmapDir;
};

TPaletteOptions ParseOptions(const std::vector<std::string>& Args) {
  TPaletteOptions o;
  TArgs a(Args);
  while (a.More()) {
    const std::string arg = a.Next();
    if (a.Is("--bitmaps"))
      o.BitmapDir = a.Value();
    else if (a.Is("--package"))
      o.Package = a.Value();
    else
      throw EUsageError("unknown argument '" + arg + "'");
  }
  return o;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Unloads the package on every way out of the command.
class TLoadedPackage {
 public:
  explicit TLoadedPackage(const std::string& FileName) : FPackage(LoadPackage(FileName)) {}
  ~TLoadedPackage() { UnloadPackage(FPackage); }
  TLoadedPackage(const TLoadedPackage&) = delete;
  TLoadedPackage& operator=(const TLoadedPackage&) = delete;
  TPackage& operator*() const { return *FPackage; }

 private:
  TPackage* FPackage;
};

int RunPalette(const std::vector<std::string>& Args) {
  const TPaletteOptions o = ParseOptions(Args);
  const std::string file = o.Package.empty()
                               ? ModuleFileName(reinterpret_cast<const void*>(&GetPackageInfoTable))
                               : o.Package;
  if (file.empty()) throw EInOutError("cannot find the package library libvandrel");

  TLoadedPackage package(file);
  InstallPackage(*package);
  std::fprintf(stderr, "package %s: %s\n", file.c_str(), (*package).Description().c_str());

  if (!o.BitmapDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(o.BitmapDir, ec);
    if (ec) throw EInOutError("cannot create directory " + o.BitmapDir + ": " + ec.message());
  }
  int missing = 0;
  for (const TPalettePage& page : PalettePages()) {
    std::printf("Page \"%s\"\n", page.Name.c_str());
    for (const TPaletteEntry& e : page.Entries) {
      std::printf("  %s\n", e.ComponentClass->Name.c_str());
      if (o.BitmapDir.empty()) continue;
      const std::string name = Upper(e.ComponentClass->Name);
      std::optional<TBitmap> picture = PaletteBitmap(e);
      if (!picture) {
        std::fprintf(stderr, "vandrel: no palette picture %s for %s\n", name.c_str(),
                     e.ComponentClass->Name.c_str());
        ++missing;
        continue;
      }
      const std::string path = (std::filesystem::path(o.BitmapDir) / (name + ".bmp")).string();
      picture->SaveToFile(path);
      std::fprintf(stderr, "wrote %s\n", path.c_str());
    }
  }
  std::fflush(stdout);
  return missing > 0 ? exProcessing : exSuccess;
}

}  // namespace

extern const TCommand PaletteCommand = {
    "palette",
    "load the package, install it and list its palette pages and classes",
    "usage: vandrel palette [--bitmaps DIR] [--package FILE]\n"
    "\n"
    "Loads the component package, runs its Register procedures and lists each\n"
    "palette page with its classes in registration order.\n"
    "\n"
    "  --bitmaps DIR   also write each palette picture to DIR/CLASSNAME.bmp\n"
    "                  (class name in capitals, 24 x 24, 4-bit BMP); DIR is\n"
    "                  created when missing\n"
    "  --package FILE  the package library to load (default: the libvandrel\n"
    "                  this program runs with)\n",
    RunPalette,
};

}  // namespace vandrel::host
