#include <gtest/gtest.h>

#include "vandrel/Storing.h"
#include "vandrel/platform/Palette.h"

namespace vandrel {
namespace {

TEST(StoringRegisterTest, PutsTheReaderAloneOnTheDspPage) {
  Storing::Register();
  const TPalettePage* page = FindPalettePage("DSP");
  ASSERT_NE(page, nullptr);
  int readers = 0;
  for (const TPaletteEntry& e : page->Entries) {
    EXPECT_NE(e.ComponentClass, &TFileStoringList::StaticClassInfo());
    EXPECT_NE(e.ComponentClass, &TStorings::StaticClassInfo());
    if (e.ComponentClass == &TFileStoring::StaticClassInfo()) ++readers;
  }
  EXPECT_EQ(readers, 1);
  ASSERT_TRUE(TFileStoring::StaticClassInfo().Factory);
  TComponent owner(nullptr);
  TComponent* made = TFileStoring::StaticClassInfo().Factory(&owner);
  EXPECT_EQ(made->ClassName(), "TFileStoring");
  EXPECT_EQ(made->Owner(), &owner);
}

}  // namespace
}  // namespace vandrel
