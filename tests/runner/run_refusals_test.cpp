// quorvel-run refuses, before anything is written, a run that would destroy
// one of its own files, contradicts itself or cannot write where it is told
// to; and says why, in the system's words where the system is the reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/runner/quorvel_run_fixture.h"
#include "tests/support/run_support.h"
#include "tests/support/test_platform.h"

namespace {

using ::testing::HasSubstr;

// A run refused with status 3 before anything is written.
struct Refusal {
  const char* why;
  std::vector<std::string> arguments;
  std::vector<std::string> messages;  // each found in standard error, as it is
  std::string input = "";             // the file standard input reads, if any
};

class RunRefusalsTest : public QuorvelRunTest {
 protected:
  // The files the cases name: a scene, a hard link to it, a file that is
  // no directory, a directory, a module stand-in and an envelope kept.
  void SetUp() override {
    writeFile(directory_.path("scene.lws"), twoStaticNulls());
    std::filesystem::create_hard_link(directory_.path("scene.lws"), directory_.path("link.lws"));
    writeFile(directory_.path("notes.txt"), "just some notes\n");
    std::filesystem::create_directory(directory_.path("sub"));
    writeFile(directory_.path("m.p"), "not a module\n");
    writeFile(directory_.path("out.env"), "kept\n");
  }

  // Runs each case and proves that it was refused and that every file is
  // byte for byte as before, with nothing left beside them.
  void expectRefused(const std::vector<Refusal>& refusals) {
    for (const Refusal& refusal : refusals) {
      SCOPED_TRACE(refusal.why);
      std::map<std::string, std::string> before = snapshot(directory_.root());
      std::string input = refusal.input.empty() ? "" : directory_.path(refusal.input);
      RunResult run = runQuorvel(refusal.arguments, directory_.root(), input);
      EXPECT_EQ(run.status, 3) << run.err;
      for (const std::string& message : refusal.messages) {
        EXPECT_THAT(run.err, HasSubstr(message));
      }
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(snapshot(directory_.root()), before);
    }
  }
};

TEST_F(RunRefusalsTest, TwoOptionsNamingOneFileAreRefusedNamingBoth) {
  const std::string same = " name the same file; nothing was written";
  expectRefused({
      {"the scene as the plot",
       {"--scene", "scene.lws", "--output", "o.env", "--plot", "scene.lws"},
       {"--scene scene.lws and --plot scene.lws" + same}},
      {"the scene as the envelope",
       {"--scene", "scene.lws", "--output", "scene.lws"},
       {"--scene scene.lws and --output scene.lws" + same}},
      {"the envelope as the plot, neither there yet",
       {"--scene", "scene.lws", "--output", "x.env", "--plot", "x.env"},
       {"--output x.env and --plot x.env" + same}},
      {"a new file spelt through another directory",
       {"--scene", "scene.lws", "--output", "x.env", "--plot", "sub/../x.env"},
       {"--output x.env and --plot sub/../x.env" + same}},
      {"a kept envelope spelt two ways",
       {"--scene", "scene.lws", "--output", "out.env", "--plot", "./out.env"},
       {"--output out.env and --plot ./out.env" + same}},
      {"a hard link to the scene as the envelope",
       {"--scene", "scene.lws", "--output", "link.lws"},
       {"--scene scene.lws and --output link.lws" + same}},
      {"the default envelope as the plot",
       {"--scene", "scene.lws", "--plot", "quorvel.env"},
       {"the default envelope ./quorvel.env and --plot quorvel.env" + same}},
      {"the module as the plot",
       {"--scene", "scene.lws", "--module", "m.p", "--plot", "m.p"},
       {"--module m.p and --plot m.p" + same}},
      {"standard input's file as the envelope",
       {"--scene", "-", "--output", "scene.lws"},
       {"--scene - and --output scene.lws" + same},
       "scene.lws"},
  });
}

TEST_F(RunRefusalsTest, ContradictionsAreRefusedBeforeTheModuleRuns) {
  writeFile(directory_.path("behind.lws"), "LWSC\n1\n\nFirstFrame 1\nLastFrame -1\n" +
                                               staticNull("A", 0, 0, 0) + staticNull("B", 1, 0, 0));
  expectRefused({
      {"a camera and a target",
       {"--scene", "scene.lws", "--camera", "--target", "Corner"},
       {"--camera", "--target"}},
      {"one item at both ends",
       {"--scene", "scene.lws", "--item", "Corner", "--target", "Corner"},
       {"--item and --target both name \"Corner\""}},
      {"the camera at both ends",
       {"--scene", "scene.lws", "--item", "Camera", "--camera"},
       {"--item names \"Camera\", the scene's first camera, which --camera measures to"}},
      {"last frame 0",
       {"--scene", "scene.lws", "--last-frame", "0"},
       {"--last-frame 0: ", "none to bake"}},
      {"last frame below 0", {"--last-frame", "-5"}, {"--last-frame -5: "}},
      {"the scene's last frame below 0",
       {"--scene", "behind.lws"},
       {"behind.lws:5: LastFrame -1 leaves no frame"}},
      {"the scene's clock without a scene", {"--scene-rate"}, {"--scene-rate", "--scene"}},
      {"quiet and progress", {"--quiet", "--progress"}, {"--quiet", "--progress"}},
  });
  // Cancelled, nothing is baked, so nothing contradicts.
  RunResult cancelled =
      runQuorvel({"--scene", "behind.lws", "--last-frame", "0", "--cancel"}, directory_.root());
  EXPECT_EQ(cancelled.status, 0) << cancelled.err;
}

// The system's words are matched loosely, in any case, as locales and C
// libraries differ in the rest.
TEST_F(RunRefusalsTest, EveryRefusalSaysWhy) {
  struct Reason {
    const char* why;
    std::vector<std::string> arguments;
    std::string message;  // found in standard error, as it is
    std::string words;    // found in standard error, case aside
  };
  std::string mac = twoStaticNulls();
  std::replace(mac.begin(), mac.end(), '\n', '\r');
  writeFile(directory_.path("mac.lws"), mac);
  writeFile(directory_.path("bom.lws"), "\xEF\xBB\xBF" + twoStaticNulls());
  writeFile(directory_.path("holds-nul.lws"), std::string("LWSC\n1\n\0\n", 10) + twoStaticNulls());
  writeFile(directory_.path("picture.png"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  const Reason reasons[] = {
      {"no such directory",
       {"--output", "missing/dir/out.env"},
       "cannot write the envelope missing/dir/out.env: the directory missing/dir: ",
       "no such file or directory"},
      {"a file where the directory should be",
       {"--output", "notes.txt/out.env"},
       "cannot write the envelope notes.txt/out.env: the directory notes.txt: ",
       "not a directory"},
      {"a directory as the envelope",
       {"--output", "sub"},
       "cannot write the envelope sub: ",
       "is a directory"},
      {"the default envelope in no directory",
       {"--envelopes-dir", "missing"},
       "cannot write the envelope missing/quorvel.env: the directory missing: ",
       "no such file or directory"},
      {"a plot in no directory",
       {"--output", "o.env", "--plot", "missing/chart.svg"},
       "cannot write the plot missing/chart.svg: the directory missing: ",
       "no such file or directory"},
      {"no such scene",
       {"--scene", "absent.lws"},
       "cannot read scene file absent.lws: ",
       "no such file or directory"},
      {"a NUL byte in the scene",
       {"--scene", "holds-nul.lws"},
       "cannot read scene file holds-nul.lws: it holds a NUL byte at offset 7, so it is not text",
       ""},
      {"a picture as the scene",
       {"--scene", "picture.png"},
       "cannot read scene file picture.png: it holds a NUL byte at offset 8",
       ""},
      {"line ends of CR alone", {"--scene", "mac.lws"}, "mac.lws ends its lines with CR alone", ""},
      {"a byte-order mark",
       {"--scene", "bom.lws"},
       "bom.lws begins with a UTF-8 byte-order mark (EF BB BF) before \"LWSC\"",
       ""},
  };
  std::map<std::string, std::string> before = snapshot(directory_.root());
  for (const Reason& reason : reasons) {
    SCOPED_TRACE(reason.why);
    std::vector<std::string> arguments = reason.arguments;
    if (arguments[0] != "--scene") arguments.insert(arguments.begin(), {"--scene", "scene.lws"});
    RunResult run = runQuorvel(arguments, directory_.root());
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_THAT(run.err, HasSubstr(reason.message));
    EXPECT_THAT(lowered(run.err), HasSubstr(reason.words));
    EXPECT_EQ(snapshot(directory_.root()), before);
  }
}

}  // namespace
