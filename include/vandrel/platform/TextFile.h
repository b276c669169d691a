// Text-file input: a file read line by line. A line ends at LF; a CR right
// before the LF (or before the end of the file) belongs to the line end, so
// CR LF files and bare-LF files read alike. Reading past the end of the file
// yields empty lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

class TTextFile {
 public:
  TTextFile() = default;
  // Opens FileName for reading; see Reset.
  explicit TTextFile(const std::string& FileName) { Reset(FileName); }
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;
  ~TTextFile() { Close(); }

  // Opens FileName for reading from its start, closing a file opened
  // before. Raises EInOutError when the file cannot be opened.
  void Reset(const std::string& FileName);
  // Closes the file; closing a closed file does nothing.
  void Close();
  bool IsOpen() const { return FFile != nullptr; }

  // True when every character of the file has been read. Raises EInOutError
  // when the file is not open or cannot be read.
  bool Eof();
  // The next line without its line end; "" at the end of the file. The text
  // stays valid until the next call of Eof, ReadLn or Close. Raises
  // EInOutError as Eof does.
  std::string_view ReadLn();

 private:
  // Reads more of the file after the unread text, moving that text to the
  // front of the buffer and growing the buffer when it is full. Answers false
  // at the end of the file.
  bool Fill();
  void CheckOpen() const;

  std::FILE* FFile = nullptr;
  std::string FFileName;
  std::vector<char> FBuffer;
  std::size_t FPos = 0;  // first unread character
  std::size_t FEnd = 0;  // end of the characters in the buffer
  bool FAtFileEnd = false;
};

}  // namespace vandrel
