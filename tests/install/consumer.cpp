// Built against the installed package: times a spectrum point and checks its
// axes, and draws uniform noise from the installed engine.
#include <cmath>
#include <cstdio>

#include "dsp/kvx.h"
#include "vandrel/MeasuringPoint.h"

int main() {
  vandrel::TSpectrumPoint point(nullptr);
  point.SetLength(1000);
  point.SetSampleTime(0.5f);
  bool ok = point.Length() == 1024 && point.Spectrum()->Length() == 512 &&
            point.Spectrum()->MaxX() == 1024.0f;
  std::printf("consumer: %s\n", ok ? "ok" : "wrong axes");

  UniformRandState state;
  float value = 0.0f;
  kvxsRandUniInit(0.0f, 0.0f, 1.0f, &state);
  kvxsbRandUni(&state, &value, 1);
  const bool engineOk = std::fabs(value - 0.0186961f) < 1e-6f;
  std::printf("consumer engine: %s\n", engineOk ? "ok" : "wrong noise");
  return ok && engineOk ? 0 : 1;
}
