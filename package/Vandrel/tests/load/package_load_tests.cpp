// Loads libvandrel the way a host does: by path, through the platform's
// loader, installing its Register procedures and unloading it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/Vandrel.h"
#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Package.h"
#include "vandrel/platform/Palette.h"

namespace vandrel {
namespace {

// The package's palette classes in registration order.
const std::vector<std::string> kPaletteOrder = {"TSpectrumPoint", "TFIRAnalysis", "TSignal",
                                                "TFFTAnalysis", "TFileStoring"};

void ExpectNothingRegistered() {
  EXPECT_TRUE(PalettePages().empty());
  EXPECT_TRUE(RegisteredClasses().empty());
  EXPECT_TRUE(LoadedPackages().empty());
  EXPECT_EQ(PackageInitCount(), 0);
}

TEST(PackageLoadTest, LoadsInstallsAndUnloadsTwice) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ExpectNothingRegistered();
    TPackage* package = LoadPackage(VANDREL_PACKAGE_FILE);
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(PackageInitCount(), 1);
    EXPECT_EQ(package->UnitNames(), (std::vector<std::string>{"Dsp", "MeasuringPoint", "DspEngine",
                                                              "SignalAnalysis", "Storing"}));
    EXPECT_FALSE(package->Description().empty());
    // Loading registers nothing by itself.
    EXPECT_TRUE(PalettePages().empty());

    InstallPackage(*package);
    InstallPackage(*package);  // a second install changes nothing
    ASSERT_EQ(PalettePages().size(), 1u);
    const TPalettePage& dsp = PalettePages()[0];
    EXPECT_EQ(dsp.Name, "DSP");
    ASSERT_FALSE(dsp.Entries.empty());
    EXPECT_EQ(dsp.Entries[0].ComponentClass->Name, "TSpectrumPoint");
    size_t last = 0;
    for (const TPaletteEntry& e : dsp.Entries) {
      auto at = std::find(kPaletteOrder.begin(), kPaletteOrder.end(), e.ComponentClass->Name);
      ASSERT_NE(at, kPaletteOrder.end()) << e.ComponentClass->Name << " is not a palette class";
      EXPECT_GE(static_cast<size_t>(at - kPaletteOrder.begin()), last) << "registration order";
      last = static_cast<size_t>(at - kPaletteOrder.begin());
      EXPECT_EQ(e.Module, package);
      std::optional<TBitmap> picture = PaletteBitmap(e);
      ASSERT_TRUE(picture.has_value()) << e.ComponentClass->Name;
      EXPECT_EQ(picture->Width(), 24);
      EXPECT_EQ(picture->Height(), 24);
    }
    EXPECT_EQ(GetClass("TTimePoint"), nullptr);

    // The registry creates the palette classes by name.
    std::unique_ptr<TComponent> point(CreateComponent("TSpectrumPoint", nullptr));
    EXPECT_NE(dynamic_cast<TSpectrumPoint*>(point.get()), nullptr);
    point.reset();

    UnloadPackage(package);
    ExpectNothingRegistered();
    EXPECT_EQ(GetClass("TSpectrumPoint"), nullptr);
  }
}

TEST(PackageLoadTest, PackagePicturesAndIconsComeFromTheLibrary) {
  TPackage* package = LoadPackage(VANDREL_PACKAGE_FILE);
  for (const char* name :
       {"TSPECTRUMPOINT", "TFFTANALYSIS", "TFIRANALYSIS", "TSIGNAL", "TFILESTORING"}) {
    std::optional<TBitmap> b = package->FindResource(name, rtBitmap);
    ASSERT_TRUE(b.has_value()) << name;
    EXPECT_EQ(b->Width(), 24);
  }
  EXPECT_EQ(package->FindResource("tspectrumpoint", rtIcon)->Width(), 16);
  EXPECT_EQ(package->FindResource("MAINICON", rtIcon)->Width(), 32);
  EXPECT_FALSE(package->FindResource("MAINICON", rtBitmap).has_value());
  EXPECT_EQ(package->ResourceNames(rtIcon),
            (std::vector<std::string>{"TSPECTRUMPOINT", "MAINICON"}));
  UnloadPackage(package);
  ExpectNothingRegistered();
}

TEST(PackageLoadTest, ClassesTheHostRegisteredStayWhenThePackageLeaves) {
  RegisterClass(TTimePoint::StaticClassInfo());
  TPackage* package = LoadPackage(VANDREL_PACKAGE_FILE);
  InstallPackage(*package);
  UnloadPackage(package);
  EXPECT_EQ(GetClass("TTimePoint"), &TTimePoint::StaticClassInfo());
  EXPECT_TRUE(PalettePages().empty());
  UnRegisterClass(TTimePoint::StaticClassInfo());
  ExpectNothingRegistered();
}

TEST(PackageLoadTest, TheHostFindsTheLibraryItIsLinkedWith) {
  const std::string path = ModuleFileName(reinterpret_cast<const void*>(&GetPackageInfoTable));
  EXPECT_NE(path.find("libvandrel"), std::string::npos) << path;
  TPackage* package = LoadPackage(path);
  EXPECT_EQ(package->FileName(), path);
  UnloadPackage(package);
}

}  // namespace
}  // namespace vandrel
