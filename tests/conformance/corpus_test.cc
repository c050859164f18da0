// The recorded corpus: random files from the conformance run with the answers
// the platform gave under Wine, replayed against our reader without Wine.
// `make conformance-corpus` records it afresh.
#include <gtest/gtest.h>

#include <string>

#include "tests/conformance/conformance_run.h"

namespace {

void expectNoDifferences(const conformance::Comparison& result) {
  constexpr std::size_t kShown = 30;
  for (std::size_t i = 0; i < result.differences.size() && i < kShown; ++i) {
    ADD_FAILURE() << result.differences[i];
  }
  EXPECT_EQ(result.differences.size(), 0U) << "answers that differ from the platform's";
}

TEST(ConformanceCorpus, EveryRecordedAnswerIsOurs) {
  conformance::Comparison result;
  ASSERT_TRUE(
      conformance::compareAnswers(BANALYSE_CONFORMANCE_CORPUS, "job.txt", "answers.txt", result))
      << result.differences.front();
  expectNoDifferences(result);
  // A corpus that lost its files or answers must not pass by asking nothing.
  EXPECT_GE(result.files, 200U);
  EXPECT_GE(result.requests, result.files * 38);
  EXPECT_GE(result.numbers, 200U);
}

TEST(ConformanceCorpus, KnownDifferencesAreTheRecordedOnes) {
  conformance::Comparison result;
  ASSERT_TRUE(conformance::checkKnownDifferences(BANALYSE_CONFORMANCE_CORPUS, result))
      << result.differences.front();
  expectNoDifferences(result);
  EXPECT_GT(result.requests, 0U);
  EXPECT_GT(result.numbers, 0U);
}

}  // namespace
