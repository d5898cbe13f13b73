#include "tests/command/command_test_support.h"

#include <fstream>
#include <sstream>

#include "command/command.h"
#include "tests/platform/test_platform.h"

void useHostServices(hostsim::HostSim& host) {
  GlobalLookup lookup = hostsim::HostSim::lookup();
  commandServices.messages = static_cast<MessageServices*>(lookup("Info Messages", 0));
  commandServices.itemInfo = static_cast<ItemInfoServices*>(lookup("LW Item Info", 0));
  commandServices.objectInfo = lookup("LW Object Info", 0);
  commandServices.sceneInfo = lookup("LW Scene Info", 0);
  commandServices.directoryPath =
      reinterpret_cast<DirectoryPathFunction>(lookup("Directory Info", 0));
  host.clearCalls();
}

ScratchDirectory::ScratchDirectory() : path_(makeScratchDirectory("quorvel-test-")) {}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string fileContent(const std::string& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

hostsim::PositionFunction standingAt(double x, double y, double z) {
  return [=](double) { return hostsim::Vector3{x, y, z}; };
}
