// Reading ".dat" recordings: four lines per record, the third a
// comma-separated data line of converter codes, kept as text until played.
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "RecordMessages.h"
#include "vandrel/Storing.h"
#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/SysUtils.h"
#include "vandrel/platform/TextFile.h"

namespace vandrel {

namespace {

// Data line fields by position.
constexpr size_t kCountField = 2;
constexpr size_t kIntervalField = 4;
constexpr size_t kGainField = 7;
constexpr size_t kOffsetField = 8;
constexpr size_t kFirstCodeField = 9;
// The converter codes are offset-binary around this value.
constexpr double kCodeZero = 16384;

struct TField {
  double Value = 0;
  bool Valid = false;  // false: the text did not convert
};

// Splits a data line into its fields. A field's text is what follows its
// last space. Raises ERecordError for a line of more than MaxFields fields
// and for a last field that does not convert.
std::vector<TField> ParseDataLine(std::string_view Line, size_t MaxFields) {
  const size_t count = static_cast<size_t>(std::count(Line.begin(), Line.end(), ',')) + 1;
  if (count > MaxFields) throw detail::ERecordError();
  std::vector<TField> fields;
  fields.reserve(count);
  size_t start = 0;
  auto convert = [&](size_t stop) {
    TField f;
    f.Valid = TryStrToFloat(Line.substr(start, stop - start), f.Value);
    fields.push_back(f);
  };
  for (size_t i = 0; i < Line.size(); ++i) {
    if (Line[i] == ',') {
      convert(i);
      start = i + 1;
    } else if (Line[i] == ' ') {
      start = i + 1;
    }
  }
  convert(Line.size());
  if (!fields.back().Valid) throw detail::ERecordError();
  return fields;
}

}  // namespace

void TFileStoring::ImportFile1(const std::string& FileName) {
  if (!FileExists(FileName)) return;
  try {
    TTextFile file(FileName);
    file.ReadLn();
    file.ReadLn();
    FLines[1].assign(file.ReadLn());
    int32_t record = 1;
    while (!file.Eof()) {
      if (record > MaxLineRecords) {
        // A data line beyond the table is followed by more of the file, so
        // it is a record the table cannot hold: keep the ones it holds.
        MessageDlg(detail::kFormatInvalid, mtInformation, mbOKOnly, 0);
        FRecordCount = MaxLineRecords;
        FFileRecord = 1;
        return;
      }
      ++record;
      file.ReadLn();
      file.ReadLn();
      file.ReadLn();
      const std::string_view line = file.ReadLn();
      if (record <= MaxLineRecords) FLines[record].assign(line);
    }
    // The last data line counts only when a line follows it.
    FRecordCount = record - 1;
    FFileRecord = 1;
  } catch (const std::exception&) {
    MessageDlg(detail::kFormatInvalid, mtInformation, mbOKOnly, 0);
  }
}

void TFileStoring::ProcessRecord1(int32_t Index) {
  try {
    if (Index < 1 || Index > MaxLineRecords) throw detail::ERecordError();
    const std::vector<TField> fields = ParseDataLine(FLines[Index], MaxDataFields);
    // Every field the record is built from must hold a number; this is
    // checked before the measuring point is touched.
    if (fields.size() <= kOffsetField) throw detail::ERecordError();
    for (size_t p : {kCountField, kIntervalField, kGainField, kOffsetField})
      if (!fields[p].Valid) throw detail::ERecordError();
    for (size_t p = kFirstCodeField; p < fields.size(); ++p)
      if (!fields[p].Valid) throw detail::ERecordError();

    const double count = std::nearbyint(fields[kCountField].Value);
    if (!(count >= 1 && count <= MaxPlayableCount)) throw detail::ERecordError();
    const float span =
        detail::NarrowToSample(fields[kCountField].Value * fields[kIntervalField].Value);

    int32_t length = 0;
    float* data = StartRecord(static_cast<int32_t>(count), span, length);
    const double gain = fields[kGainField].Value;
    const double offset = fields[kOffsetField].Value;
    const size_t samples = std::min(fields.size() - kFirstCodeField, static_cast<size_t>(length));
    for (size_t j = 0; j < samples; ++j)
      data[j] =
          detail::NarrowToSample((fields[kFirstCodeField + j].Value - kCodeZero) * gain + offset);
    FInputError = false;
  } catch (const std::exception&) {
    FInputError = true;
  }
}

}  // namespace vandrel
