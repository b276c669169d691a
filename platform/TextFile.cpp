#include "vandrel/platform/TextFile.h"

#include <cerrno>
#include <cstring>

#include "vandrel/platform/Exceptions.h"

namespace vandrel {

namespace {

constexpr std::size_t kInitialBuffer = std::size_t{1} << 20;

[[noreturn]] void RaiseInOut(const std::string& What, const std::string& FileName, int Code) {
  std::string msg = What + " \"" + FileName + "\"";
  if (Code != 0) msg += ": " + std::string(std::strerror(Code));
  throw EInOutError(msg, Code);
}

}  // namespace

void TTextFile::Reset(const std::string& FileName) {
  Close();
  errno = 0;
  std::FILE* f = std::fopen(FileName.c_str(), "rb");
  if (f == nullptr) RaiseInOut("Cannot open file", FileName, errno);
  // The buffer below is the only one: reads go straight into it.
  std::setvbuf(f, nullptr, _IONBF, 0);
  FFile = f;
  FFileName = FileName;
  if (FBuffer.size() < kInitialBuffer) FBuffer.resize(kInitialBuffer);
  FPos = FEnd = 0;
  FAtFileEnd = false;
}

void TTextFile::Close() {
  if (FFile != nullptr) {
    std::fclose(FFile);
    FFile = nullptr;
  }
  FPos = FEnd = 0;
  FAtFileEnd = false;
}

void TTextFile::CheckOpen() const {
  if (FFile == nullptr) throw EInOutError("File not open", EBADF);
}

bool TTextFile::Fill() {
  if (FAtFileEnd) return false;
  if (FPos > 0) {
    std::memmove(FBuffer.data(), FBuffer.data() + FPos, FEnd - FPos);
    FEnd -= FPos;
    FPos = 0;
  }
  if (FEnd == FBuffer.size()) FBuffer.resize(FBuffer.size() * 2);
  const std::size_t want = FBuffer.size() - FEnd;
  const std::size_t got = std::fread(FBuffer.data() + FEnd, 1, want, FFile);
  FEnd += got;
  if (got < want) {
    if (std::ferror(FFile)) {
      const int code = errno;
      std::clearerr(FFile);
      RaiseInOut("Cannot read file", FFileName, code != 0 ? code : EIO);
    }
    FAtFileEnd = true;
  }
  return got > 0;
}

bool TTextFile::Eof() {
  CheckOpen();
  while (FPos == FEnd) {
    if (!Fill()) return true;
  }
  return false;
}

std::string_view TTextFile::ReadLn() {
  CheckOpen();
  std::size_t searched = FPos;  // the text before this holds no LF
  for (;;) {
    const char* base = FBuffer.data();
    const void* lf = std::memchr(base + searched, '\n', FEnd - searched);
    if (lf != nullptr) {
      const std::size_t at = static_cast<const char*>(lf) - base;
      std::size_t stop = at;
      if (stop > FPos && base[stop - 1] == '\r') --stop;
      std::string_view line(base + FPos, stop - FPos);
      FPos = at + 1;
      return line;
    }
    // Fill moves the unread text to the front: keep what was searched.
    const std::size_t searchedLength = FEnd - FPos;
    if (!Fill()) {
      // The last line has no LF.
      std::size_t stop = FEnd;
      if (stop > FPos && FBuffer[stop - 1] == '\r') --stop;
      std::string_view line(FBuffer.data() + FPos, stop - FPos);
      FPos = FEnd;
      return line;
    }
    searched = FPos + searchedLength;
  }
}

}  // namespace vandrel
