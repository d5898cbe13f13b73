// A stand-in host with one panel ("panel1" in the call log), on which the
// panel layout tests add controls, set their geometry and read back the calls
// the layout helpers made.

#ifndef QUORVEL_TESTS_PANEL_LAYOUT_PANEL_FIXTURE_H_
#define QUORVEL_TESTS_PANEL_LAYOUT_PANEL_FIXTURE_H_

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"
#include "hostsim/hostsim.h"

// A control's rectangle and label width as the host reports them.
struct Geometry {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t w = 0;
  std::int32_t h = 0;
  std::int32_t labelWidth = 0;
};

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    services = host.panelServices();
    panel = services->createPanel("Layout", services);
    ASSERT_NE(panel, nullptr);
    host.clearCalls();
  }

  // Adds an integer control labelled `label` with the given geometry, which
  // reports this panel and its services; the call log names it by its label.
  PanelControl* addControl(const char* label, Geometry geometry = {}) {
    ControlDescriptor descriptor = {{CONTROL_KIND_INTEGER, 0, 0, 0, 0, 0}};
    PanelControl* control = services->addControl(panel, "NumControl", &descriptor, label);
    EXPECT_NE(control, nullptr);
    if (control == nullptr) return nullptr;
    hostsim::ControlState& state = host.control(control);
    state.x = geometry.x;
    state.y = geometry.y;
    state.w = geometry.w;
    state.h = geometry.h;
    state.labelWidth = geometry.labelWidth;
    state.panel = panel;
    state.panelServices = services;
    return control;
  }

  // The log since the last clearCalls, which the tests call just before the
  // function under test.
  const std::vector<std::string>& calls() const { return host.calls(); }

  hostsim::HostSim host;
  PanelServices* services = nullptr;
  PanelHandle panel = nullptr;
};

// Log lines for the reads and writes of integer attributes.
inline std::string readLine(const std::string& control, const std::string& attribute,
                            std::int64_t value) {
  return "getAttr(" + control + ", " + attribute + ") -> " + std::to_string(value);
}

inline std::string writeLine(const std::string& control, const std::string& attribute,
                             std::int64_t value) {
  return "setAttr(" + control + ", " + attribute + ", " + std::to_string(value) + ")";
}

#endif  // QUORVEL_TESTS_PANEL_LAYOUT_PANEL_FIXTURE_H_
