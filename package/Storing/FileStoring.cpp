#include <algorithm>
#include <cmath>

#include "RecordMessages.h"
#include "vandrel/Storing.h"
#include "vandrel/platform/Dialogs.h"
#include "vandrel/platform/SysUtils.h"

namespace vandrel {

const TClassInfo& TStorings::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TStorings, TComponent>("TStorings", {});
  return Info;
}

const TClassInfo& TFileStoring::StaticClassInfo() {
  static const TClassInfo Info = MakeClassInfo<TFileStoring, TStorings>("TFileStoring", {});
  return Info;
}

std::unique_ptr<float[]> TFileStoring::TRecordSlot::TakeBlock(int64_t Elements,
                                                              int64_t& BlockCapacity) {
  std::unique_ptr<float[]> block;
  BlockCapacity = Elements;
  // A block much larger than needed is not kept: the table should hold
  // about what the file holds.
  if (Block && Capacity >= Elements && Capacity <= 2 * Elements + 64) {
    block = std::move(Block);
    BlockCapacity = Capacity;
  }
  Release();
  if (!block) block = std::make_unique_for_overwrite<float[]>(static_cast<size_t>(Elements));
  return block;
}

TFileStoring::TFileStoring(TComponent* AOwner) : TStorings(AOwner) {}

TFileStoring::~TFileStoring() {
  for (TRecordSlot& slot : FRecords) slot.Release();
}

void TFileStoring::LoadFile() {
  if (!FileExists(FFileName)) return;
  const std::string ext = ExtractFileExt(FFileName);
  if (ext == ".dat")
    ImportFile1(FFileName);
  else if (ext == ".sgl")
    ImportFile2(FFileName);
  else if (ext == ".bin")
    ImportFile3(FFileName);
}

void TFileStoring::ProcessRecord(int32_t Index) {
  // The records are in memory already, but a recording that has gone away
  // is not played any more.
  if (!FActive || FMPoint == nullptr || !FMPoint->Active() || !FileExists(FFileName)) return;
  const std::string ext = ExtractFileExt(FFileName);
  if (ext == ".dat")
    ProcessRecord1(Index);
  else if (ext == ".sgl" || ext == ".bin")
    ProcessRecord2(Index);
  else
    return;
  FFileRecord = Index;
}

float* TFileStoring::StartRecord(int32_t Count, float SampleTime, int32_t& Length) {
  if (FMPoint == nullptr || Count <= 0 || Count > MaxPlayableCount) throw detail::ERecordError();
  // The smallest power of two not below Count.
  int k = static_cast<int>(std::nearbyint(std::log(static_cast<double>(Count)) / std::log(2.0)));
  if (static_cast<double>(Count) > std::ldexp(1.0, k)) ++k;
  const int32_t L = int32_t{1} << k;
  FMPoint->SetLength(L);
  FMPoint->SetSampleTime(SampleTime);
  // A time span of 0, below 0 or NaN leaves the point un-timed, and its
  // signal keeps its former size: the record then does not fit.
  TTImeSignal* signal = FMPoint->TimeSignal();
  if (signal == nullptr || signal->Length() != L || signal->Data() == nullptr)
    throw detail::ERecordError();
  float* data = signal->Data();
  std::fill_n(data, L, 0.0f);
  Length = L;
  return data;
}

void TFileStoring::ProcessRecord2(int32_t Index) {
  try {
    if (Index < 1 || Index > MaxBlockRecords) throw detail::ERecordError();
    const TRecordSlot& slot = FRecords[Index];
    if (!slot.Block) throw detail::ERecordError();
    int32_t length = 0;
    float* data = StartRecord(slot.Count, slot.Block[1], length);
    std::copy_n(slot.Block.get() + 2, std::min({slot.Stored, slot.Count, length}), data);
  } catch (const std::exception&) {
    MessageDlg(detail::kInvalidParameter, mtInformation, mbOKOnly, 0);
  }
}

}  // namespace vandrel
