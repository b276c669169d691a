// The engine frame: raising, status texts, the report box and its texts, the
// termination paths, aligned blocks and per-thread contexts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ReportCapture.h"
#include "dsp/kvxos.h"
#include "kvxframe.h"

namespace {

struct Box {
  std::string text, caption;
  unsigned style = 0;
  int calls = 0;
};
Box gBox;
int gAnswer = KVXOS_IDNO;

int RecordBox(const char* text, const char* caption, unsigned style) {
  gBox.text = text;
  gBox.caption = caption;
  gBox.style = style;
  ++gBox.calls;
  return gAnswer;
}

// Shows reports through a recording box; restores the default box, error
// mode and status afterwards.
class BoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gBox = Box{};
    gAnswer = KVXOS_IDNO;
    previous_ = kvxOsSetMessageBox(&RecordBox);
    kvxStatusSet(StatusNoError);
  }
  void TearDown() override {
    kvxOsSetMessageBox(previous_);
    kvxErrModeSet(KVX_ErrorModeLeaf);
    kvxStatusSet(StatusNoError);
  }
  KvxOsMessageBoxFn previous_ = nullptr;
};

constexpr const char* kLeafSuffix = "\n\nErrMode=KVX_ErrorModeLeaf\n\nTerminate the application?";
constexpr const char* kParentSuffix = "\n\nErrMode=KVX_ErrorModeParent\n\nContinue?";

TEST(StatusText, FixedTextsAndUnknownCodes) {
  const std::vector<std::pair<int32_t, const char*>> table = {
      {0, "No Error"},
      {-1, "Backtrace"},
      {-2, "Unknown error or status code"},
      {-3, "Internal error (bad state)"},
      {-4, "Out of memory"},
      {-5, "Bad argument"},
      {-6, "Unsupported function"},
      {-7, "Iteration convergence failed"},
      {-8, "Autotrace call"},
      {-9, "Unknown error or status code"},
      {1, "Unknown error or status code"},
      {INT32_MIN, "Unknown error or status code"},
  };
  for (const auto& [code, text] : table) EXPECT_STREQ(kvxStatusText(code), text) << code;
}

TEST(Raise, StatusZeroReportsNothing) {
  ReportCapture capture;
  kvxStatusSet(StatusBadArgument);
  EXPECT_EQ(kvxRaise(StatusNoError, "f", "m", "s", 1), 0);
  EXPECT_TRUE(capture.all().empty());
  EXPECT_EQ(kvxStatusGet(), StatusNoError);
}

TEST(Raise, PassOnCodesKeepTheStoredStatus) {
  ReportCapture capture;
  kvxStatusSet(StatusOutOfMemory);
  for (KvxStatus code : {StatusBacktrace, StatusAutotrace}) {
    EXPECT_EQ(kvxRaise(code, "f", "m", "s", 7), code);
    ExpectReport(capture.take(), code, "f", "m", "s", 7);
    EXPECT_EQ(kvxStatusGet(), StatusOutOfMemory);
  }
  kvxRaise(StatusUnsupported, "f", "m", "s", 7);
  EXPECT_EQ(kvxStatusGet(), StatusUnsupported);
  kvxStatusSet(StatusNoError);
}

TEST_F(BoxTest, LeafModeTextCaptionAndButtons) {
  EXPECT_EQ(kvxRaise(StatusBadArgument, "kvxsbFir", "Null state pointer", "kvxfirh", 381),
            StatusBadArgument);
  EXPECT_EQ(gBox.calls, 1);
  EXPECT_EQ(gBox.caption, "ZEL Library Error: Bad argument");
  EXPECT_EQ(gBox.text, std::string("in function [kvxfirh:381]:kvxsbFir():\n Null state pointer") +
                           kLeafSuffix);
  EXPECT_EQ(gBox.style, unsigned{KVXOS_MB_YESNO | KVXOS_MB_SYSTEMMODAL});
}

TEST_F(BoxTest, ParentModeAsksToContinue) {
  kvxErrModeSet(KVX_ErrorModeParent);
  gAnswer = KVXOS_IDOK;
  EXPECT_EQ(kvxRaise(StatusOutOfMemory, "kvxsFirInit", "Allocation failure", "kvxfirh", 191),
            StatusOutOfMemory);
  EXPECT_EQ(gBox.caption, "ZEL Library Error: Out of memory");
  EXPECT_EQ(
      gBox.text,
      std::string("in function [kvxfirh:191]:kvxsFirInit():\n Allocation failure") + kParentSuffix);
  EXPECT_EQ(gBox.style, unsigned{KVXOS_MB_OKCANCEL | KVXOS_MB_SYSTEMMODAL});
}

TEST_F(BoxTest, QuietModeShowsNothing) {
  kvxErrModeSet(KVX_ErrorModeQuiet);
  EXPECT_EQ(kvxRaise(StatusBadArgument, "f", "m", "s", 1), StatusBadArgument);
  EXPECT_EQ(gBox.calls, 0);
  EXPECT_EQ(kvxStatusGet(), StatusBadArgument);
}

TEST_F(BoxTest, PassOnFormatsNameTheEarlierStatus) {
  kvxRaise(StatusBacktrace, "outer", "inner", "kvxffts", 12);
  EXPECT_EQ(gBox.caption, "ZEL Library Error: No Error");
  EXPECT_EQ(gBox.text, std::string("called from [kvxffts:12]:outer():\n inner") + kLeafSuffix);

  kvxStatusSet(StatusOutOfMemory);
  kvxRaise(StatusAutotrace, "outer", "args", "kvxarith", 3);
  EXPECT_EQ(gBox.caption, "ZEL Library Error: Out of memory");
  EXPECT_EQ(gBox.text, std::string("called from [kvxarith:3]:\n outer(args)") + kLeafSuffix);
}

TEST_F(BoxTest, DefaultsForMissingArguments) {
  kvxRaise(StatusBadArgument, nullptr, nullptr, nullptr, -40);
  EXPECT_EQ(gBox.text, std::string("in function [:0]:<unknown>():\n ") + kLeafSuffix);
}

TEST_F(BoxTest, TextAndCaptionAreBounded) {
  const std::string longText(500, 'x');
  kvxRaise(static_cast<KvxStatus>(-2), "f", longText.c_str(), longText.c_str(), 1);
  EXPECT_EQ(gBox.text.size(), 199u);
  EXPECT_EQ(gBox.text.rfind("in function [xxx", 0), 0u);
  EXPECT_EQ(gBox.caption, "ZEL Library Error: Unknown error or status code");
  EXPECT_LE(gBox.caption.size(), 99u);
}

int LegacyPlatform() {
  return KVXOS_PLATFORM_LEGACY;
}
int AnswerYes(const char*, const char*, unsigned) {
  return KVXOS_IDYES;
}
int AnswerCancel(const char*, const char*, unsigned) {
  return KVXOS_IDCANCEL;
}
int AnswerYesThenShow(const char* text, const char* caption, unsigned) {
  fprintf(stderr, "[%s|%s]", caption, text);
  return KVXOS_IDYES;
}

TEST(BoxDeathTest, YesInLeafModeEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        kvxOsSetMessageBox(&AnswerYes);
        kvxRaise(StatusBadArgument, "f", "m", "s", 1);
      },
      ::testing::ExitedWithCode(3), "ZEL Library:\nterminating the application");
}

TEST(BoxDeathTest, CancelInParentModeEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        kvxOsSetMessageBox(&AnswerCancel);
        kvxErrModeSet(KVX_ErrorModeParent);
        kvxRaise(StatusBadArgument, "f", "m", "s", 1);
      },
      ::testing::ExitedWithCode(3), "terminating the application");
}

TEST(BoxDeathTest, LegacyPlatformSaysGoodbyeAndExitsWithOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        kvxOsSetPlatformId(&LegacyPlatform);
        kvxOsSetMessageBox(&AnswerYesThenShow);
        kvxRaise(StatusBadArgument, "f", "m", "s", 1);
      },
      ::testing::ExitedWithCode(1),
      "\\[Win32S: Application exit\\|ZEL Library:\nterminating the application\\]");
}

TEST(AlignedAlloc, AlignedWritableAndFreed) {
  for (size_t bytes : {size_t{0}, size_t{1}, size_t{7}, size_t{64}, size_t{1000}}) {
    auto* p = static_cast<unsigned char*>(kvxAlignedAlloc(bytes));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % kvxAlignment, 0u);
    std::memset(p, 0xAB, bytes);
    kvxAlignedFree(p);
  }
  void* p4 = kvxAlignedAlloc4(3);
  void* p8 = kvxAlignedAlloc8(3);
  EXPECT_NE(p4, nullptr);
  EXPECT_NE(p8, nullptr);
  kvxAlignedFree(p4);
  kvxAlignedFree(p8);
  kvxAlignedFree(nullptr);
}

TEST(AlignedAlloc, OversizedRequestsYieldNull) {
  EXPECT_EQ(kvxAlignedAlloc(SIZE_MAX), nullptr);
  EXPECT_EQ(kvxAlignedAlloc(SIZE_MAX - 8), nullptr);
  EXPECT_EQ(kvxAlignedAlloc4(SIZE_MAX / 2), nullptr);
  EXPECT_EQ(kvxAlignedAlloc8(SIZE_MAX / 4), nullptr);
}

int32_t CountingHandler(KvxStatus status, const char*, const char*, const char*, int32_t) {
  return status;
}

TEST(Context, EachThreadHasItsOwn) {
  kvxStatusSet(StatusUnsupported);
  constexpr int kThreads = 6;
  std::vector<std::thread> threads;
  std::vector<int> ok(kThreads, 0);
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([i, &ok] {
      // A new thread starts from the initial values, whatever others did.
      EngineContext* ctx = kvxContext();
      bool fresh = ctx->status == StatusNoError && ctx->errorMode == KVX_ErrorModeLeaf &&
                   ctx->reportHandler == &kvxBoxReport && ctx->scratch == nullptr;
      kvxHandlerSet(&CountingHandler);
      const auto mine = static_cast<KvxStatus>(-3 - (i % 5));
      for (int round = 0; round < 200; ++round) {
        kvxRaise(mine, "f", "m", "s", i);
        if (kvxStatusGet() != mine) fresh = false;
        std::this_thread::yield();
      }
      ok[i] = fresh && kvxContext() == ctx;
    });
  }
  for (auto& t : threads) t.join();
  for (int i = 0; i < kThreads; ++i) EXPECT_TRUE(ok[i]) << "thread " << i;
  EXPECT_EQ(kvxStatusGet(), StatusUnsupported);
  EXPECT_EQ(kvxContext()->reportHandler, &kvxBoxReport);
  kvxStatusSet(StatusNoError);
}

TEST(Context, HandlerSetReturnsPreviousAndNullRestoresTheBox) {
  KvxReportHandler first = kvxHandlerSet(&CountingHandler);
  EXPECT_EQ(first, &kvxBoxReport);
  EXPECT_EQ(kvxHandlerSet(nullptr), &CountingHandler);
  EXPECT_EQ(kvxContext()->reportHandler, &kvxBoxReport);
}

}  // namespace
