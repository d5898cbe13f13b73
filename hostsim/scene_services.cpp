// The host's non-panel services: messages to the user, the scene's items and
// their positions, and the directories of the host's installation.

#include <charconv>
#include <limits>

#include "hostsim/host_state.h"

namespace hostsim {

namespace {

void errorMessage(const char* line1, const char* line2) {
  HostSim::State* host = currentHost();
  if (!host) return;
  host->log("errorMessage(" + quoted(line1) + ", " + quoted(line2) + ")");
  Message message;
  message.line1 = line1 ? line1 : "";
  if (line2) message.line2 = line2;
  host->messages.push_back(std::move(message));
}

ItemId firstItem(std::int32_t type, ItemId parent) {
  HostSim::State* host = currentHost();
  if (!host) return 0;
  ItemId found = 0;
  for (const SceneItem& item : host->items) {
    if (static_cast<std::int32_t>(item.spec.kind) == type) {
      found = item.id;
      break;
    }
  }
  host->log("firstItem(" + std::to_string(type) + ", " + std::to_string(parent) + ") -> " +
            std::to_string(found));
  return found;
}

const SceneItem* itemWithId(const HostSim::State& host, ItemId id) {
  for (const SceneItem& item : host.items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

// The time as the call log shows it: "%g" digits, in any locale.
std::string timeText(double seconds) {
  char text[32];
  auto [end, failure] =
      std::to_chars(text, text + sizeof text, seconds, std::chars_format::general, 6);
  return failure == std::errc() ? std::string(text, end) : "?";
}

void itemParam(ItemId item, std::int32_t parameter, double seconds, double* position) {
  HostSim::State* host = currentHost();
  if (!host) return;
  ++host->itemParamCalls;
  if (host->itemParamObserver) host->itemParamObserver(host->itemParamCalls);
  if (host->logging) {
    host->log("itemParam(" + std::to_string(item) + ", " + std::to_string(parameter) + ", " +
              timeText(seconds) + ")");
  }
  if (!position) return;
  Vector3 answer;
  const SceneItem* found = itemWithId(*host, item);
  bool bone = found && found->spec.kind == ItemKind::BONE;
  if (host->positionsNonFinite || bone) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    answer = {nan, nan, nan};
  } else if (found && parameter == PARAM_WORLD_POSITION && found->spec.worldPosition) {
    answer = found->spec.worldPosition(seconds);
  }
  position[0] = answer.x;
  position[1] = answer.y;
  position[2] = answer.z;
}

}  // namespace

const char* directoryPath(const char* kind) {
  HostSim::State* host = currentHost();
  if (!host) return nullptr;
  const char* path = nullptr;
  if (kind) {
    auto found = host->directories.find(kind);
    if (found != host->directories.end()) path = found->second.c_str();
  }
  host->log("directoryPath(" + quoted(kind) + ") -> " + quoted(path));
  return path;
}

void fillMessageServices(MessageServices* table) { table->errorMessage = &errorMessage; }

void fillItemInfoServices(ItemInfoServices* table) {
  table->firstItem = &firstItem;
  table->itemParam = &itemParam;
}

}  // namespace hostsim
