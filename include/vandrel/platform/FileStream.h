// TFileStream: a file read and written as a stream of bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

// Stream failures: a file that cannot be opened or created, a read or write
// that moves fewer bytes than asked for.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  EReadError() : EStreamError("Stream read error") {}
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  EWriteError() : EStreamError("Stream write error") {}
  using EStreamError::EStreamError;
};

// Open modes.
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
// Creates the file, or empties an existing one, and opens it for writing.
constexpr uint16_t fmCreate = 0xFF00;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TFileStream {
 public:
  // Opens FileName in Mode. Raises EFOpenError (EFCreateError for fmCreate)
  // with the file name and the system's reason when that fails.
  TFileStream(const std::string& FileName, uint16_t Mode);
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  ~TFileStream();

  const std::string& FileName() const { return FFileName; }

  // Reads up to Count bytes into Buffer (which holds at least Count bytes)
  // and answers how many were read: fewer only at the end of the file.
  // A Count of 0 or less reads nothing.
  int64_t Read(void* Buffer, int64_t Count);
  // Writes Count bytes from Buffer; answers how many were written.
  int64_t Write(const void* Buffer, int64_t Count);
  // Read and Write that raise EReadError / EWriteError unless exactly Count
  // bytes move.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);

  // Moves the position and answers the new one (bytes from the start).
  // Raises EStreamError for a position before the start.
  int64_t Seek(int64_t Offset, TSeekOrigin Origin);
  int64_t Position();
  void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
  // The file's size in bytes.
  int64_t Size();

 private:
  std::FILE* FFile = nullptr;
  std::string FFileName;
};

}  // namespace vandrel
