// libdsp as its clients see it: the export table, the default report box of
// the operating-system layer, and per-thread reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dsp/kvx.h"
#include "dsp/kvxos.h"

namespace {

TEST(Library, ExportsTheOperationsAndTheirTwinsOnly) {
  const std::string cmd = std::string(NM_PROGRAM) + " -D --defined-only " + DSP_LIBRARY_FILE;
  FILE* pipe = popen(cmd.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string s(line);
    s.erase(s.find_last_not_of("\r\n") + 1);
    const size_t space = s.find_last_of(' ');
    const std::string type = s.substr(s.find(' ') + 1, 1);
    // Version nodes appear as absolute symbols; they are not code.
    if (type == "A") continue;
    names.insert(s.substr(space + 1));
  }
  ASSERT_EQ(pclose(pipe), 0);
  std::set<std::string> want;
  for (const char* op : {"kvxsFirInit", "kvxsFirInitMr", "kvxFirFree", "kvxsFir", "kvxsbFir",
                         "kvxsRandUniInit", "kvxsbRandUni", "kvxsRandGausInit", "kvxsbRandGaus"}) {
    want.insert(op);
    want.insert(std::string("d") + op);
  }
  EXPECT_EQ(names, want);
}

TEST(Library, DefaultBoxWritesToStandardErrorAndContinues) {
  ::testing::internal::CaptureStderr();
  float out[1] = {5.0f};
  kvxsbFir(nullptr, out, out, 1);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("ZEL Library Error: Bad argument"), std::string::npos) << err;
  EXPECT_NE(err.find("in function [kvxfirh:381]:kvxsbFir():\n Null state pointer\n\n"
                     "ErrMode=KVX_ErrorModeLeaf\n\nTerminate the application?"),
            std::string::npos)
      << err;
  EXPECT_EQ(out[0], 5.0f);
  EXPECT_EQ(kvxOsMessageBox("t", "c", KVXOS_MB_OKCANCEL), KVXOS_IDOK);
}

std::vector<std::string> gSeen;
int Collect(const char* text, const char*, unsigned) {
  gSeen.emplace_back(text);
  return KVXOS_IDNO;
}

TEST(Library, ReportsComeFromTheCallingThread) {
  kvxOsSetMessageBox(&Collect);
  // Each thread raises its own error; a fresh thread's caption-independent
  // text names its own operation.
  std::thread a([] { kvxsbRandUni(nullptr, nullptr, 0); });
  a.join();
  std::thread b([] { kvxsFir(nullptr, 0.0f); });
  b.join();
  kvxOsSetMessageBox(nullptr);
  ASSERT_EQ(gSeen.size(), 2u);
  EXPECT_EQ(gSeen[0].rfind("in function [kvxrand:59]:kvxsbRandUni():", 0), 0u);
  EXPECT_EQ(gSeen[1].rfind("in function [kvxfirh:345]:kvxsFir():", 0), 0u);
}

}  // namespace
