#include "vandrel/platform/FileStream.h"

#include <cerrno>
#include <cstring>

namespace vandrel {

namespace {

std::string Reason(int Code) {
  return Code != 0 ? std::string(std::strerror(Code)) : "unknown error";
}

}  // namespace

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName) {
  const char* how = "rb";
  if (Mode == fmCreate)
    how = "w+b";
  else if ((Mode & 3) == fmOpenWrite || (Mode & 3) == fmOpenReadWrite)
    how = "r+b";
  errno = 0;
  FFile = std::fopen(FileName.c_str(), how);
  if (FFile == nullptr) {
    const std::string verb = Mode == fmCreate ? "Cannot create file \"" : "Cannot open file \"";
    const std::string msg = verb + FileName + "\". " + Reason(errno);
    if (Mode == fmCreate) throw EFCreateError(msg);
    throw EFOpenError(msg);
  }
  // Callers read and write whole blocks: no second buffer in between.
  std::setvbuf(FFile, nullptr, _IONBF, 0);
}

TFileStream::~TFileStream() {
  if (FFile != nullptr) std::fclose(FFile);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  return static_cast<int64_t>(std::fread(Buffer, 1, static_cast<std::size_t>(Count), FFile));
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  return static_cast<int64_t>(std::fwrite(Buffer, 1, static_cast<std::size_t>(Count), FFile));
}

void TFileStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError();
}

void TFileStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError();
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  if (std::fseek(FFile, static_cast<long>(Offset), whence) != 0)
    throw EStreamError("Cannot seek in \"" + FFileName + "\". " + Reason(errno));
  return Position();
}

int64_t TFileStream::Position() {
  return static_cast<int64_t>(std::ftell(FFile));
}

int64_t TFileStream::Size() {
  const long here = std::ftell(FFile);
  if (here < 0 || std::fseek(FFile, 0, SEEK_END) != 0)
    throw EStreamError("Cannot seek in \"" + FFileName + "\". " + Reason(errno));
  const long size = std::ftell(FFile);
  std::fseek(FFile, here, SEEK_SET);
  return static_cast<int64_t>(size);
}

}  // namespace vandrel
