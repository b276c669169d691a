#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/Component.h"
#include "vandrel/platform/FormStorage.h"

namespace vandrel {
namespace {

enum TShade { shLight, shMedium, shDark };

// A component with one published property of every kind the forms store.
class TGadget : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TGadget(TComponent* AOwner) : TComponent(AOwner) { ++Live; }
  ~TGadget() override { --Live; }

  int32_t Count() const { return FCount; }
  void SetCount(int32_t Value) {
    if (Value < -1000000) throw EConvertError("Count too small");
    FCount = Value;
  }
  float Gain() const { return FGain; }
  void SetGain(float Value) { FGain = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade Value) { FShade = Value; }
  TGadget* Peer() const { return FPeer; }
  void SetPeer(TGadget* Value) {
    FPeer = Value;
    PeerCaptionWhenSet = Value != nullptr ? Value->Caption() : "";
    PeerLoadedWhenSet = Value != nullptr && Value->LoadedCalls > 0;
  }
  int32_t Version() const { return 7; }

  void Loaded() override {
    ++LoadedCalls;
    PeerAssignedAtLoaded = FPeer != nullptr;
  }

  static int Live;
  int LoadedCalls = 0;
  bool PeerAssignedAtLoaded = false;
  std::string PeerCaptionWhenSet;
  bool PeerLoadedWhenSet = false;

 private:
  int32_t FCount = 0;
  float FGain = 1;
  bool FEnabled = true;
  std::string FCaption;
  TShade FShade = shMedium;
  TGadget* FPeer = nullptr;
};

int TGadget::Live = 0;

const TClassInfo& TGadget::StaticClassInfo() {
  using C = TGadget;
  static const TClassInfo Info = MakeClassInfo<C, TComponent>(
      "TGadget", {
                     Property("Count", &C::Count, &C::SetCount, std::optional<int32_t>(0)),
                     Property("Gain", &C::Gain, &C::SetGain),
                     Property("Enabled", &C::Enabled, &C::SetEnabled, std::optional<bool>(true)),
                     Property("Caption", &C::Caption, &C::SetCaption),
                     EnumProperty("Shade", &C::Shade, &C::SetShade,
                                  {"shLight", "shMedium", "shDark"}, std::optional(shMedium)),
                     Property("Peer", &C::Peer, &C::SetPeer, std::optional<TGadget*>(nullptr)),
                     ReadOnlyProperty("Version", &C::Version),
                 });
  return Info;
}

// A gadget subclass, to check that references accept subclasses and refuse others.
class TBigGadget : public TGadget {
  VANDREL_CLASS_INFO()

 public:
  using TGadget::TGadget;
};

const TClassInfo& TBigGadget::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TBigGadget, TGadget>("TBigGadget", {});
  return Info;
}

// A plain component class that gadgets may not reference.
class TBox : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TBox(TComponent* AOwner) : TComponent(AOwner) { ++TGadget::Live; }
  ~TBox() override { --TGadget::Live; }
};

const TClassInfo& TBox::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TBox, TComponent>("TBox", {});
  return Info;
}

class FormStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClass(TGadget::StaticClassInfo());
    RegisterClass(TBigGadget::StaticClassInfo());
    RegisterClass(TBox::StaticClassInfo());
    TGadget::Live = 0;
  }
  void TearDown() override {
    UnRegisterModuleClasses(nullptr);
    EXPECT_EQ(TGadget::Live, 0) << "components leaked or destroyed twice";
  }
};

const char* const kForm =
    "object Rack: TBox\n"
    "  object First: TGadget\n"
    "    Count = -12\n"
    "    Gain = 0.1\n"
    "    Enabled = False\n"
    "    Caption = 'it''s'#13#10'mm/s '#9'\xC2\xB5m'\n"
    "    Shade = shDark\n"
    "    Peer = Second\n"
    "  end\n"
    "  object Second: TBigGadget\n"
    "    Gain = 1\n"
    "    Caption = 'b'\n"
    "    object Inner: TGadget\n"
    "      Gain = -Inf\n"
    "      Caption = ''\n"
    "      Peer = Second.Inner\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST_F(FormStorageTest, ReadsEveryKindAndWritesItBackByteForByte) {
  std::unique_ptr<TComponent> rack(StringToComponent(kForm, nullptr));
  ASSERT_EQ(rack->ClassName(), "TBox");
  ASSERT_EQ(rack->ComponentCount(), 2);
  auto* first = dynamic_cast<TGadget*>(rack->FindComponent("First"));
  auto* second = dynamic_cast<TBigGadget*>(rack->FindComponent("Second"));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  auto* inner = dynamic_cast<TGadget*>(second->FindComponent("Inner"));
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(first->Count(), -12);
  EXPECT_EQ(first->Gain(), 0.1f);
  EXPECT_FALSE(first->Enabled());
  EXPECT_EQ(first->Caption(), "it's\r\nmm/s \t\xC2\xB5m");
  EXPECT_EQ(first->Shade(), shDark);
  EXPECT_EQ(first->Peer(), second);
  EXPECT_EQ(inner->Peer(), inner);
  EXPECT_TRUE(std::isinf(inner->Gain()) && inner->Gain() < 0);
  EXPECT_EQ(second->Shade(), shMedium);  // absent: the constructor's value stays

  EXPECT_EQ(ComponentToString(*rack), kForm);
  // write -> read -> write is stable too
  std::unique_ptr<TComponent> again(StringToComponent(ComponentToString(*rack), nullptr));
  EXPECT_EQ(ComponentToString(*again), kForm);
}

TEST_F(FormStorageTest, DefaultsAndReadOnlyPropertiesAreNotWritten) {
  TGadget g(nullptr);
  g.SetName("G");
  EXPECT_EQ(ComponentToString(g), "object G: TGadget\n  Gain = 1\n  Caption = ''\nend\n");
  g.SetCount(3);
  g.SetShade(shLight);
  EXPECT_EQ(ComponentToString(g),
            "object G: TGadget\n  Count = 3\n  Gain = 1\n  Caption = ''\n  Shade = shLight\nend\n");
  TGadget unnamed(nullptr);
  EXPECT_EQ(ComponentToString(unnamed).substr(0, 15), "object TGadget\n");
}

TEST_F(FormStorageTest, SingleValuesRoundTripExactly) {
  const float values[] = {0.0f,
                          -0.0f,
                          0.5f,
                          0.1f,
                          1.0f / 3.0f,
                          -2.5e-7f,
                          1e30f,
                          std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::min(),
                          std::numeric_limits<float>::denorm_min(),
                          std::numeric_limits<float>::infinity(),
                          16777217.0f};
  for (float v : values) {
    TGadget g(nullptr);
    g.SetGain(v);
    std::unique_ptr<TComponent> back(StringToComponent(ComponentToString(g), nullptr));
    float got = static_cast<TGadget*>(back.get())->Gain();
    EXPECT_EQ(std::memcmp(&got, &v, sizeof v), 0) << ComponentToString(g);
  }
  TGadget g(nullptr);
  g.SetGain(std::nanf(""));
  std::unique_ptr<TComponent> back(StringToComponent(ComponentToString(g), nullptr));
  EXPECT_TRUE(std::isnan(static_cast<TGadget*>(back.get())->Gain()));
}

TEST_F(FormStorageTest, ReferencesAreSetAfterEveryOtherPropertyThenLoadedRuns) {
  // First refers to Second, which is read later: when First's Peer is set,
  // Second's caption is already there, and no Loaded has run yet.
  std::unique_ptr<TComponent> rack(StringToComponent(kForm, nullptr));
  auto* first = static_cast<TGadget*>(rack->FindComponent("First"));
  auto* second = static_cast<TGadget*>(rack->FindComponent("Second"));
  EXPECT_EQ(first->PeerCaptionWhenSet, "b");
  EXPECT_FALSE(first->PeerLoadedWhenSet);
  EXPECT_EQ(first->LoadedCalls, 1);
  EXPECT_EQ(second->LoadedCalls, 1);
  EXPECT_TRUE(first->PeerAssignedAtLoaded);
}

TEST_F(FormStorageTest, ReadsIntoAnOwnerAndIntoAnExistingRoot) {
  TComponent owner(nullptr);
  TComponent* rack = StringToComponent(kForm, &owner);
  EXPECT_EQ(rack->Owner(), &owner);
  EXPECT_EQ(owner.FindComponent("Rack"), rack);

  TBox box(nullptr);
  ReadRootComponent(kForm, box);
  EXPECT_EQ(box.Name(), "Rack");
  EXPECT_EQ(box.ComponentCount(), 2);
  EXPECT_EQ(ComponentToString(box), kForm);

  TGadget wrong(nullptr);
  EXPECT_THROW(ReadRootComponent(kForm, wrong), EParserError);
  EXPECT_EQ(wrong.ComponentCount(), 0);
}

TEST_F(FormStorageTest, LineEndingsIndentationAndCaseAreForgiven) {
  std::unique_ptr<TComponent> g(
      StringToComponent("\r\n  OBJECT   G :  tgadget\r\n\tcount=5\r\n shade = SHDARK\r\n  enabled "
                        "= true\r\nEnd\r\n\r\n",
                        nullptr));
  auto* gadget = static_cast<TGadget*>(g.get());
  EXPECT_EQ(gadget->Name(), "G");
  EXPECT_EQ(gadget->Count(), 5);
  EXPECT_EQ(gadget->Shade(), shDark);
  EXPECT_TRUE(gadget->Enabled());
}

struct TMalformed {
  const char* Text;
  int Line;
  const char* Reason;
};

TEST_F(FormStorageTest, MalformedFormsAreRefusedWithLineAndReasonAndCreateNothing) {
  const TMalformed cases[] = {
      {"", 1, "holds no object"},
      {"\n\n", 2, "holds no object"},
      {"Count = 1\n", 1, "Expected 'object'"},
      {"end\n", 1, "'end' without an open object"},
      {"object G: TGadget\n  Count = 1\n", 2, "Missing 'end' of the object opened on line 1"},
      {"object G: TGadget\nend\nobject H: TGadget\nend\n", 3, "Text after the end of the form"},
      {"object G: TGadget extra\nend\n", 1, "Unexpected text"},
      {"object\nend\n", 1, "Expected a component name or class"},
      {"object G:\nend\n", 1, "Expected a class name"},
      {"object G: TGadget\n  ! = 3\nend\n", 2, "Expected 'object', 'end' or a property"},
      {"object G: TGadget\n  Count 3\nend\n", 2, "Expected '='"},
      {"object G: TGadget\n  Count =\nend\n", 2, "Missing value of property Count"},
      {"object G: TNoSuchClass\nend\n", 1, "Class TNoSuchClass not found"},
      {"object G: TGadget\n  object H: TComponent\n  end\nend\n", 2, "Class TComponent not found"},
      {"object G: TGadget\n  Colour = 3\nend\n", 2, "Property Colour does not exist in TGadget"},
      {"object G: TGadget\n  Version = 3\nend\n", 2, "Property Version is read-only"},
      {"object G: TGadget\n  Count = 1\n  count = 2\nend\n", 3, "Property Count is given twice"},
      {"object G: TGadget\n  Count = 1.5\nend\n", 2,
       "Invalid Integer value '1.5' for property Count"},
      {"object G: TGadget\n  Count = 2147483648\nend\n", 2, "Invalid Integer value"},
      {"object G: TGadget\n  Count = 0x10\nend\n", 2, "Invalid Integer value"},
      {"object G: TGadget\n  Gain = 1e39\nend\n", 2, "Invalid Single value '1e39'"},
      {"object G: TGadget\n  Gain = half\nend\n", 2, "Invalid Single value"},
      {"object G: TGadget\n  Enabled = 1\nend\n", 2, "Invalid Boolean value"},
      {"object G: TGadget\n  Caption = 'open\nend\n", 2, "Invalid string value"},
      {"object G: TGadget\n  Caption = mm\nend\n", 2, "Invalid string value"},
      {"object G: TGadget\n  Caption = #256\nend\n", 2, "Invalid string value"},
      {"object G: TGadget\n  Shade = shPurple\nend\n", 2, "Invalid enumeration value 'shPurple'"},
      {"object G: TGadget\n  Shade = 3\nend\n", 2, "Invalid enumeration value"},
      {"object G: TGadget\n  Peer = 'H'\nend\n", 2, "Invalid component reference value"},
      {"object G: TGadget\n  Peer = H\nend\n", 2, "Component H not found for property Peer"},
      {"object G: TGadget\n  object B: TBox\n  end\n  Peer = B\nend\n", 4,
       "B is a TBox; property Peer needs a TGadget"},
      {"object G: TGadget\n  object H: TGadget\n  end\n  object h: TGadget\n  end\nend\n", 4,
       "A component named h already exists"},
      {"object G: TGadget\n  object H: TGadget\n    Count = -2000000\n  end\nend\n", 3,
       "Invalid value for property Count: Count too small"},
  };
  for (const TMalformed& c : cases) {
    TComponent owner(nullptr);
    try {
      StringToComponent(c.Text, &owner);
      ADD_FAILURE() << "accepted: " << c.Text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Line(), c.Line) << c.Text;
      EXPECT_NE(std::string(e.what()).find(c.Reason), std::string::npos)
          << "message: " << e.what() << "\nexpected: " << c.Reason;
      EXPECT_EQ(std::string(e.what()).rfind("Line " + std::to_string(c.Line) + ": ", 0), 0u)
          << e.what();
    }
    EXPECT_EQ(owner.ComponentCount(), 0) << c.Text;
    EXPECT_EQ(TGadget::Live, 0) << c.Text;
  }
}

TEST_F(FormStorageTest, DeepNestingIsRefusedNotOverflowed) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "object TBox\n";
  try {
    StringToComponent(text, nullptr);
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), 257);
  }
  std::string ok;
  for (int i = 0; i < 200; ++i) ok += "object TBox\n";
  for (int i = 0; i < 200; ++i) ok += "end\n";
  std::unique_ptr<TComponent> deep(StringToComponent(ok, nullptr));
  EXPECT_EQ(ComponentToString(*deep), [] {
    std::string s;
    for (int i = 0; i < 200; ++i) s += std::string(2 * i, ' ') + "object TBox\n";
    for (int i = 199; i >= 0; --i) s += std::string(2 * i, ' ') + "end\n";
    return s;
  }());
}

TEST_F(FormStorageTest, ReferencesOutsideTheFormOrToUnnamedComponentsAreNotWritten) {
  TGadget outside(nullptr);
  outside.SetName("Outside");
  TBox rack(nullptr);
  rack.SetName("Rack");
  auto* g = new TGadget(&rack);
  g->SetName("G");
  g->SetPeer(&outside);
  EXPECT_THROW(ComponentToString(rack), EWriteError);
  auto* unnamed = new TGadget(&rack);
  g->SetPeer(unnamed);
  EXPECT_THROW(ComponentToString(rack), EWriteError);
  g->SetPeer(g);
  EXPECT_NE(ComponentToString(rack).find("Peer = G\n"), std::string::npos);
}

TEST_F(FormStorageTest, FilesRoundTripAndMissingFilesRaiseInOutErrors) {
  std::unique_ptr<TComponent> rack(StringToComponent(kForm, nullptr));
  const std::string path = ::testing::TempDir() + "vandrel_form_test.vfm";
  WriteComponentFile(path, *rack);
  std::unique_ptr<TComponent> back(ReadComponentFile(path, nullptr));
  EXPECT_EQ(ComponentToString(*back), kForm);
  std::remove(path.c_str());
  EXPECT_THROW(ReadComponentFile(path, nullptr), EInOutError);
  EXPECT_THROW(WriteComponentFile("/nonexistent-dir/x.vfm", *rack), EInOutError);

  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fputs("object R: TBox\n  Bogus = 1\nend\n", f);
  std::fclose(f);
  try {
    ReadComponentFile(path, nullptr);
    ADD_FAILURE();
  } catch (const EParserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ", line 2: ", 0), 0u) << e.what();
  }
  std::remove(path.c_str());
}

TEST_F(FormStorageTest, StreamsCarryTheSameText) {
  std::unique_ptr<TComponent> rack(StringToComponent(kForm, nullptr));
  std::stringstream s;
  WriteComponent(s, *rack);
  EXPECT_EQ(s.str(), kForm);
  std::unique_ptr<TComponent> back(ReadComponent(s, nullptr));
  EXPECT_EQ(ComponentToString(*back), kForm);
}

}  // namespace
}  // namespace vandrel
