// Built against the installed package: times a spectrum point and checks its axes.
#include <cstdio>

#include "vandrel/MeasuringPoint.h"

int main() {
  vandrel::TSpectrumPoint point(nullptr);
  point.SetLength(1000);
  point.SetSampleTime(0.5f);
  bool ok = point.Length() == 1024 && point.Spectrum()->Length() == 512 &&
            point.Spectrum()->MaxX() == 1024.0f;
  std::printf("consumer: %s\n", ok ? "ok" : "wrong axes");
  return ok ? 0 : 1;
}
