#include <string>
#include <vector>

#include "gmock/gmock.h"
#include "failing_allocation/failing_allocation.h"
#include "gtest/gtest.h"
#include "module/module.h"
#include "tests/command/command_test_support.h"

using hostsim::HostSim;
using hostsim::ItemKind;
using hostsim::Message;
using hostsim::userCancels;
using hostsim::userSetsValue;
using hostsim::userTypesText;
using ::testing::Contains;
using ::testing::Each;
using ::testing::Eq;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

class OptionsPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.setDirectory("Envelopes", scratch.root().string());
    ball = host.addItem({ItemKind::OBJECT, "Ball", standingAt(0, 0, 0)});
    box = host.addItem({ItemKind::OBJECT, "Box", standingAt(3, 4, 0)});
  }

  void TearDown() override {
    failAllocationsFrom(0);
    EXPECT_EQ(liveAllocations(), 0) << "PanelContext leaked";
  }

  ItemId addCamera(double x, double y, double z) {
    return host.addItem({ItemKind::CAMERA, "Camera", standingAt(x, y, z)});
  }

  std::int32_t activate() { return activateCommand(1, HostSim::lookup(), nullptr, nullptr); }

  // The value lines of the envelope at `path`, in order.
  std::vector<std::string> valueLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string content = readFile(path);
    std::size_t start = 0;
    for (int index = 0; start < content.size(); ++index) {
      std::size_t end = content.find("\r\n", start);
      if (index >= 4 && index % 2 == 0) lines.push_back(content.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  std::string defaultPath() const { return scratch.path("quorvel.env"); }

  HostSim host;
  ScratchDirectory scratch;
  ItemId ball = 0;
  ItemId box = 0;
};

TEST_F(OptionsPanelTest, DefaultRunWritesSixtyKeysToTheEnvelopesDirectory) {
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box)});
  EXPECT_EQ(activate(), 0);
  std::vector<std::string> values = valueLines(defaultPath());
  EXPECT_EQ(values.size(), 60u);
  EXPECT_THAT(values, Each(Eq("5.000000")));
  EXPECT_THAT(readFile(defaultPath()), HasSubstr("\r\n59 1 0 0 0\r\n"));
  std::vector<std::string> params = host.callsTo("itemParam");
  ASSERT_EQ(params.size(), 120u);
  EXPECT_EQ(params[0], "itemParam(1, 8, 0)");
  EXPECT_EQ(params[1], "itemParam(2, 8, 0)");
  EXPECT_THAT(host.messages(), IsEmpty());
  EXPECT_EQ(host.livePanelCount(), 0);
}

TEST_F(OptionsPanelTest, CameraReplacesWhateverTheTargetListHolds) {
  addCamera(0, 0, 12);
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box),
                   userSetsValue("TargetVar", 1), userSetsValue("Max Frame", 1)});
  EXPECT_EQ(activate(), 0);
  EXPECT_THAT(valueLines(defaultPath()), ElementsAre("12.000000"));
  EXPECT_THAT(host.callsTo("firstItem"), ElementsAre("firstItem(2, 0) -> 3"));
}

TEST_F(OptionsPanelTest, CameraInASceneWithoutOneWritesNothingAndSaysNothing) {
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box),
                   userSetsValue("TargetVar", 1)});
  EXPECT_EQ(activate(), 0);
  EXPECT_FALSE(std::filesystem::exists(defaultPath()));
  EXPECT_THAT(host.messages(), IsEmpty());
  EXPECT_EQ(host.livePanelCount(), 0);
}

TEST_F(OptionsPanelTest, SwitchingTheTargetKindGreysThenRestoresTheTargetList) {
  host.scriptUser({userSetsValue("TargetVar", 1), userSetsValue("TargetVar", 0)});
  EXPECT_EQ(activate(), 0);
  EXPECT_THAT(host.callsTo("drawControl"),
              ElementsAre("drawControl(Target, 2)", "drawControl(Target, 1)"));
}

TEST_F(OptionsPanelTest, AnEmptyItemListWritesNothingAndSaysNothing) {
  host.scriptUser({userSetsValue("Target", box)});
  EXPECT_EQ(activate(), 0);
  EXPECT_FALSE(std::filesystem::exists(defaultPath()));
  EXPECT_THAT(host.messages(), IsEmpty());
  EXPECT_THAT(host.callsTo("destroyPanel"), ElementsAre("destroyPanel(panel1)"));
  EXPECT_EQ(host.livePanelCount(), 0);
}

TEST_F(OptionsPanelTest, ARefusedControlDiscardsThePanelBeforeAnyValueIsSet) {
  for (int refused = 1; refused <= 6; ++refused) {
    HostSim failing;
    failing.failAddControlAt(refused);
    EXPECT_EQ(activate(), 0);
    EXPECT_EQ(failing.callsTo("addControl").size(), static_cast<std::size_t>(refused));
    EXPECT_THAT(failing.callsTo("setAttr"), IsEmpty());
    EXPECT_THAT(failing.callsTo("openPanel"), IsEmpty());
    EXPECT_THAT(failing.callsTo("destroyPanel"), ElementsAre("destroyPanel(panel1)"));
    EXPECT_THAT(failing.messages(), ElementsAre(Message{"Error", "Unable to create panel"}));
    EXPECT_EQ(failing.livePanelCount(), 0);
  }
}

TEST_F(OptionsPanelTest, APanelThatCannotBeCreatedIsReported) {
  host.failCreatePanel();
  EXPECT_EQ(activate(), 0);
  EXPECT_THAT(host.callsTo("addControl"), IsEmpty());
  EXPECT_THAT(host.callsTo("destroyPanel"), IsEmpty());
  EXPECT_THAT(host.messages(), ElementsAre(Message{"Error", "Unable to create panel"}));
}

TEST_F(OptionsPanelTest, AContextThatCannotBeAllocatedIsReportedAndThePanelDestroyed) {
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box)});
  failAllocationsFrom(1);
  EXPECT_EQ(activate(), 0);
  EXPECT_EQ(allocationsAttempted(), 1);
  EXPECT_THAT(host.messages(), ElementsAre(Message{"Couldn't allocate memory !!", std::nullopt}));
  EXPECT_THAT(host.callsTo("openPanel"), IsEmpty());
  EXPECT_EQ(host.livePanelCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(defaultPath()));
}

TEST_F(OptionsPanelTest, CancelReadsNothingBackAndWritesNothing) {
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box), userCancels()});
  EXPECT_EQ(activate(), 0);
  for (const std::string& call : host.callsTo("getAttr")) {
    EXPECT_THAT(call, Not(HasSubstr("ATTR_VALUE")));
  }
  EXPECT_FALSE(std::filesystem::exists(defaultPath()));
  EXPECT_THAT(host.callsTo("destroyPanel"), ElementsAre("destroyPanel(panel1)"));
  EXPECT_THAT(host.messages(), IsEmpty());
}

TEST_F(OptionsPanelTest, TheUsersChoicesReachTheWriter) {
  std::string path = scratch.path("chosen.env");
  host.scriptUser({userSetsValue("Item", box), userSetsValue("Target", ball),
                   userSetsValue("Max Frame", 10), userSetsValue("Frame Step", 3),
                   userTypesText("env_name", path)});
  EXPECT_EQ(activate(), 0);
  EXPECT_THAT(readFile(path), HasSubstr("LWEN\r\n1\r\n1\r\n4\r\n"));
  EXPECT_THAT(readFile(path), HasSubstr("\r\n9 1 0 0 0\r\n"));
  EXPECT_FALSE(std::filesystem::exists(defaultPath()));
}

TEST_F(OptionsPanelTest, ADefaultPathThatCannotBeMadeFallsBackToTheBareFileName) {
  struct Case {
    const char* what;
    std::optional<std::string> directory;
  };
  const Case cases[] = {
      {"no directory", std::nullopt},
      {"a directory too long for the buffer", std::string(244, 'd')},
  };
  for (const Case& c : cases) {
    HostSim caseHost;
    if (c.directory) caseHost.setDirectory("Envelopes", *c.directory);
    caseHost.scriptUser({userCancels()});
    EXPECT_EQ(activate(), 0);
    EXPECT_THAT(caseHost.callsTo("setAttr"),
                Contains("setAttr(env_name, ATTR_VALUE, \"quorvel.env\")"))
        << c.what;
  }
}

TEST_F(OptionsPanelTest, TheLongestDirectoryThatFitsIsJoinedWithTheSeparator) {
  std::string directory(243, 'd');  // 243 + separator + "quorvel.env" = 255 bytes
  host.setDirectory("Envelopes", directory);
  host.scriptUser({userCancels()});
  EXPECT_EQ(activate(), 0);
  EXPECT_THAT(host.callsTo("setAttr"),
              Contains("setAttr(env_name, ATTR_VALUE, \"" + directory + PATH_SEPARATOR +
                       "quorvel.env\")"));
}

TEST_F(OptionsPanelTest, APathReadBackWithoutTerminatorIsCutAtTheBuffer) {
  std::string directory = scratch.root().string() + "/";
  std::string name(255 - directory.size(), 'a');
  host.copyTextsUnterminated(true);
  host.scriptUser({userSetsValue("Item", ball), userSetsValue("Target", box),
                   userSetsValue("Max Frame", 1), userTypesText("env_name", directory + name + "zzzz")});
  EXPECT_EQ(activate(), 0);
  EXPECT_EQ(readFile(directory + name), "LWEN\r\n1\r\n1\r\n1\r\n5.000000\r\n0 1 0 0 0\r\n");
}

}  // namespace
