// Reading ".bin" recordings: little-endian int32 record count, then per
// record an int32 sample count, a float time span and the float samples.
#include <bit>
#include <cstring>
#include <memory>

#include "RecordMessages.h"
#include "vandrel/Storing.h"
#include "vandrel/platform/FileStream.h"

namespace vandrel {

namespace {

// The file is little-endian; on a big-endian host each 32-bit word turns.
void FromLittleEndian(void* Words, size_t Count) {
  if constexpr (std::endian::native == std::endian::big) {
    auto* b = static_cast<unsigned char*>(Words);
    for (size_t i = 0; i < Count; ++i, b += 4) {
      std::swap(b[0], b[3]);
      std::swap(b[1], b[2]);
    }
  } else {
    (void)Words;
    (void)Count;
  }
}

int32_t ReadInt32(TFileStream& Stream) {
  int32_t v = 0;
  Stream.ReadBuffer(&v, 4);
  FromLittleEndian(&v, 1);
  return v;
}

}  // namespace

void TFileStoring::ImportFile3(const std::string& FileName) {
  FInputError = false;
  try {
    TFileStream stream(FileName, fmOpenRead);
    const int64_t size = stream.Size();
    const int32_t records = ReadInt32(stream);
    int32_t record = 0;
    for (int32_t i = 0; i < records; ++i) {
      if (record == MaxBlockRecords) {
        // The table is full: keep what it holds and flag the rest as unread.
        FInputError = true;
        break;
      }
      ++record;
      TRecordSlot& slot = FRecords[record];
      const int32_t n = ReadInt32(stream);
      // A negative count, or one beyond what is left of the file, means the
      // file is damaged: nothing after it can be trusted, and nothing is
      // allocated for it.
      const int64_t bytes = 4 + 4 * static_cast<int64_t>(n);
      if (n < 0 || bytes > size - stream.Position()) {
        slot.Release();
        throw EReadError();
      }
      int64_t blockCapacity = 0;
      auto block = slot.TakeBlock(int64_t{n} + 2, blockCapacity);
      block[0] = static_cast<float>(n);
      // The time span and the samples follow each other in the file and in
      // the block: one read, bytes unchanged.
      stream.ReadBuffer(block.get() + 1, bytes);
      FromLittleEndian(block.get() + 1, static_cast<size_t>(n) + 1);
      slot.Block = std::move(block);
      slot.Capacity = blockCapacity;
      slot.Count = n;
      slot.Stored = n;
    }
    FRecordCount = record;
    FFileRecord = 1;
  } catch (const std::exception&) {
    FInputError = true;
  }
}

}  // namespace vandrel
