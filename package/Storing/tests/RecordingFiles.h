// Test fixture: a private directory for the recordings the tests write, and
// writers for the three formats.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "vandrel/MeasuringPoint.h"
#include "vandrel/Storing.h"
#include "vandrel/testing/MessageCapture.h"

namespace vandrel::testing {

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FDir = std::filesystem::temp_directory_path() /
           ("vandrel_storing_" + std::to_string(std::random_device{}()) + "_" +
            info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }

  std::string Path(const std::string& Name) const { return (FDir / Name).string(); }

  // Writes Text as it stands (line ends included) and answers the path.
  std::string WriteText(const std::string& Name, const std::string& Text) const {
    std::ofstream(Path(Name), std::ios::binary) << Text;
    return Path(Name);
  }

  // Joins Lines with CR LF, each line ended.
  static std::string CrLf(const std::vector<std::string>& Lines) {
    std::string s;
    for (const auto& l : Lines) s += l + "\r\n";
    return s;
  }

  // Little-endian byte images of the ".bin" fields (the test machines are
  // little-endian, as the format).
  static void PutInt(std::string& Out, int32_t V) {
    Out.append(reinterpret_cast<const char*>(&V), 4);
  }
  static void PutFloat(std::string& Out, float V) {
    Out.append(reinterpret_cast<const char*>(&V), 4);
  }
  static void PutRecord(std::string& Out, float Span, const std::vector<float>& Samples) {
    PutInt(Out, static_cast<int32_t>(Samples.size()));
    PutFloat(Out, Span);
    for (float s : Samples) PutFloat(Out, s);
  }

  // The point's samples 0 .. Length - 1.
  static std::vector<float> Samples(const TMeasuringPoint& P) {
    const TTImeSignal& ts = *P.TimeSignal();
    return std::vector<float>(ts.Data(), ts.Data() + ts.Length());
  }

  std::filesystem::path FDir;
  MessageCapture FMessages;
};

// A reader attached to a spectrum point, reading recordings saved under one
// file name (its extension picks the format).
class ReaderTest : public RecordingTest {
 protected:
  explicit ReaderTest(const char* FileName) : FFileName(FileName) {}

  // Saves Content under the fixture's file name and loads it into FReader.
  void Load(const std::string& Content) {
    FReader.SetFileName(WriteText(FFileName, Content));
    FReader.SetMPoint(&FPoint);
    FReader.LoadFile();
  }
  // Plays record K and answers the point's samples.
  std::vector<float> Play(int32_t K) {
    FReader.ProcessRecord(K);
    return Samples(FPoint);
  }

  TSpectrumPoint FPoint;
  TFileStoring FReader;

 private:
  const char* FFileName;
};

}  // namespace vandrel::testing
