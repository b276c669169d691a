// vandrel spectrum: play a signal into a spectrum point, run the spectrum
// analysis and print its strongest lines (or the whole spectrum as CSV).
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Command.h"
#include "vandrel/MeasuringPoint.h"
#include "vandrel/SignalAnalysis.h"
#include "vandrel/Storing.h"
#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel::host {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct TSpectrumOptions {
  bool Demo = false;
  std::string File;
  int Record = 1;
  bool All = false;
  bool Csv = false;
  int Lines = 8;
  std::string Units;
  TTimeWindow Window = wtRectangular;
  TSpectrumType Type = atNormal;
  float Scale = 1.0f;
  bool Logarithmic = false;
  TLogType LogType = ltAbsolute;
  TLogDBSpan Span = ls120;
  TAveraging Averaging = avNone;
  int Decay = 5;
  bool DCDump = false;
};

// Option values are the enumeration's value names without their two-letter
// prefix, in lower case: wtHanning is "hanning".
std::string OptionName(const std::string& EnumName) {
  std::string s = EnumName.substr(2);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int ParseEnum(const std::string& Option, const std::string& Value,
              const std::vector<std::string>& Names) {
  std::string accepted;
  for (size_t i = 0; i < Names.size(); ++i) {
    if (OptionName(Names[i]) == Value) return static_cast<int>(i);
    accepted += (i ? ", " : "") + OptionName(Names[i]);
  }
  throw EUsageError("invalid " + Option + " '" + Value + "' (accepted: " + accepted + ")");
}

int ParseInt(const std::string& Option, const std::string& Value, int Min) {
  int v = 0;
  auto [end, ec] = std::from_chars(Value.data(), Value.data() + Value.size(), v);
  if (ec != std::errc() || end != Value.data() + Value.size() || v < Min)
    throw EUsageError("invalid " + Option + " '" + Value + "' (a whole number of at least " +
                      std::to_string(Min) + ")");
  return v;
}

float ParseFloat(const std::string& Option, const std::string& Value) {
  float v = 0;
  auto [end, ec] = std::from_chars(Value.data(), Value.data() + Value.size(), v);
  if (ec != std::errc() || end != Value.data() + Value.size() || !std::isfinite(v))
    throw EUsageError("invalid " + Option + " '" + Value + "' (a finite number)");
  return v;
}

TSpectrumOptions ParseOptions(const std::vector<std::string>& Args) {
  TSpectrumOptions o;
  TArgs a(Args);
  bool recordGiven = false;
  while (a.More()) {
    const std::string arg = a.Next();
    if (a.Is("--demo")) o.Demo = true;
    else if (a.Is("--all")) o.All = true;
    else if (a.Is("--csv")) o.Csv = true;
    else if (a.Is("--dcdump")) o.DCDump = true;
    else if (a.Is("--record")) o.Record = ParseInt("record", a.Value(), 1), recordGiven = true;
    else if (a.Is("--lines")) o.Lines = ParseInt("line count", a.Value(), 1);
    else if (a.Is("--units")) o.Units = a.Value();
    else if (a.Is("--window")) o.Window = static_cast<TTimeWindow>(ParseEnum("window", a.Value(), TimeWindowNames()));
    else if (a.Is("--type")) o.Type = static_cast<TSpectrumType>(ParseEnum("spectrum type", a.Value(), SpectrumTypeNames()));
    else if (a.Is("--scale")) o.Scale = ParseFloat("scale factor", a.Value());
    else if (a.Is("--averaging")) o.Averaging = static_cast<TAveraging>(ParseEnum("averaging", a.Value(), AveragingNames()));
    else if (a.Is("--decay")) o.Decay = ParseInt("decay", a.Value(), 1);
    else if (a.Is("--span")) {
      o.Span = static_cast<TLogDBSpan>(ParseEnum("decibel span", a.Value(), LogDBSpanNames()));
    } else if (a.Is("--db")) {
      // The log types, and "off" for a linear spectrum.
      std::vector<std::string> modes = LogTypeNames();
      modes.push_back("--off");
      const int mode = ParseEnum("decibel mode", a.Value(), modes);
      o.Logarithmic = mode != static_cast<int>(modes.size()) - 1;
      if (o.Logarithmic) o.LogType = static_cast<TLogType>(mode);
    } else if (!arg.empty() && arg[0] == '-') {
      throw EUsageError("unknown option '" + arg + "'");
    } else if (o.File.empty()) {
      o.File = arg;
    } else {
      throw EUsageError("more than one input file");
    }
  }
  if (o.Demo == !o.File.empty()) throw EUsageError("give either --demo or a recording FILE");
  if (o.Demo && (o.All || recordGiven)) throw EUsageError("--record and --all need a recording FILE");
  if (o.All && recordGiven) throw EUsageError("give either --record or --all");
  if (o.Units.empty()) o.Units = o.Demo ? "mm/s" : "units";
  return o;
}

// The demo signal: sines of known amplitude at whole frequencies of a 1 s
// record, so that each falls exactly on a spectral line.
struct TTone {
  double Frequency, Amplitude;
};
constexpr TTone kDemoTones[] = {{50, 3.0}, {120, 1.5}, {333, 0.5}, {1000, 0.25}};

void FillDemo(TSpectrumPoint& Point) {
  Point.SetLength(4096);
  Point.SetSampleTime(1.0f);
  float* data = Point.TimeSignal()->Data();
  const int n = Point.TimeSignal()->Length();
  for (int j = 0; j < n; ++j) {
    double v = 0;
    for (const TTone& t : kDemoTones) v += t.Amplitude * std::sin(2 * kPi * t.Frequency * j / n);
    data[j] = static_cast<float>(v);
  }
}

std::string LevelUnit(const TSpectrumOptions& o) {
  if (o.Logarithmic)
    return o.LogType == ltAbsolute ? "dB re strongest line" : "dB re 1 " + o.Units;
  switch (o.Type) {
    case atRMS: return o.Units + " rms";
    case atPower: return "(" + o.Units + ")^2";
    default: return o.Units + " peak";
  }
}

void Configure(TFFTAnalysis& Analysis, const TSpectrumOptions& o) {
  Analysis.SetTimeWindow(o.Window);
  Analysis.SetSpectrumType(o.Type);
  Analysis.SetScaleFactor(o.Scale);
  Analysis.SetLogarithmic(o.Logarithmic);
  Analysis.SetLogType(o.LogType);
  Analysis.SetLogDBSpan(o.Span);
  Analysis.SetAveraging(o.Averaging);
  Analysis.SetExpDecay(o.Decay);
  Analysis.SetDCDump(o.DCDump);
}

// Prints the strongest local maxima of the spectrum, strongest first.
void PrintLines(const TSpectrumPoint& Point, const TSpectrumOptions& o, const std::string& Title) {
  const TSpectrum& s = *Point.Spectrum();
  const int n = s.Length();
  const float* a = s.Amplt();
  const double spacing = n > 0 ? static_cast<double>(s.MaxX()) / n : 0;
  std::vector<int> peaks;
  for (int k = 0; k < n; ++k) {
    const bool left = k == 0 || a[k] > a[k - 1];
    const bool right = k == n - 1 || a[k] >= a[k + 1];
    if (left && right) peaks.push_back(k);
  }
  std::stable_sort(peaks.begin(), peaks.end(), [a](int x, int y) { return a[x] > a[y]; });
  if (static_cast<int>(peaks.size()) > o.Lines) peaks.resize(static_cast<size_t>(o.Lines));
  const std::string unit = LevelUnit(o);
  std::printf("%s\n", Title.c_str());
  std::printf("%14s %14s  %s\n", "frequency_Hz", "level", "unit");
  for (int k : peaks) std::printf("%14.3f %14.6g  %s\n", k * spacing, a[k], unit.c_str());
}

void PrintCsv(const TSpectrumPoint& Point, const std::string& Title) {
  const TSpectrum& s = *Point.Spectrum();
  const int n = s.Length();
  const double spacing = n > 0 ? static_cast<double>(s.MaxX()) / n : 0;
  std::printf("# %s\nfrequency_hz,level,phase_deg\n", Title.c_str());
  for (int k = 0; k < n; ++k)
    std::printf("%.6f,%.9g,%.9g\n", k * spacing, s.Amplt()[k], s.Phase()[k]);
}

std::string Describe(const TSpectrumPoint& Point, const TSpectrumOptions& o) {
  char text[256];
  std::snprintf(text, sizeof text, "%d samples over %g s, window %s, type %s, %s", Point.Length(),
                Point.SampleTime(), OptionName(TimeWindowNames()[o.Window]).c_str(),
                OptionName(SpectrumTypeNames()[o.Type]).c_str(),
                o.Logarithmic ? ("db " + OptionName(LogTypeNames()[o.LogType])).c_str() : "linear");
  return text;
}

void Report(const TSpectrumPoint& Point, const TSpectrumOptions& o, const std::string& Title) {
  if (o.Csv)
    PrintCsv(Point, Title);
  else
    PrintLines(Point, o, Title);
}

// Messages of the readers go to standard error; a record whose playing
// showed one is skipped.
class TMessageWatch {
 public:
  TMessageWatch() {
    FPrevious = SetMessageDlgHandler([this](const std::string& Msg, TMsgDlgType, TMsgDlgButtons, int) {
      std::fprintf(stderr, "vandrel spectrum: %s\n", Msg.c_str());
      ++FCount;
      return static_cast<int>(mrOk);
    });
  }
  ~TMessageWatch() { SetMessageDlgHandler(FPrevious); }
  TMessageWatch(const TMessageWatch&) = delete;
  TMessageWatch& operator=(const TMessageWatch&) = delete;
  int Count() const { return FCount; }

 private:
  TMessageDlgHandler FPrevious;
  int FCount = 0;
};

int RunFile(const TSpectrumOptions& o) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(o.File, ec))
    throw EInOutError("cannot open " + o.File + ": no such file");
  const std::string ext = std::filesystem::path(o.File).extension().string();
  if (ext != ".sgl" && ext != ".bin" && ext != ".dat")
    throw EUsageError("unsupported file type '" + ext + "' (accepted: .sgl, .bin, .dat)");

  TMessageWatch messages;
  TSpectrumPoint point(nullptr);
  point.SetSensorUnits(o.Units);
  TFileStoring reader(nullptr);
  reader.SetMPoint(&point);
  reader.SetFileName(o.File);
  reader.LoadFile();
  if (reader.RecordCount() == 0)
    throw EInOutError(o.File + (reader.InputError() ? ": the file is damaged, no record to play"
                                                    : ": the file holds no record"));
  if (reader.InputError())
    std::fprintf(stderr, "vandrel spectrum: %s is damaged; playing the %d records read before it\n",
                 o.File.c_str(), reader.RecordCount());
  if (!o.All && o.Record > reader.RecordCount())
    throw EUsageError("record " + std::to_string(o.Record) + " is beyond the " +
                      std::to_string(reader.RecordCount()) + " records of " + o.File);

  TFFTAnalysis analysis(nullptr);
  Configure(analysis, o);
  analysis.SetMPoint(&point);
  const int first = o.All ? 1 : o.Record;
  const int last = o.All ? reader.RecordCount() : o.Record;
  const bool progress = last - first >= 10;
  int failed = 0;
  for (int k = first; k <= last; ++k) {
    if (progress) std::fprintf(stderr, "\rrecord %d of %d", k, last);
    const int before = messages.Count();
    reader.SetInputError(false);
    reader.ProcessRecord(k);
    if (messages.Count() != before || reader.InputError()) {
      if (progress) std::fputc('\n', stderr);
      std::fprintf(stderr, "vandrel spectrum: record %d skipped\n", k);
      ++failed;
      continue;
    }
    analysis.AnalyzeData();
    if (k > first) std::printf("\n");
    Report(point, o, "# " + o.File + " record " + std::to_string(k) + ": " + Describe(point, o));
  }
  if (progress) std::fputc('\n', stderr);
  return failed > 0 ? exProcessing : exSuccess;
}

int RunSpectrum(const std::vector<std::string>& Args) {
  const TSpectrumOptions o = ParseOptions(Args);
  if (!o.Demo) return RunFile(o);
  TSpectrumPoint point(nullptr);
  point.SetSensorUnits(o.Units);
  FillDemo(point);
  TFFTAnalysis analysis(nullptr);
  Configure(analysis, o);
  analysis.SetMPoint(&point);
  analysis.AnalyzeData();
  std::string title = "# demo: ";
  for (const TTone& t : kDemoTones) {
    char tone[64];
    std::snprintf(tone, sizeof tone, "%g Hz at %g, ", t.Frequency, t.Amplitude);
    title += tone;
  }
  Report(point, o, title + Describe(point, o));
  return exSuccess;
}

}  // namespace

extern const TCommand SpectrumCommand = {
    "spectrum",
    "analyse a demo signal or a recording and print its strongest spectral lines",
    "usage: vandrel spectrum --demo [options]\n"
    "       vandrel spectrum FILE [--record K | --all] [options]\n"
    "\n"
    "Plays a signal into a spectrum point, runs the spectrum analysis and prints\n"
    "the strongest spectral lines (frequency in Hz, level, unit).\n"
    "\n"
    "  --demo            sines of 3 at 50 Hz, 1.5 at 120 Hz, 0.5 at 333 Hz and\n"
    "                    0.25 at 1000 Hz, 4096 samples over 1 s\n"
    "  FILE              a .sgl, .bin or .dat recording\n"
    "  --record K        play record K (default 1)\n"
    "  --all             play every record in turn (averaging runs across them)\n"
    "  --window NAME     rectangular (default), hanning, hamming, flattop,\n"
    "                    bartlet, blackman, exponent\n"
    "  --type NAME       normal (peak, default), rms, power, real, imaginary, phase\n"
    "  --scale F         multiply every amplitude by F (default 1)\n"
    "  --db MODE         off (default), absolute (0 dB at the strongest line),\n"
    "                    relative (dB re 1)\n"
    "  --span DB         60, 90, 120 (default) or 150: decibels shown below the reference\n"
    "  --averaging NAME  none (default), infinitelinear, infiniteexponential\n"
    "  --decay N         weight of the exponential average (default 5)\n"
    "  --dcdump          remove the mean before the transform\n"
    "  --lines K         how many lines to print (default 8)\n"
    "  --units TEXT      the sensor's unit (default mm/s for the demo)\n"
    "  --csv             print the whole spectrum as CSV: frequency_hz,level,phase_deg\n",
    RunSpectrum,
};

}  // namespace vandrel::host
