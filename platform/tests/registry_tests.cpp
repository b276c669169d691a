#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Component.h"
#include "vandrel/platform/Graphics.h"
#include "vandrel/platform/Package.h"
#include "vandrel/platform/Palette.h"

namespace vandrel {
namespace {

class TWidget : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  using TComponent::TComponent;
};
const TClassInfo& TWidget::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TWidget, TComponent>("TWidget", {});
  return Info;
}

class TGizmo : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  using TComponent::TComponent;
};
const TClassInfo& TGizmo::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TGizmo, TComponent>("TGizmo", {});
  return Info;
}

// Another class that claims the name TWidget.
class TImpostor : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  using TComponent::TComponent;
};
const TClassInfo& TImpostor::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TImpostor, TComponent>("TWidget", {});
  return Info;
}

class TAbstractThing : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  using TComponent::TComponent;
  virtual void Run() = 0;
};
const TClassInfo& TAbstractThing::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TAbstractThing, TComponent>("TAbstractThing", {});
  return Info;
}

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UnRegisterModulePalette(nullptr);
    UnRegisterModuleClasses(nullptr);
    EXPECT_TRUE(PalettePages().empty());
    EXPECT_TRUE(RegisteredClasses().empty());
  }
};

TEST_F(RegistryTest, CreatesRegisteredClassesByNameIgnoringCase) {
  RegisterClass(TWidget::StaticClassInfo());
  RegisterClass(TWidget::StaticClassInfo());  // again: nothing changes
  EXPECT_EQ(RegisteredClasses().size(), 1u);
  EXPECT_EQ(GetClass("twidget"), &TWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("TGizmo"), nullptr);
  EXPECT_THROW(FindClass("TGizmo"), EClassNotFound);

  TComponent owner(nullptr);
  TComponent* w = CreateComponent("TWIDGET", &owner);
  EXPECT_NE(dynamic_cast<TWidget*>(w), nullptr);
  EXPECT_EQ(w->Owner(), &owner);
  EXPECT_THROW(CreateComponent("TGizmo", &owner), EClassNotFound);
  EXPECT_EQ(owner.ComponentCount(), 1);

  UnRegisterClass(TWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("TWidget"), nullptr);
}

TEST_F(RegistryTest, RefusesNameClashesAndClassesThatCannotBeCreated) {
  RegisterClass(TWidget::StaticClassInfo());
  EXPECT_THROW(RegisterClass(TImpostor::StaticClassInfo()), EFilerError);
  EXPECT_THROW(RegisterClass(TAbstractThing::StaticClassInfo()), EFilerError);
  EXPECT_EQ(GetClass("TWidget"), &TWidget::StaticClassInfo());
  EXPECT_EQ(GetClass("TAbstractThing"), nullptr);
}

TEST_F(RegistryTest, PalettePagesKeepRegistrationOrder) {
  RegisterComponents("Extra", {&TGizmo::StaticClassInfo()});
  RegisterComponents("DSP", {&TWidget::StaticClassInfo()});
  RegisterComponents("dsp", {&TGizmo::StaticClassInfo()});  // already on the palette: stays
  const auto& pages = PalettePages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Name, "Extra");
  EXPECT_EQ(pages[1].Name, "DSP");
  ASSERT_EQ(pages[1].Entries.size(), 1u);
  EXPECT_EQ(pages[1].Entries[0].ComponentClass, &TWidget::StaticClassInfo());
  EXPECT_EQ(pages[1].Entries[0].Module, nullptr);
  EXPECT_EQ(FindPalettePage("DSP"), &pages[1]);
  EXPECT_EQ(FindPalettePage("Nope"), nullptr);
  // Registered on the palette means creatable by name.
  EXPECT_EQ(GetClass("TGizmo"), &TGizmo::StaticClassInfo());
  // No package, no picture.
  EXPECT_FALSE(PaletteBitmap(pages[0].Entries[0]).has_value());
}

TEST_F(RegistryTest, RegisterComponentsStopsAtAClassThatCannotBeCreated) {
  EXPECT_THROW(RegisterComponents("DSP", {&TWidget::StaticClassInfo(),
                                          &TAbstractThing::StaticClassInfo(), nullptr}),
               EFilerError);
  EXPECT_THROW(RegisterComponents("DSP", {nullptr}), EFilerError);
  ASSERT_NE(FindPalettePage("DSP"), nullptr);
  EXPECT_EQ(FindPalettePage("DSP")->Entries.size(), 1u);
}

TEST(PackageLoaderTest, FailedLoadsGiveTheSystemLoadersReason) {
  try {
    LoadPackage("/nonexistent/libnothing.so");
    FAIL();
  } catch (const EPackageError& e) {
    const std::string msg = e.what();
    EXPECT_EQ(msg.rfind("Can't load package /nonexistent/libnothing.so.\n", 0), 0u) << msg;
    EXPECT_NE(msg.find("No such file or directory"), std::string::npos) << msg;
  }
  // A library that is not a package stays unloaded.
  try {
    LoadPackage("libm.so.6");
    FAIL();
  } catch (const EPackageError& e) {
    EXPECT_EQ(std::string(e.what()), "libm.so.6 is not a valid package");
  }
  EXPECT_TRUE(LoadedPackages().empty());
  UnloadPackage(nullptr);  // ignored
}

TEST(PackageLoaderTest, RegisterProceduresAreExportedUnderTheUnitsName) {
  EXPECT_EQ(RegisterProcSymbol("Storing"), "vandrel_Storing_Register");
  EXPECT_EQ(ModuleFileName(nullptr), "");
}

TEST(BitmapTest, PixelTextGivesColourIndices) {
  TBitmap b = TBitmap::FromPixelText(3, 2,
                                     "0.A"
                                     "F9B");
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(0, 0), 0);
  EXPECT_EQ(b.Pixel(1, 0), 0);
  EXPECT_EQ(b.Pixel(2, 0), 10);
  EXPECT_EQ(b.Pixel(0, 1), 15);
  EXPECT_EQ(b.Pixel(2, 1), 11);
  EXPECT_EQ(b.Pixel(5, 5), 0);  // outside
  EXPECT_EQ(b.PixelColor(2, 0), (TRGB{0x00, 0xFF, 0x00}));
  EXPECT_EQ(b.ColorCount(), 5);
  EXPECT_THROW(TBitmap::FromPixelText(3, 2, "0.A"), EConvertError);
  EXPECT_THROW(TBitmap::FromPixelText(3, 2, "0.AF9G"), EConvertError);
  EXPECT_THROW(TBitmap::FromPixelText(3, 2, nullptr), EConvertError);
  EXPECT_THROW(TBitmap(-1, 2), EConvertError);
}

uint32_t LE(const std::vector<uint8_t>& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}

TEST(BitmapTest, SavesAStandardFourBitBmp) {
  TBitmap b = TBitmap::FromPixelText(3, 2,
                                     "12."
                                     "F0E");
  const std::vector<uint8_t> bmp = b.SaveToBmp();
  // 14 + 40 header bytes, 16 colours of 4 bytes, 2 rows of 4 bytes (3 nibbles padded).
  ASSERT_EQ(bmp.size(), 14u + 40 + 64 + 8);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(LE(bmp, 2, 4), bmp.size());
  EXPECT_EQ(LE(bmp, 10, 4), 118u);  // pixel data offset
  EXPECT_EQ(LE(bmp, 14, 4), 40u);
  EXPECT_EQ(LE(bmp, 18, 4), 3u);
  EXPECT_EQ(LE(bmp, 22, 4), 2u);
  EXPECT_EQ(LE(bmp, 26, 2), 1u);
  EXPECT_EQ(LE(bmp, 28, 2), 4u);
  EXPECT_EQ(LE(bmp, 30, 4), 0u);
  EXPECT_EQ(LE(bmp, 46, 4), 16u);
  // Colour 11 (yellow) stored blue, green, red, 0.
  EXPECT_EQ(LE(bmp, 54 + 11 * 4, 4), 0x00FFFF00u);
  // Bottom row first, high nibble first.
  const uint8_t rows[8] = {0xF0, 0xE0, 0, 0, 0x12, 0x00, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bmp[118 + static_cast<size_t>(i)], rows[i]) << i;
}

}  // namespace
}  // namespace vandrel
