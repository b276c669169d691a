// The loader with a second package beside libvandrel: its own exports only,
// and failed initialisation or registration leaving nothing behind.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Component.h"
#include "vandrel/platform/Package.h"
#include "vandrel/platform/Palette.h"

namespace vandrel {
namespace {

// Holds the test package open by itself, so its failure switches can be set
// before the loader runs its initialisation.
class LoaderFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FHandle = dlopen(VANDREL_TEST_PACKAGE_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(FHandle, nullptr) << dlerror();
    SetFailures = reinterpret_cast<void (*)(bool, bool)>(dlsym(FHandle, "TestPackageFailures"));
    Initialized = reinterpret_cast<int (*)()>(dlsym(FHandle, "TestPackageInitialized"));
    ASSERT_NE(SetFailures, nullptr);
    ASSERT_NE(Initialized, nullptr);
    SetFailures(false, false);
  }
  void TearDown() override {
    EXPECT_TRUE(LoadedPackages().empty());
    EXPECT_TRUE(PalettePages().empty());
    EXPECT_TRUE(RegisteredClasses().empty());
    if (FHandle != nullptr) dlclose(FHandle);
  }
  void* FHandle = nullptr;
  void (*SetFailures)(bool Register, bool Init) = nullptr;
  int (*Initialized)() = nullptr;
};

TEST_F(LoaderFailureTest, TwoPackagesInstallSideBySideAndLeaveSeparately) {
  TPackage* test = LoadPackage(VANDREL_TEST_PACKAGE_FILE);
  TPackage* main = LoadPackage(VANDREL_PACKAGE_FILE);
  EXPECT_EQ(Initialized(), 1);
  EXPECT_EQ(test->Description(), "Loader test package");
  EXPECT_EQ(main->Description(), "Vandrel signal-analysis components");
  InstallPackage(*test);
  InstallPackage(*main);
  ASSERT_NE(FindPalettePage("Test"), nullptr);
  ASSERT_NE(FindPalettePage("DSP"), nullptr);
  // The test package depends on libvandrel, whose pictures and Register
  // procedures are not the test package's.
  const TPaletteEntry& widget = FindPalettePage("Test")->Entries.at(0);
  EXPECT_EQ(widget.ComponentClass->Name, "TTestWidget");
  EXPECT_EQ(widget.Module, test);
  EXPECT_FALSE(PaletteBitmap(widget).has_value());
  EXPECT_TRUE(test->ResourceNames(rtBitmap).empty());
  EXPECT_EQ(FindPalettePage("DSP")->Entries.at(0).Module, main);

  std::unique_ptr<TComponent> w(CreateComponent("TTestWidget", nullptr));
  EXPECT_EQ(w->ClassName(), "TTestWidget");
  w.reset();  // before its package leaves

  UnloadPackage(test);
  EXPECT_EQ(Initialized(), 0);
  EXPECT_EQ(FindPalettePage("Test"), nullptr);
  EXPECT_EQ(GetClass("TTestWidget"), nullptr);
  EXPECT_NE(GetClass("TSpectrumPoint"), nullptr);
  UnloadPackage(main);
}

TEST_F(LoaderFailureTest, AFailedRegisterTakesBackWhatThePackageRegistered) {
  SetFailures(true, false);
  TPackage* test = LoadPackage(VANDREL_TEST_PACKAGE_FILE);
  try {
    InstallPackage(*test);
    FAIL() << "installed";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Faulty.Register failed");
  }
  // Widgets registered before Faulty failed; both are gone again.
  EXPECT_TRUE(PalettePages().empty());
  EXPECT_EQ(GetClass("TTestWidget"), nullptr);
  EXPECT_FALSE(test->Installed());
  SetFailures(false, false);
  InstallPackage(*test);
  EXPECT_TRUE(test->Installed());
  EXPECT_NE(GetClass("TTestWidget"), nullptr);
  UnloadPackage(test);
}

TEST_F(LoaderFailureTest, AFailedInitialisationIsAFailedLoad) {
  SetFailures(false, true);
  try {
    LoadPackage(VANDREL_TEST_PACKAGE_FILE);
    FAIL() << "loaded";
  } catch (const EPackageError& e) {
    EXPECT_EQ(std::string(e.what()), std::string("Can't load package ") +
                                         VANDREL_TEST_PACKAGE_FILE +
                                         ".\nthe Faulty unit could not start");
  }
  EXPECT_EQ(Initialized(), 0);
}

}  // namespace
}  // namespace vandrel
