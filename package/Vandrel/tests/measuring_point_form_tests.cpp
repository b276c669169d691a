#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/FormStorage.h"
#include "vandrel/platform/Palette.h"

namespace vandrel {
namespace {

// A spectrum point that counts its timing updates.
class TCountingSpectrumPoint : public TSpectrumPoint {
  VANDREL_CLASS_INFO()

 public:
  explicit TCountingSpectrumPoint(TComponent* AOwner) : TSpectrumPoint(AOwner) { ++Live; }
  ~TCountingSpectrumPoint() override { --Live; }
  void ApplyTimingChanges() override {
    ++Timings;
    TSpectrumPoint::ApplyTimingChanges();
  }
  int Timings = 0;
  static int Live;
};
int TCountingSpectrumPoint::Live = 0;

const TClassInfo& TCountingSpectrumPoint::StaticClassInfo() {
  static const TClassInfo Info =
      MakeClassInfo<TCountingSpectrumPoint, TSpectrumPoint>("TCountingSpectrumPoint", {});
  return Info;
}

class MeasuringPointFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MeasuringPoint::Register();
    RegisterClass(TCountingSpectrumPoint::StaticClassInfo());
  }
  void TearDown() override {
    UnRegisterModulePalette(nullptr);
    UnRegisterModuleClasses(nullptr);
    EXPECT_EQ(TCountingSpectrumPoint::Live, 0);
  }
};

TEST_F(MeasuringPointFormTest, RegisterPutsOnlyTheSpectrumPointOnPageDSP) {
  const TPalettePage* dsp = FindPalettePage("DSP");
  ASSERT_NE(dsp, nullptr);
  EXPECT_EQ(dsp->Name, "DSP");
  ASSERT_EQ(dsp->Entries.size(), 1u);
  EXPECT_EQ(dsp->Entries[0].ComponentClass, &TSpectrumPoint::StaticClassInfo());
  EXPECT_EQ(PalettePages().size(), 1u);
  // The time point is for code only: not on the palette, not creatable by name
  // until a host registers it.
  EXPECT_EQ(GetClass("TTimePoint"), nullptr);
  EXPECT_EQ(GetClass("TMeasuringPoint"), nullptr);
}

const char* const kPointForm =
    "object Point1: TSpectrumPoint\n"
    "  SensorUnits = 'mm/s'\n"
    "  Length = 1024\n"
    "  SampleTime = 0.5\n"
    "  Active = True\n"
    "  Dirty = False\n"
    "end\n";

TEST_F(MeasuringPointFormTest, SpectrumPointStoresAndLoadsBackTimedOnce) {
  TSpectrumPoint p(nullptr);
  p.SetName("Point1");
  p.SetSensorUnits("mm/s");
  p.SetLength(1024);
  p.SetSampleTime(0.5f);
  EXPECT_EQ(ComponentToString(p), kPointForm);

  std::unique_ptr<TComponent> back(StringToComponent(kPointForm, nullptr));
  auto* q = dynamic_cast<TSpectrumPoint*>(back.get());
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->Name(), "Point1");
  EXPECT_EQ(q->SensorUnits(), "mm/s");
  EXPECT_EQ(q->Length(), 1024);
  EXPECT_EQ(q->SampleTime(), 0.5f);
  EXPECT_TRUE(q->Active());
  EXPECT_FALSE(q->Dirty());
  EXPECT_EQ(q->TimeSignal()->Length(), 1024);
  EXPECT_EQ(q->TimeSignal()->MaxX(), 0.5f);
  EXPECT_EQ(q->TimeSignal()->SampleFrequency(), 2048.0f);
  EXPECT_EQ(q->Spectrum()->Length(), 512);
  EXPECT_EQ(q->Spectrum()->MaxX(), 1024.0f);
  EXPECT_EQ(ComponentToString(*q), kPointForm);
}

TEST_F(MeasuringPointFormTest, LoadingTimesThePointOnce) {
  std::string text = kPointForm;
  text.replace(text.find("TSpectrumPoint"), 14, "TCountingSpectrumPoint");
  std::unique_ptr<TComponent> back(StringToComponent(text, nullptr));
  auto* q = dynamic_cast<TCountingSpectrumPoint*>(back.get());
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->Timings, 1);
  EXPECT_EQ(q->TimeSignal()->Length(), 1024);
  EXPECT_EQ(ComponentToString(*q), text);
}

TEST_F(MeasuringPointFormTest, TimePointLeavesOutItsDefaultLength) {
  TTimePoint t(nullptr);
  t.SetName("Raw");
  t.SetSampleTime(2);
  const std::string text = ComponentToString(t);
  EXPECT_EQ(text,
            "object Raw: TTimePoint\n"
            "  SensorUnits = ''\n"
            "  SampleTime = 2\n"
            "  Active = True\n"
            "  Dirty = False\n"
            "end\n");
  EXPECT_THROW(StringToComponent(text, nullptr), EParserError);  // not registered
  RegisterClass(TTimePoint::StaticClassInfo());
  t.SetLength(1000);
  std::unique_ptr<TComponent> back(StringToComponent(ComponentToString(t), nullptr));
  auto* q = dynamic_cast<TTimePoint*>(back.get());
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->Length(), 1000);
  EXPECT_EQ(q->TimeSignal()->SampleFrequency(), 500.0f);
}

TEST_F(MeasuringPointFormTest, ALengthTheSetterRefusesIsReportedWithItsLine) {
  TComponent owner(nullptr);
  const char* text =
      "object Form1: TCountingSpectrumPoint\n"
      "  object Good: TCountingSpectrumPoint\n"
      "    Length = 64\n"
      "  end\n"
      "  object Bad: TCountingSpectrumPoint\n"
      "    SensorUnits = 'g'\n"
      "    Length = 0\n"
      "  end\n"
      "end\n";
  try {
    StringToComponent(text, &owner);
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Line(), 7);
    EXPECT_STREQ(e.what(),
                 "Line 7: Invalid value for property Length: Floating point division by zero");
  }
  EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
}  // namespace vandrel
