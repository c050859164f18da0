#include "reports/size_analysis.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/temp_dir.h"

namespace {

// A record with the loader's defaults for what the log reads.
BaitRecord defaultRecord(const char* name) {
  BaitRecord record;
  record.name = copyString(name);
  record.adjustSize = 1;
  record.hookSize = 16;
  record.adjHookSize = -1;
  record.weight = 0;
  record.adjWeight = 1;
  record.minSize = 1;
  record.addSize = 256;
  return record;
}

const char* const kHeader = "\t\tSize\t\tHook size\t\tWeight\t\tMin fish\n";

TEST(SizeAnalysis, DefaultRecordGivesFiveLines) {
  const ScopedTempDir dir;
  writeSizeAnalysis(defaultRecord("Unknown bait"));
  EXPECT_EQ(readFile(kSizeAnalysisFile), std::string("Unknown bait\n") + kHeader +
                                             "\t\t1\t\t16\t\t\t0\t\t0 lb, 0 oz, 1 dr\n"
                                             "5 Pieces\t\t\t11\t\t\t5\t\t5 lb, 0 oz, 1 dr\n"
                                             " \n");
}

TEST(SizeAnalysis, OneLinePerSizeThenFivePieces) {
  const ScopedTempDir dir;
  BaitRecord record = defaultRecord("Sweetcorn");
  record.adjustSize = 3;
  record.weight = 2;
  record.adjWeight = 0.5F;
  record.minSize = 256;
  record.addSize = 128;
  writeSizeAnalysis(record);
  EXPECT_EQ(readFile(kSizeAnalysisFile), std::string("Sweetcorn\n") + kHeader +
                                             "\t\t1\t\t16\t\t\t2\t\t1 lb, 0 oz, 0 dr\n"
                                             "\t\t2\t\t15\t\t\t2\t\t1 lb, 8 oz, 0 dr\n"
                                             "\t\t3\t\t14\t\t\t3\t\t2 lb, 0 oz, 0 dr\n"
                                             "5 Pieces\t\t\t1\t\t\t9\t\t8 lb, 8 oz, 0 dr\n"
                                             " \n");
}

TEST(SizeAnalysis, HookSizesAreTruncatedInDoublePrecision) {
  const ScopedTempDir dir;
  BaitRecord record = defaultRecord("Caster");
  record.adjustSize = 11;
  record.adjHookSize = -0.1F;
  writeSizeAnalysis(record);
  const std::string log = readFile(kSizeAnalysisFile);
  // 16 + 10 × (float)-0.1 lies just below 15.
  EXPECT_NE(log.find("\t\t11\t\t14\t\t\t10\t\t"), std::string::npos) << log;
}

TEST(SizeAnalysis, MinimumWeightsDoNotWrapAt32Bits) {
  const ScopedTempDir dir;
  BaitRecord record = defaultRecord("Boilie");
  record.adjustSize = 2;
  record.minSize = 2147483647;
  record.addSize = 2147483647;
  writeSizeAnalysis(record);
  const std::string log = readFile(kSizeAnalysisFile);
  // Size 2: 2 × (2^31 - 1) drams; five pieces: 11 × (2^31 - 1) drams.
  EXPECT_NE(log.find("16777215 lb, 15 oz, 14 dr\n"), std::string::npos) << log;
  EXPECT_NE(log.find("92274687 lb, 15 oz, 5 dr\n"), std::string::npos) << log;
}

TEST(SizeAnalysis, EmptyNameAndAppendingRuns) {
  const ScopedTempDir dir;
  BaitRecord record = defaultRecord("x");
  record.name.reset();
  writeSizeAnalysis(record);
  writeSizeAnalysis(record);
  const std::string block = std::string("\n") + kHeader +
                            "\t\t1\t\t16\t\t\t0\t\t0 lb, 0 oz, 1 dr\n"
                            "5 Pieces\t\t\t11\t\t\t5\t\t5 lb, 0 oz, 1 dr\n \n";
  EXPECT_EQ(readFile(kSizeAnalysisFile), block + block);
}

}  // namespace
