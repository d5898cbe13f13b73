// GoogleTest's hook for platform customisation, used by the Windows build
// only: the cross compiler's win32 thread model has no std::mutex or
// std::condition_variable, on which GoogleTest 1.12 builds its Notification
// (used to start its own threads). This Notification spins on an atomic flag
// instead; GoogleTest's Win32 mutexes do everything else.

#ifndef QUORVEL_TESTS_SUPPORT_GTEST_CUSTOM_GTEST_PORT_H_
#define QUORVEL_TESTS_SUPPORT_GTEST_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  // Lets every thread waiting for this notification go on.
  void Notify() { notified_.store(true); }

  // Returns once Notify was called. It spins: only GoogleTest's own thread
  // tests wait here, for moments.
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // QUORVEL_TESTS_SUPPORT_GTEST_CUSTOM_GTEST_PORT_H_
