// Reading ".sgl" recordings: per record a count line, a time-span line, a
// line of semicolon-separated values and a closing line.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <string_view>

#include "RecordMessages.h"
#include "vandrel/Storing.h"
#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/SysUtils.h"
#include "vandrel/platform/TextFile.h"

namespace vandrel {

namespace {

// Converts the values of Line into Out, at most Limit of them, and answers
// how many were stored. Values beyond the Limit-th are not looked at; an
// empty line holds none. Raises ERecordError for a value that does not
// convert (an empty one included).
int32_t ParseValues(std::string_view Line, int32_t Limit, float* Out) {
  if (Line.empty() || Limit <= 0) return 0;
  const char* p = Line.data();
  const char* const end = p + Line.size();
  // With '.' as the separator, a value in its plain form (see TryStrToFloat)
  // is converted where it stands and its end found on the way; any other
  // text takes the full conversion of its field.
  const bool plain = DecimalSeparator() == '.';
  int32_t stored = 0;
  for (;;) {
    double v = 0;
    const char* q = nullptr;
    if (plain && p != end) {
      const char* d = p + (*p == '-');
      if (d != end && ((*d >= '0' && *d <= '9') || *d == '.')) {
        const auto [ptr, ec] = std::from_chars(p, end, v, std::chars_format::general);
        if (ec == std::errc() && (ptr == end || *ptr == ';')) q = ptr;
      }
    }
    if (q == nullptr) {
      q = static_cast<const char*>(std::memchr(p, ';', static_cast<size_t>(end - p)));
      if (q == nullptr) q = end;
      if (!TryStrToFloat(std::string_view(p, static_cast<size_t>(q - p)), v))
        throw detail::ERecordError();
    }
    Out[stored++] = detail::NarrowToSample(v);
    if (stored == Limit || q == end) return stored;
    p = q + 1;
  }
}

}  // namespace

void TFileStoring::ImportFile2(const std::string& FileName) {
  if (!FileExists(FileName)) return;
  TTextFile file(FileName);  // a failure to open reaches the caller
  int32_t record = 0;
  while (!file.Eof()) {
    if (record == MaxBlockRecords) {
      // The table is full: the records read so far stay, the rest is not read.
      MessageDlg(detail::kFormatInvalid, mtInformation, mbOKOnly, 0);
      break;
    }
    ++record;
    TRecordSlot& slot = FRecords[record];
    try {
      int32_t n = 0;
      if (!TryStrToInt(file.ReadLn(), n)) throw detail::ERecordError();
      if (n >= SglCountLimit) break;

      double span = 0;
      if (!TryStrToFloat(file.ReadLn(), span)) throw detail::ERecordError();

      const std::string_view values = file.ReadLn();
      // Missing values play as zeros, so the block holds only the values the
      // line can carry (one character and a separator each): a count far
      // beyond the line costs no memory.
      const int64_t fit = static_cast<int64_t>(values.size() / 2 + 1);
      const int32_t capacity = n > 0 ? static_cast<int32_t>(std::min<int64_t>(n, fit)) : 0;
      int64_t blockCapacity = 0;
      auto block = slot.TakeBlock(int64_t{capacity} + 2, blockCapacity);
      block[0] = static_cast<float>(n);
      block[1] = detail::NarrowToSample(span);
      const int32_t stored = ParseValues(values, capacity, block.get() + 2);

      file.ReadLn();  // the closing line

      slot.Block = std::move(block);
      slot.Capacity = blockCapacity;
      slot.Count = n;
      slot.Stored = stored;
      FRecordCount = record;
    } catch (const std::exception&) {
      // The record's number is used up; reading goes on with the next
      // unread line as the first line of the next record.
      slot.Release();
      MessageDlg(detail::kFormatInvalid, mtInformation, mbOKOnly, 0);
    }
    FFileRecord = 1;
  }
  file.Close();
}

}  // namespace vandrel
