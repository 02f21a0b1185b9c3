// Opening and saving without losing the user's work: files that are not
// regular files are refused at once, and a save that would delete elements
// outside the working space asks first.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "io/project_file.h"
#include "model/geometry.h"
#include "model/objekt_list.h"
#include "synth/synth_board.h"

namespace bs {
namespace {

namespace fs = std::filesystem;

struct OpenAndSaveTest : testing::Test {
  fs::path dir = fs::temp_directory_path() /
                 ("bs_open_save_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                  std::to_string(::getpid()));
  TProject p;
  void SetUp() override {
    fs::create_directories(dir);
    ResetProject(p, TLanguage::English, false);  // 160 x 100 mm
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string P(const char* name) const { return (dir / name).string(); }
  void Pad(float x, float y) {
    auto e = NewObjekt();
    InitThtPad(*e, {x, y}, kLayerC1, kShapeRound, 1000, 5000);
    p.Active()->Elements.push_back(std::move(e));
  }
};

TEST_F(OpenAndSaveTest, FoldersAndFifosAreRefusedWithoutTouchingTheProject) {
  ASSERT_EQ(::mkfifo(P("fifo.bsm6").c_str(), 0600), 0);
  fs::create_directories(P("folder.bsm6"));
  Pad(100000, -100000);
  p.FileName = "/kept.bsm6";
  for (const char* name : {"fifo.bsm6", "folder.bsm6"}) {
    SCOPED_TRACE(name);
    const std::string message = "\"" + P(name) + "\" is not a file that can be opened.";
    EXPECT_EQ(CheckFile(P(name)).Message, message);
    const TReadResult r = ReadProjectFile(p, P(name), false);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, message);
    ASSERT_EQ(p.Boards.size(), 1u);
    EXPECT_EQ(p.Active()->Elements.size(), 1u);
    EXPECT_EQ(p.FileName, "/kept.bsm6");
  }
}

TEST_F(OpenAndSaveTest, SavingAsksBeforeDeletingElementsOutsideTheWorkingSpace) {
  Pad(100000, -50000);   // inside
  Pad(-300000, -50000);  // wholly outside, on the left
  Pad(100000, 400000);   // wholly outside, above
  std::vector<std::string> asked;
  bool answer = false;
  TProjectUi ui;
  ui.Confirm = [&](const std::string& q) {
    asked.push_back(q);
    return answer;
  };
  EXPECT_EQ(CountElementsOutsideBoard(*p.Active()), 2u);

  EXPECT_FALSE(SaveProjectAs(p, P("a.bsm6"), ui));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0],
            "2 element(s) lie wholly outside the working space and will be deleted when saving.\r\rContinue?");
  EXPECT_FALSE(fs::exists(P("a.bsm6")));
  EXPECT_EQ(p.Active()->Elements.size(), 3u);
  EXPECT_TRUE(p.FileName.empty());

  answer = true;
  EXPECT_TRUE(SaveProjectAs(p, P("a.bsm6"), ui));
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(p.Active()->Elements.size(), 1u);
  EXPECT_EQ(p.FileName, P("a.bsm6"));

  // Nothing outside: nothing to ask.
  EXPECT_TRUE(SaveProjectAs(p, P("a.bsm6"), ui));
  EXPECT_EQ(asked.size(), 2u);
}

TEST_F(OpenAndSaveTest, AFailedSaveSaysWhy) {
  TProjectUi ui;
  std::string told;
  ui.Inform = [&](const std::string& m) { told = m; };
  const std::string missing = P("no/such/folder/a.bsm6");
  EXPECT_FALSE(SaveProjectAs(p, missing, ui));
  EXPECT_EQ(told, "The file \"" + missing + "\" can not be written:\rNo such file or directory");
  EXPECT_TRUE(p.FileName.empty());
}

// The synthetic boards of the benchmarks are boards a user could have made:
// everything lies inside the working space, so that nothing is lost when
// one is saved from the editor.
TEST(SynthBoard, EveryElementLiesInsideTheWorkingSpace) {
  for (size_t elements : {300u, 5000u}) {
    for (uint32_t seed : {1u, 2u}) {
      SCOPED_TRACE(std::to_string(elements) + " elements, seed " + std::to_string(seed));
      TProject p;
      TSynthOptions opt;
      opt.Elements = elements;
      opt.Seed = seed;
      MakeSynthProject(p, opt);
      const TBoard& b = *p.Active();
      const TPlatine& r = b.Platine;
      size_t outside = 0;
      for (const std::optional<TURect>& set : PartnerSetBounds(b.Elements, r))
        if (set && (set->Left < 0 || set->Right > r.Width || set->Top < -r.Height || set->Bottom > 0)) ++outside;
      EXPECT_EQ(outside, 0u);
      EXPECT_EQ(CountElementsOutsideBoard(b), 0u);
    }
  }
}

}  // namespace
}  // namespace bs
