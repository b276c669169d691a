// Test helper: installs a report handler on the calling thread that records
// every report instead of showing a box, and restores the previous handler.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kvxframe.h"

struct Report {
  int32_t status;
  std::string function, message, source;
  int32_t line;
};

class ReportCapture {
 public:
  ReportCapture() {
    reports().clear();
    previous_ = kvxHandlerSet(&Record);
  }
  ~ReportCapture() { kvxHandlerSet(previous_); }
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const std::vector<Report>& all() const { return reports(); }
  // The one report since the last take(); fails the test unless exactly one.
  Report take() {
    EXPECT_EQ(reports().size(), 1u);
    Report r = reports().empty() ? Report{0, "", "", "", -1} : reports().back();
    reports().clear();
    return r;
  }

 private:
  static std::vector<Report>& reports() {
    thread_local std::vector<Report> r;
    return r;
  }
  static int32_t Record(KvxStatus status, const char* f, const char* m, const char* s,
                        int32_t line) {
    reports().push_back({status, f ? f : "(null)", m ? m : "(null)", s ? s : "(null)", line});
    return status;
  }
  KvxReportHandler previous_;
};

inline void ExpectReport(const Report& r, int32_t status, const char* function, const char* message,
                         const char* source, int32_t line) {
  EXPECT_EQ(r.status, status);
  EXPECT_EQ(r.function, function);
  EXPECT_EQ(r.message, message);
  EXPECT_EQ(r.source, source);
  EXPECT_EQ(r.line, line);
}
