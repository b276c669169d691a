// File readers: components that play recorded signals from data files into a
// measuring point, record by record.
//
// A TFileStoring reads a whole file with LoadFile into tables it holds
// itself; ProcessRecord(k) then puts record k into the time signal of its
// measuring point, sized to the smallest power of two that holds the record
// and zero-padded. The format follows from the file name's extension:
//   ".dat"  text, four lines per record; the third is a comma-separated data
//           line of converter codes with gain and offset (parsed when played);
//   ".sgl"  text, four lines per record: sample count, time span,
//           semicolon-separated values, a closing line;
//   ".bin"  binary, little-endian: record count, then per record the sample
//           count (int32), the time span (float) and the samples (floats).
// Text numbers follow the host's DecimalSeparator() (vandrel/platform/SysUtils.h).
//
// Failures are reported the way each format does: ".sgl" files through the
// message "The input file format is invalid!", ".bin" files and ".dat"
// records through InputError(), unplayable ".sgl"/".bin" records through the
// message "Invalid file parameter!".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/platform/Component.h"
#include "vandrel/platform/List.h"

namespace vandrel {

// Kept for the host; the readers never consult it.
enum TFileType { ftOne, ftTwo, ftThree };

// The common ancestor of the storing components.
class TStorings : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TStorings(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};

class TFileStoring : public TStorings {
  VANDREL_CLASS_INFO()

 public:
  // Records of a ".sgl" or ".bin" file are numbered 1 .. MaxBlockRecords.
  static constexpr int32_t MaxBlockRecords = 9999;
  // Records of a ".dat" file are numbered 1 .. MaxLineRecords.
  static constexpr int32_t MaxLineRecords = 2000;
  // Fields a ".dat" data line may hold (9 header fields and the codes).
  static constexpr int32_t MaxDataFields = 12000;
  // A ".sgl" count line at or above this ends the reading of the file.
  static constexpr int32_t SglCountLimit = 200000000;
  // The largest sample count a record may have to be played: the longest
  // signal a spectrum point holds (2^28 samples).
  static constexpr int32_t MaxPlayableCount = 268435456;

  // Create(AOwner): empty tables, FileType ftOne, Active true.
  explicit TFileStoring(TComponent* AOwner = nullptr);
  // Destroy: releases every record held in the tables.
  ~TFileStoring() override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  TFileType FileType() const { return FFileType; }
  void SetFileType(TFileType Value) { FFileType = Value; }
  // The number of the record played last (1 after a load).
  int32_t FileRecord() const { return FFileRecord; }
  // Stores the number only; it does not play that record.
  void SetFileRecord(int32_t Value) { FFileRecord = Value; }
  bool InputError() const { return FInputError; }
  void SetInputError(bool Value) { FInputError = Value; }
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  // The point that receives the records; not owned, and it must outlive
  // this reader (or be unassigned first).
  TMeasuringPoint* MPoint() const { return FMPoint; }
  void SetMPoint(TMeasuringPoint* Value) { FMPoint = Value; }
  // Records found by the last load.
  int32_t RecordCount() const { return FRecordCount; }

  // Reads the file named FileName() with the reader its extension selects
  // (".dat", ".sgl", ".bin", compared case-sensitively). A missing file or
  // another extension does nothing. May raise EInOutError for a ".sgl" file
  // that exists but cannot be opened.
  void LoadFile();
  // Read a whole ".dat", ".sgl" or ".bin" file named FileName (FileName()
  // is not consulted) into the tables.
  void ImportFile1(const std::string& FileName);
  void ImportFile2(const std::string& FileName);
  void ImportFile3(const std::string& FileName);

  // Puts record Index into the measuring point and makes it FileRecord(),
  // when FileName() still names an existing file, this reader and its point
  // are active and the extension is one of the three.
  void ProcessRecord(int32_t Index);
  // Plays ".dat" record Index; sets InputError() to whether that failed.
  void ProcessRecord1(int32_t Index);
  // Plays ".sgl"/".bin" record Index; a record that cannot be played shows
  // "Invalid file parameter!".
  void ProcessRecord2(int32_t Index);

 private:
  // One ".sgl"/".bin" record: Block holds the count as a float, the time
  // span, then the samples read. Count keeps the count exactly (a float
  // does not above 2^24); samples beyond Stored play as zeros.
  struct TRecordSlot {
    std::unique_ptr<float[]> Block;
    int64_t Capacity = 0;  // elements of Block
    int32_t Count = 0;
    int32_t Stored = 0;
    void Release() {
      Block.reset();
      Capacity = 0;
      Count = Stored = 0;
    }
    // A block of at least Elements elements for a record being read. A reload
    // writes over the block the slot holds when it is large enough, so that
    // reading a file again costs no fresh memory. The slot is empty until
    // the record is complete; BlockCapacity receives the block's size.
    std::unique_ptr<float[]> TakeBlock(int64_t Elements, int64_t& BlockCapacity);
  };

  // Sizes and times the measuring point for a record of Count samples over
  // SampleTime and clears its signal; answers the signal's samples, of which
  // the point now holds the returned Length. Raises when the record cannot
  // be played.
  float* StartRecord(int32_t Count, float SampleTime, int32_t& Length);

  std::array<TRecordSlot, MaxBlockRecords + 1> FRecords;  // slot 0 unused
  std::array<std::string, MaxLineRecords + 1> FLines;     // entry 0 unused
  int32_t FFileRecord = 0;
  std::string FFileName;
  TFileType FFileType = ftOne;
  TMeasuringPoint* FMPoint = nullptr;
  int32_t FRecordCount = 0;
  bool FInputError = false;
  bool FActive = true;
};

// Drives several readers with one record number, so that channels recorded
// side by side advance together. The readers in the list are destroyed with
// it.
class TFileStoringList : public TComponent {
  VANDREL_CLASS_INFO()

 public:
  explicit TFileStoringList(TComponent* AOwner = nullptr);
  // Destroys every reader still in the list (each once), then the list.
  ~TFileStoringList() override;

  // Appends Item; the list destroys it with itself unless it is removed first.
  void Add(TFileStoring* Item);
  // Creates a reader owned by this component, sets its MPoint and appends it.
  TFileStoring* AddStorage(TMeasuringPoint* MPoint);
  // Removes entry Index without destroying the reader. An Index at or beyond
  // Count() is ignored; a negative one raises EListError.
  void Delete(int32_t Index);
  int32_t Count() const { return FList.Count(); }
  // The reader at Index; EListError outside 0 .. Count() - 1.
  TFileStoring* Value(int32_t Index) const;
  // Replaces entry Index; the former reader is not destroyed.
  void SetValue(int32_t Index, TFileStoring* Item);
  // ProcessRecord(Index) of every reader, in list order.
  void ProcessRecord(int32_t Index);
  // Sets MPoint of every reader in the list.
  void SetMPoint(TMeasuringPoint* MPoint);

 private:
  TList FList{16};
};

}  // namespace vandrel

namespace vandrel::Storing {
// Puts TFileStoring on the palette page "DSP" (run when a host installs the package).
void Register();
}  // namespace vandrel::Storing
