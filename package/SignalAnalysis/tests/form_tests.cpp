#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vandrel/SignalAnalysis.h"
#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/FormStorage.h"

namespace vandrel {
namespace {

TEST(SpectrumAnalysisForm, SettingsAndPointReferenceRoundTrip) {
  RegisterClass(TComponent::StaticClassInfo());
  RegisterClass(TSpectrumPoint::StaticClassInfo());
  RegisterClass(TFFTAnalysis::StaticClassInfo());
  std::string text;
  {
    TComponent form(nullptr);
    form.SetName("Form1");
    auto* analysis = new TFFTAnalysis(&form);  // stored before the point it refers to
    analysis->SetName("Spectrum1");
    auto* point = new TSpectrumPoint(&form);
    point->SetName("Point1");
    point->SetLength(1024);
    point->SetSampleTime(0.5f);
    analysis->SetMPoint(point);
    analysis->SetTimeWindow(wtHanning);
    analysis->SetDCDump(true);
    analysis->SetLogarithmic(true);
    analysis->SetLogDBSpan(ls60);
    analysis->SetScaleFactor(2.5f);
    analysis->SetAveraging(avInfiniteExponential);
    analysis->SetExpDecay(8);
    text = ComponentToString(form);
  }
  EXPECT_NE(text.find("Window = wtHanning"), std::string::npos) << text;
  EXPECT_NE(text.find("DCDump = True"), std::string::npos) << text;
  EXPECT_EQ(text.find("SpectrumType"), std::string::npos) << "defaults are not stored\n" << text;
  EXPECT_EQ(text.find("Dirty = "), text.find("Dirty = False")) << "only the point's Dirty is stored";

  std::unique_ptr<TComponent> form(StringToComponent(text, nullptr));
  auto* analysis = dynamic_cast<TFFTAnalysis*>(form->FindComponent("Spectrum1"));
  auto* point = dynamic_cast<TSpectrumPoint*>(form->FindComponent("Point1"));
  ASSERT_NE(analysis, nullptr);
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(analysis->MPoint(), point);
  EXPECT_EQ(analysis->Window(), wtHanning);
  EXPECT_TRUE(analysis->DCDump());
  EXPECT_TRUE(analysis->Logarithmic());
  EXPECT_EQ(analysis->DBSpan(), 60);
  EXPECT_EQ(analysis->ScaleFactor(), 2.5f);
  EXPECT_EQ(analysis->Averaging(), avInfiniteExponential);
  EXPECT_EQ(analysis->ExponentialDecay(), 8);
  EXPECT_EQ(point->Spectrum()->Length(), 512);
  EXPECT_EQ(ComponentToString(*form), text);

  // The loaded pair analyses: a run fills the point's spectrum.
  point->TimeSignal()->Data()[0] = 1;
  analysis->SetLogarithmic(false);
  analysis->SetAveraging(avNone);
  analysis->AnalyzeData();
  EXPECT_FALSE(analysis->Dirty());
}

}  // namespace
}  // namespace vandrel
