#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RecordingFiles.h"
#include "vandrel/platform/Exceptions.h"

namespace vandrel {
namespace {

using testing::RecordingTest;
using V = std::vector<float>;

TEST(FileStoringCreateTest, CreateGivesDefaults) {
  TComponent owner(nullptr);
  auto* r = new TFileStoring(&owner);
  EXPECT_EQ(r->Owner(), &owner);
  EXPECT_EQ(r->FileName(), "");
  EXPECT_EQ(r->FileType(), ftOne);
  EXPECT_EQ(r->FileRecord(), 0);
  EXPECT_EQ(r->RecordCount(), 0);
  EXPECT_EQ(r->MPoint(), nullptr);
  EXPECT_FALSE(r->InputError());
  EXPECT_TRUE(r->Active());
  EXPECT_EQ(r->ClassName(), "TFileStoring");
  EXPECT_TRUE(r->ClassInfo().InheritsFrom(TStorings::StaticClassInfo()));
  EXPECT_TRUE(r->ClassInfo().Properties().empty());  // nothing is streamed
  EXPECT_EQ(static_cast<int>(ftThree), 2);
}

class FileStoringTest : public RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    FReader.SetMPoint(&FPoint);
  }
  std::string Sgl(const std::string& Name) {
    return WriteText(Name, CrLf({"2", "1", "1;2", "", "3", "1", "4;5;6", ""}));
  }

  TSpectrumPoint FPoint;
  TFileStoring FReader;
};

TEST_F(FileStoringTest, TheExtensionAloneChoosesTheFormat) {
  // The same ".sgl" text under other names: only ".sgl" reads it.
  const std::pair<const char*, int> cases[] = {{"a.sgl", 2}, {"a.SGL", 0}, {"a.Sgl", 0},
                                               {"a.txt", 0}, {"a", 0},     {"a.sgl.old", 0}};
  for (auto [name, records] : cases) {
    TFileStoring reader;
    reader.SetFileType(ftThree);  // never consulted
    reader.SetFileName(Sgl(name));
    reader.LoadFile();
    EXPECT_EQ(reader.RecordCount(), records) << name;
  }
  // Upper-case ".DAT" is neither loaded nor played.
  FReader.SetFileName(WriteText("b.DAT", CrLf({"h", "c", "a,b,1,x,1,y,z,1,0,16385", ""})));
  FReader.LoadFile();
  FReader.ProcessRecord(1);
  EXPECT_EQ(FReader.RecordCount(), 0);
  EXPECT_EQ(FReader.FileRecord(), 0);
  EXPECT_FALSE(FReader.InputError());
  EXPECT_EQ(FPoint.Length(), 0);
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(FileStoringTest, MissingFileDoesNothing) {
  FReader.SetFileName(Path("absent.sgl"));
  FReader.LoadFile();
  FReader.ProcessRecord(1);
  FReader.SetFileName(Path("absent.bin"));
  FReader.LoadFile();
  EXPECT_FALSE(FReader.InputError());
  FReader.SetFileName("");
  FReader.LoadFile();
  FReader.SetFileName(FDir.string() + "/");  // a folder is no file
  FReader.LoadFile();
  EXPECT_EQ(FReader.RecordCount(), 0);
  EXPECT_EQ(FReader.FileRecord(), 0);
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(FileStoringTest, ProcessRecordNeedsActiveReaderPointAndFile) {
  FReader.SetFileName(Sgl("a.sgl"));
  FReader.LoadFile();
  FReader.ProcessRecord(2);
  EXPECT_EQ(FReader.FileRecord(), 2);
  EXPECT_EQ(Samples(FPoint), (V{4, 5, 6, 0}));

  FReader.SetActive(false);
  FReader.ProcessRecord(1);
  EXPECT_EQ(FReader.FileRecord(), 2);
  FReader.SetActive(true);

  FPoint.SetActive(false);
  FReader.ProcessRecord(1);
  EXPECT_EQ(FReader.FileRecord(), 2);
  FPoint.SetActive(true);

  FReader.SetMPoint(nullptr);
  FReader.ProcessRecord(1);
  EXPECT_EQ(FReader.FileRecord(), 2);
  FReader.SetMPoint(&FPoint);

  std::filesystem::remove(FReader.FileName());
  FReader.ProcessRecord(1);
  EXPECT_EQ(FReader.FileRecord(), 2);
  EXPECT_EQ(Samples(FPoint), (V{4, 5, 6, 0}));
  EXPECT_TRUE(FMessages.Messages().empty());
}

TEST_F(FileStoringTest, SettersOnlyStore) {
  FReader.SetFileName(Sgl("a.sgl"));
  FReader.LoadFile();
  FReader.SetFileRecord(2);  // does not play record 2
  EXPECT_EQ(FReader.FileRecord(), 2);
  EXPECT_EQ(FPoint.TimeSignal()->Length(), 0);
  FReader.SetInputError(true);
  EXPECT_TRUE(FReader.InputError());
  FReader.ProcessRecord(1);
  EXPECT_TRUE(FReader.InputError());  // ".sgl" records never touch it
}

TEST_F(FileStoringTest, RecordsPlayIntoATimePoint) {
  TTimePoint point;
  FReader.SetMPoint(&point);
  FReader.SetFileName(Sgl("a.sgl"));
  FReader.LoadFile();
  FReader.ProcessRecord(2);
  EXPECT_EQ(point.Length(), 4);
  EXPECT_EQ(Samples(point), (V{4, 5, 6, 0}));
}

TEST_F(FileStoringTest, SubMethodsCalledDirectlyWithoutAPointReportFailure) {
  TFileStoring reader;
  reader.ImportFile2(Sgl("a.sgl"));
  EXPECT_EQ(reader.RecordCount(), 2);
  reader.ProcessRecord2(1);
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"});
  reader.ProcessRecord1(1);
  EXPECT_TRUE(reader.InputError());
}

// A reader that reports its destruction.
class TProbeStoring : public TFileStoring {
 public:
  TProbeStoring(TComponent* AOwner, int* Destroyed) : TFileStoring(AOwner), FDestroyed(Destroyed) {}
  ~TProbeStoring() override { ++*FDestroyed; }

 private:
  int* FDestroyed;
};

TEST_F(FileStoringTest, ListPlaysEveryReaderInOrder) {
  TFileStoringList list;
  TSpectrumPoint second;
  TFileStoring* a = list.AddStorage(&FPoint);
  TFileStoring* b = list.AddStorage(&second);
  EXPECT_EQ(a->Owner(), &list);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Value(1), b);
  a->SetFileName(Sgl("a.sgl"));
  b->SetFileName(
      WriteText("b.sgl", CrLf({"1", "1", "7", "", "1", "1", "8", "", "1", "1", "9", ""})));
  a->LoadFile();
  b->LoadFile();
  b->SetMPoint(&FPoint);  // both into one point: the later reader's record stays
  list.ProcessRecord(2);
  EXPECT_EQ(Samples(FPoint), V{8});
  list.SetMPoint(&second);
  EXPECT_EQ(a->MPoint(), &second);
  EXPECT_EQ(b->MPoint(), &second);
  list.ProcessRecord(3);  // a has no record 3: one message, then b plays
  EXPECT_EQ(FMessages.Messages(), std::vector<std::string>{"Invalid file parameter!"});
  EXPECT_EQ(Samples(second), V{9});
  EXPECT_EQ(a->FileRecord(), 3);
  EXPECT_EQ(b->FileRecord(), 3);
}

TEST_F(FileStoringTest, ListIndexChecks) {
  TFileStoringList list;
  list.AddStorage(&FPoint);
  list.AddStorage(&FPoint);
  list.Delete(2);  // at Count: ignored
  list.Delete(100);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Value(2), EListError);
  EXPECT_THROW(list.Value(-1), EListError);
  EXPECT_THROW(list.SetValue(2, nullptr), EListError);
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(FileStoringTest, ListDestroysTheReadersItHoldsOnce) {
  int destroyed = 0;
  auto* owned = new TProbeStoring(nullptr, &destroyed);
  auto* twice = new TProbeStoring(nullptr, &destroyed);
  TComponent form(nullptr);
  auto* formOwned = new TProbeStoring(&form, &destroyed);
  auto* removed = new TProbeStoring(nullptr, &destroyed);
  {
    TFileStoringList list;
    list.Add(owned);
    list.Add(twice);
    list.Add(twice);
    list.Add(formOwned);
    list.Add(removed);
    list.Add(nullptr);
    list.Delete(4);
    TFileStoring* made = list.AddStorage(&FPoint);
    list.Delete(list.Count() - 1);  // still owned by the list component
    EXPECT_EQ(made->Owner(), &list);
    list.ProcessRecord(1);  // the empty entry is passed over
  }
  EXPECT_EQ(destroyed, 3);
  EXPECT_EQ(form.ComponentCount(), 0);  // the destroyed reader left its owner
  delete removed;
  EXPECT_EQ(destroyed, 4);
}

TEST_F(FileStoringTest, SetValueReplacesWithoutDestroying) {
  int destroyed = 0;
  auto* first = new TProbeStoring(nullptr, &destroyed);
  auto* second = new TProbeStoring(nullptr, &destroyed);
  {
    TFileStoringList list;
    list.Add(first);
    list.SetValue(0, second);
    EXPECT_EQ(list.Value(0), second);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
  delete first;
}

}  // namespace
}  // namespace vandrel
