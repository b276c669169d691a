// vandrel: the host program. For now it creates a spectrum point, times it
// and prints its axes.
#include <cstdio>
#include <exception>

#include "vandrel/MeasuringPoint.h"

int main() {
  try {
    vandrel::TSpectrumPoint point(nullptr);
    point.SetSensorUnits("mm/s");
    point.SetLength(1000);
    point.SetSampleTime(0.5f);
    const vandrel::TTImeSignal& ts = *point.TimeSignal();
    const vandrel::TSpectrum& sp = *point.Spectrum();
    std::printf("requested length 1000 -> %d samples over %g s (%s)\n", point.Length(),
                point.SampleTime(), point.SensorUnits().c_str());
    std::printf("time axis      %g .. %g s, %g samples/s\n", ts.MinX(), ts.MaxX(),
                ts.SampleFrequency());
    std::printf("frequency axis %g .. %g Hz, %d lines, spacing %g Hz\n", sp.MinX(), sp.MaxX(),
                sp.Length(), sp.MaxX() / sp.Length());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vandrel: %s\n", e.what());
    return 3;
  }
}
