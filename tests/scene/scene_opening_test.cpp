// Opening a scene from a file or from bytes in memory, and the reason given
// when it is no scene the host reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/scene/core_documents.h"
#include "failing_allocation/failing_allocation.h"

namespace {

struct Opening {
  SceneOpenResult result = SceneOpenResult::OPENED;
  std::string reason;
  SceneHandle document;
};

Opening openText(const std::string& bytes) {
  Opening opening;
  SceneDocument* document = nullptr;
  opening.result = openSceneText(bytes, &document, &opening.reason);
  opening.document.reset(document);
  return opening;
}

Opening openFile(const std::string& path) {
  Opening opening;
  SceneDocument* document = nullptr;
  opening.result = openSceneFile(path.c_str(), &document, &opening.reason);
  opening.document.reset(document);
  return opening;
}

const std::string SCENE = "LWSC\n1\n\nAddNullObject A\nShadowOptions 7\n";

TEST(OpenScene, TellsWhyBytesAreNoScene) {
  const std::string bom = "\xEF\xBB\xBF";
  std::string mac = SCENE;
  std::replace(mac.begin(), mac.end(), '\n', '\r');
  const struct {
    std::string bytes;
    SceneOpenResult result;
    std::string reason;
  } cases[] = {
      {SCENE, SceneOpenResult::OPENED, ""},
      {"LWSC\r\n1\r\n", SceneOpenResult::OPENED, ""},
      {"LWSC\r", SceneOpenResult::OPENED, ""},  // a CR ending the file ends no line
      {std::string("LWSC\n1\n\0\n", 9), SceneOpenResult::NUL_BYTE,
       "it holds a NUL byte at offset 7, so it is not text"},
      {std::string("\0LWSC", 5), SceneOpenResult::NUL_BYTE, "it holds a NUL byte at offset 0"},
      {bom + SCENE, SceneOpenResult::BYTE_ORDER_MARK,
       "it begins with a UTF-8 byte-order mark (EF BB BF) before \"LWSC\"; the host reads "
       "scenes without one"},
      {bom + "Hello\n", SceneOpenResult::NOT_A_SCENE, "it does not begin with \"LWSC\""},
      {mac, SceneOpenResult::CR_ONLY_LINE_ENDS,
       "it ends its lines with CR alone (classic Mac OS); the host reads lines that end with LF "
       "or CR LF"},
      {"Hello\rLWSC\n", SceneOpenResult::NOT_A_SCENE, "it does not begin with \"LWSC\""},
      {" LWSC\n", SceneOpenResult::NOT_A_SCENE, "it does not begin with \"LWSC\""},
      {"", SceneOpenResult::NOT_A_SCENE, "it does not begin with \"LWSC\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    Opening opening = openText(c.bytes);
    EXPECT_EQ(opening.result, c.result);
    EXPECT_EQ(opening.reason.substr(0, c.reason.size()), c.reason);
    EXPECT_EQ(opening.document != nullptr, c.result == SceneOpenResult::OPENED);
  }
}

TEST(OpenScene, HoldsTheBytesAsReadSceneDoes) {
  std::string bytes = SCENE + std::string(300, 'x') + "\nLoadObject b.lwo\n";
  ScratchDirectory directory;
  writeFile(directory.path("s.lws"), bytes);
  SceneHandle read(readScene(directory.path("s.lws").c_str()));
  Opening fromText = openText(bytes);
  Opening fromFile = openFile(directory.path("s.lws"));
  ASSERT_EQ(fromText.result, SceneOpenResult::OPENED);
  ASSERT_EQ(fromFile.result, SceneOpenResult::OPENED);
  EXPECT_EQ(linkedTexts(fromText.document.get()), linkedTexts(read.get()));
  EXPECT_EQ(linkedTexts(fromFile.document.get()), linkedTexts(read.get()));
  EXPECT_EQ(fromText.document->nextObjectNumber, 3);
  EXPECT_EQ(fromFile.document->last->objectNumber, 2);
}

TEST(OpenScene, GivesTheSystemsReasonAndTheFirstNulOfAFile) {
  ScratchDirectory directory;
  // The NUL lies in the file's third block of 64 KiB, behind long lines.
  std::string far = "LWSC\n" + std::string(150000, 'x') + "\n";
  writeFile(directory.path("far.lws"), far + std::string("a\0b\0", 4));
  const struct {
    std::string path;
    SceneOpenResult result;
    std::string reason;
  } cases[] = {
      {directory.path("absent.lws"), SceneOpenResult::UNREADABLE, "No such file or directory"},
      {directory.root().string(), SceneOpenResult::UNREADABLE, "it is a directory"},
      {directory.path("far.lws"), SceneOpenResult::NUL_BYTE,
       "it holds a NUL byte at offset " + std::to_string(far.size() + 1) + ", so it is not text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    Opening opening = openFile(c.path);
    EXPECT_EQ(opening.result, c.result);
    EXPECT_EQ(opening.reason, c.reason);
    EXPECT_EQ(opening.document, nullptr);
  }
}

TEST(OpenScene, OutOfMemoryLeavesNothingAllocated) {
  long live = liveAllocations();
  long made = forEachFailingAllocation(
      [] { return openText(SCENE).result == SceneOpenResult::OPENED; },
      [&](long n, bool succeeded) {
        EXPECT_FALSE(succeeded) << n;
        EXPECT_EQ(liveAllocations(), live) << n;
        failAllocationsFrom(n);
        EXPECT_EQ(openText(SCENE).reason, "there is not enough memory to hold it") << n;
        failAllocationsFrom(0);
      });
  EXPECT_GT(made, 0);
}

}  // namespace
