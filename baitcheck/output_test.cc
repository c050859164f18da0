// The three formats, exactly, on one small file. (The program test parses
// CSV and JSON with real parsers.)
#include <gtest/gtest.h>

#include <string>

#include "baitcheck/testing.h"
#include "testing/temp_dir.h"

namespace {

class Output : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile("tackle/baits/w,1.tkl",
              "[Header]\nName=Worm, \"big\"\nRef=W1\n[bait]\nWeight=0.1\nHookbait=0\nType=2\n"
              "Colour=red\n[Class]\nProtein=3\n");
  }
  ScopedTempDir dir_;
};

TEST_F(Output, Text) {
  const CapturedRun run = runCaptured({});
  EXPECT_EQ(run.out,
            "tackle/baits/w,1.tkl:8: warning: \"Colour\" is not a key the game reads "
            "[unknown-key]\n1 file, 1 with findings, 1 finding\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(Output, CsvIsOneRowPerFileOfTheValuesAsTheGameUsesThem) {
  const CapturedRun run = runCaptured({"--format=csv"});
  EXPECT_EQ(run.out,
            "path,Name,Ref,bigGraphic,Graphic,Desc,Type,Hairrig,Hookbait,Multi,Feeder,Loosefeed,"
            "Addsize,Adjustsize,Minsize,Weight,AdjWeight,Disperhour,Smallfact,ClassType,Protein,"
            "Starch,Carbo,Sweet,Sour,Bitter,Spicey,Citrus,Blood,Fish,Fat,Hardness,Move,Smell,"
            "Seapop,Freshpop,hooksize,adjhooksize,Livebait,findings\r\n"
            "\"tackle/baits/w,1.tkl\",\"Worm, \"\"big\"\"\",W1,graphics/bait.pcx,"
            "graphics/bait.pcx,[None],2,0,0,1,1,1,256,1,1,0.1,1,100,5,1,400,0,0,0,0,0,0,0,0,0,0,"
            "0,0,0,0,100,16,-1,0,1\r\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(Output, JsonIsAnArrayOfOneObjectPerFile) {
  const CapturedRun run = runCaptured({"--format=json"});
  EXPECT_EQ(
      run.out,
      "[\n{\"path\":\"tackle/baits/w,1.tkl\",\"values\":{\"Name\":\"Worm, \\\"big\\\"\","
      "\"Ref\":\"W1\",\"bigGraphic\":\"graphics/bait.pcx\",\"Graphic\":\"graphics/bait.pcx\","
      "\"Desc\":\"[None]\",\"Type\":2,\"Hairrig\":false,\"Hookbait\":false,\"Multi\":true,"
      "\"Feeder\":true,\"Loosefeed\":true,\"Addsize\":256,\"Adjustsize\":1,\"Minsize\":1,"
      "\"Weight\":0.1,\"AdjWeight\":1.0,\"Disperhour\":100.0,\"Smallfact\":5.0,"
      "\"ClassType\":1,\"Protein\":400,\"Starch\":0,\"Carbo\":0,\"Sweet\":0,\"Sour\":0,"
      "\"Bitter\":0,\"Spicey\":0,\"Citrus\":0,\"Blood\":0,\"Fish\":0,\"Fat\":0,"
      "\"Hardness\":0,\"Move\":0,\"Smell\":0,\"Seapop\":0,\"Freshpop\":100,"
      "\"hooksize\":16.0,\"adjhooksize\":-1.0,\"Livebait\":0},\"findings\":[{\"code\":"
      "\"unknown-key\",\"line\":8,\"message\":\"\\\"Colour\\\" is not a key the game reads\"}]}"
      "\n]\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(Output, NoFilesGiveAnEmptyTableAndArray) {
  std::filesystem::remove("tackle/baits/w,1.tkl");
  EXPECT_EQ(runCaptured({}).out, "0 files, 0 with findings, 0 findings\n");
  const CapturedRun json = runCaptured({"--format=json"});
  EXPECT_EQ(json.out, "[\n]\n");
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(runCaptured({"--format=csv"}).out.find("\r\n"),
            runCaptured({"--format=csv"}).out.size() - 2);
}

TEST(Usage, ErrorsExitWithTwoAndOneLine) {
  const ScopedTempDir dir;
  const struct {
    std::vector<std::string> arguments;
    const char* errors;
  } cases[] = {
      {{"--frob"},
       "baitcheck: The following argument was not expected: --frob (see baitcheck --help)\n"},
      {{"missing.tkl"}, "baitcheck: missing.tkl: no such file or folder\n"},
      {{},
       "baitcheck: tackle/baits/: no such folder; run baitcheck in the game folder, or name "
       "bait files or folders\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errors);
    const CapturedRun run = runCaptured(c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.errors, c.errors);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
