#include "tests/command/command_test_support.h"

#include "command/command.h"

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

hostsim::PositionFunction standingAt(double x, double y, double z) {
  return [=](double) { return hostsim::Vector3{x, y, z}; };
}
