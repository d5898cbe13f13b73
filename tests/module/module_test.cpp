#include "module/module.h"

#include <cstring>
#include <string>
#include <vector>

#include "gmock/gmock.h"
#include "gtest/gtest.h"
#include "hostsim/hostsim.h"

using hostsim::HostSim;
using hostsim::Message;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char* const COMMAND_SERVICES[] = {"Info Messages", "LW Item Info", "LW Object Info",
                                        "LW Scene Info", "Directory Info"};

std::string found(const std::string& service) { return "lookup(\"" + service + "\", 0) -> found"; }
std::string missing(const std::string& service) { return "lookup(\"" + service + "\", 0) -> null"; }

std::int32_t activate(std::int32_t version) {
  return activateCommand(version, HostSim::lookup(), nullptr, nullptr);
}

TEST(ModuleRecordTest, HoldsTheSixFieldsTheHostChecks) {
  EXPECT_EQ(_mod_descrip.syncCode, 0x04121994u);
  EXPECT_EQ(_mod_descrip.version, 2);
  EXPECT_EQ(_mod_descrip.machineCode, 0x300);
  EXPECT_EQ(_mod_descrip.startup, &moduleStartup);
  EXPECT_EQ(_mod_descrip.shutdown, &moduleShutdown);
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(_mod_descrip.startup()), 4);
  _mod_descrip.shutdown(nullptr);
}

TEST(ModuleRecordTest, ServerTableHoldsTheCommandThenANullRow) {
  const ServerEntry* servers = _mod_descrip.servers;
  ASSERT_NE(servers, nullptr);
  EXPECT_STREQ(servers[0].className, "LayoutGeneric");
  EXPECT_STREQ(servers[0].serverName, "Quorvel");
  EXPECT_EQ(servers[0].activate, &activateCommand);
  EXPECT_EQ(servers[1].className, nullptr);
  EXPECT_EQ(servers[1].serverName, nullptr);
  EXPECT_EQ(servers[1].activate, nullptr);
}

TEST(ActivationTest, AnyVersionButOneReturnsOneWithoutALookup) {
  HostSim host;
  for (std::int32_t version : {0, 2, -1, 3}) {
    EXPECT_EQ(activate(version), 1) << "version " << version;
  }
  EXPECT_THAT(host.calls(), IsEmpty());
  EXPECT_THAT(host.messages(), IsEmpty());
}

TEST(ActivationTest, LooksUpTheFiveServicesThenThePanelServicesInOrder) {
  HostSim host;
  EXPECT_EQ(activate(1), 0);
  std::vector<std::string> expected;
  for (const char* service : COMMAND_SERVICES) expected.push_back(found(service));
  expected.push_back(found("LWPanelServices"));
  EXPECT_EQ(host.callsTo("lookup"), expected);
}

// Each of the five services missing in turn: all five are still looked up,
// nothing is shown, and the panel services are never asked for.
TEST(ActivationTest, AMissingCommandServiceReturnsTwoSilently) {
  for (const char* absent : COMMAND_SERVICES) {
    HostSim host;
    host.removeService(absent);
    EXPECT_EQ(activate(1), 2) << absent;
    std::vector<std::string> expected;
    for (const char* service : COMMAND_SERVICES) {
      expected.push_back(std::strcmp(service, absent) == 0 ? missing(service) : found(service));
    }
    EXPECT_EQ(host.calls(), expected) << absent;
    EXPECT_THAT(host.messages(), IsEmpty()) << absent;
  }
}

TEST(ActivationTest, MissingPanelServicesAreReportedAndReturnTwo) {
  HostSim host;
  host.removeService("LWPanelServices");
  EXPECT_EQ(activate(1), 2);
  EXPECT_THAT(host.messages(), ElementsAre(Message{"Unable to active global LWPanelServices",
                                                   " please add plugin lwpanels.p"}));
  EXPECT_THAT(host.callsTo("createPanel"), IsEmpty());
}

TEST(ActivationTest, FailuresAfterThePanelServicesWereFoundReturnZero) {
  {
    HostSim host;
    host.failCreatePanel();
    EXPECT_EQ(activate(1), 0);
    EXPECT_EQ(host.messages().size(), 1u);
  }
  {
    HostSim host;
    host.failAddControlAt(3);
    EXPECT_EQ(activate(1), 0);
    EXPECT_EQ(host.messages().size(), 1u);
  }
}

TEST(ActivationTest, ASecondActivationBehavesLikeTheFirst) {
  HostSim host;
  host.setDirectory("Envelopes", "/envelopes");
  EXPECT_EQ(activate(1), 0);
  std::vector<std::string> first = host.calls();
  host.clearCalls();
  EXPECT_EQ(activate(1), 0);
  std::vector<std::string> second = host.calls();
  ASSERT_FALSE(first.empty());
  // The host names panels in order of creation; the second run's is panel2.
  for (std::string& call : second) {
    for (std::size_t at; (at = call.find("panel2")) != std::string::npos;) call[at + 5] = '1';
  }
  EXPECT_EQ(first, second);
}

}  // namespace
