// Reading scene files into documents and writing them back.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "failing_allocation/failing_allocation.h"
#include "tests/support/failing_writes.h"
#include "tests/scene/core_documents.h"

namespace {

// Reads `bytes` from a file, writes the document back, and gives the lines
// read; the bytes written must be the bytes read.
Texts readAndWriteBack(const ScratchDirectory& directory, const std::string& bytes) {
  writeFile(directory.path("in.lws"), bytes);
  SceneHandle document(readScene(directory.path("in.lws").c_str()));
  if (!document) return {"<not read>"};
  EXPECT_TRUE(writeScene(document.get(), directory.path("out.lws").c_str()));
  EXPECT_EQ(readFile(directory.path("out.lws")), bytes);
  return linkedTexts(document.get());
}

TEST(ReadScene, KeepsEveryByteInPiecesOfAtMost255Bytes) {
  const std::string x255(255, 'x');
  struct {
    std::string bytes;
    Texts pieces;
  } cases[] = {
      {"", {}},
      {"Hello\nLWSC", {"Hello\n", "LWSC"}},  // no header needed, last line without newline
      {"a\n\n\n", {"a\n", "\n", "\n"}},
      {std::string(254, 'y') + "\n", {std::string(254, 'y') + "\n"}},
      {x255 + "\n", {x255, "\n"}},
      {x255 + x255 + "zz\nb", {x255, x255, "zz\n", "b"}},
      {"LWSC\r\n1\r\n\r", {"LWSC\r\n", "1\r\n", "\r"}},
      {"\xff\x01\t\x7f\n", {"\xff\x01\t\x7f\n"}},
  };
  ScratchDirectory directory;
  for (const auto& c : cases) EXPECT_EQ(readAndWriteBack(directory, c.bytes), c.pieces) << c.bytes;
}

// The pieces `bytes` are held as: up to and including each newline, at most
// 255 bytes each.
Texts piecesOf(const std::string& bytes) {
  Texts pieces;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t newline = bytes.find('\n', at);
    std::size_t end = std::min({newline == std::string::npos ? bytes.size() : newline + 1,
                                at + 255, bytes.size()});
    pieces.push_back(bytes.substr(at, end - at));
    at = end;
  }
  return pieces;
}

// Some files span several of the blocks the reader reads, so pieces cross
// the blocks' borders.
TEST(ReadScene, RandomBytesWithoutNulComeBackUnchanged) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(1, 255), length(0, 3000), longLength(60000, 300000);
  ScratchDirectory directory;
  for (int round = 0; round < 300; ++round) {
    std::size_t size = static_cast<std::size_t>(round % 60 ? length(random) : longLength(random));
    std::string bytes(size, '\n');
    // One byte in five (or in 400) stays a newline, so lines of every length turn up.
    int newlines = round % 2 ? 5 : 400;
    for (char& c : bytes) c = byte(random) % newlines ? static_cast<char>(byte(random)) : c;
    ASSERT_EQ(readAndWriteBack(directory, bytes), piecesOf(bytes)) << "round " << round;
  }
}

// On a caller's stream a piece is read without reading past it, so the
// caller can go on reading the stream itself.
TEST(ReadTextLine, ReadsOnePieceAndNoByteMore) {
  ScratchDirectory directory;
  std::string bytes = "LWSC\n" + std::string(300, 'x') + "\nlast";
  writeFile(directory.path("in.lws"), bytes);
  std::FILE* stream = std::fopen(directory.path("in.lws").c_str(), "rb");
  ASSERT_NE(stream, nullptr);
  auto nextPiece = [&] {
    char* text = readTextLine(stream);
    std::string piece = text ? text : "<null>";
    sceneRelease(text);
    return piece;
  };
  EXPECT_EQ(nextPiece(), "LWSC\n");
  EXPECT_EQ(std::fgetc(stream), 'x');  // the caller reads a byte of its own
  EXPECT_EQ(nextPiece(), std::string(255, 'x'));
  EXPECT_EQ(nextPiece(), std::string(44, 'x') + "\n");
  EXPECT_EQ(nextPiece(), "last");
  EXPECT_EQ(readTextLine(stream), nullptr);
  std::fclose(stream);
}

TEST(ReadScene, RefusesWhatCannotBeReadWholeLeavingNothingBehind) {
  ScratchDirectory directory;
  long live = liveAllocations(), descriptors = openFileCount();
  EXPECT_EQ(readScene(directory.path("missing").c_str()), nullptr);
  EXPECT_EQ(readScene(directory.root().string().c_str()), nullptr);  // a directory gives a read error
  for (const std::string& bytes : {std::string("\0", 1), std::string("LWSC\n1\na\0b\n", 11),
                                   std::string("LWSC\nlast\0", 10)}) {
    writeFile(directory.path("zero-byte.lws"), bytes);
    EXPECT_EQ(readScene(directory.path("zero-byte.lws").c_str()), nullptr) << bytes.size();
  }
  EXPECT_EQ(liveAllocations(), live);
  EXPECT_EQ(openFileCount(), descriptors);
}

TEST(ReadScene, MakesTwoAllocationsPerLineAndGivesAllBackWhenOneFails) {
  ScratchDirectory directory;
  std::string path = directory.path("in.lws");
  writeFile(path, "LWSC\n1\n\nLoadObject a\n" + std::string(300, 'x') + "\nlast");  // 7 lines
  long live = liveAllocations(), descriptors = openFileCount();
  long total = forEachFailingAllocation(
      [&] {
        SceneHandle document(readScene(path.c_str()));
        return document != nullptr;
      },
      [&](long n, bool succeeded) {
        EXPECT_FALSE(succeeded) << "a shortened document came back, allocation " << n;
        EXPECT_EQ(liveAllocations(), live) << "allocation " << n;
        EXPECT_EQ(openFileCount(), descriptors) << "allocation " << n;
      });
  EXPECT_EQ(total, 1 + 2 * 7);
}

TEST(WriteScene, ReportsAFileThatCannotBeWritten) {
  ScratchDirectory directory;
  SceneHandle document = documentOf({"LWSC\n", "1\n"});
  EXPECT_FALSE(writeScene(document.get(), directory.path("no/folder").c_str()));
  EXPECT_FALSE(writeScene(document.get(), directory.root().string().c_str()));
}

TEST(WriteScene, ReportsAWriteThatFails) {
  // A write that fails part-way: more text than the stream's buffer and any
  // pipe take in before the reader is gone.
  constexpr int LINES = 10000;
  Texts texts = {"LWSC\n"};
  for (int i = 0; i < LINES; ++i) {
    texts.push_back("LoadObject Objects/a" + std::to_string(i) + "\n");
  }
  SceneHandle document = documentOf(texts);
  FailingWritePath failing;
  EXPECT_FALSE(writeScene(document.get(), failing.path().c_str()));
}

TEST(WriteScene, WritesTextsOfAnyLengthInOrder) {
  ScratchDirectory directory;
  for (std::size_t length : {65535u, 65536u, 65537u, 200000u}) {
    Texts texts = {"LWSC\n", std::string(length, 'y') + "\n", "b\n", std::string(length, 'z')};
    std::string expected;
    for (const std::string& text : texts) expected += text;
    EXPECT_TRUE(writeScene(documentOf(texts).get(), directory.path("out.lws").c_str()));
    EXPECT_EQ(readFile(directory.path("out.lws")), expected) << length;
  }
}

TEST(WriteScene, AFailedWriteLeavesThePreviousFileWholeWithNothingBesideIt) {
  ScratchDirectory directory;
  std::string path = directory.path("scene.lws");
  const std::string previous = "LWSC\n1\n\nprevious\n";
  writeFile(path, previous);
  Texts lines(2000, std::string(100, 'x') + "\n");
  SceneHandle document = documentOf(lines);
  {
    BlockedReplacement blocked(path, 50000);
    EXPECT_FALSE(writeScene(document.get(), path.c_str()));
  }
  EXPECT_EQ(readFile(path), previous);
  EXPECT_EQ(namesIn(directory.root()), std::set<std::string>{"scene.lws"});
}

// Catches work that grows faster than the number of lines. (Built without
// sanitizers, a million lines read in about 0.3 s and write in under 0.1 s.)
TEST(ReadScene, LargeSceneRoundTrips) {
  std::string bytes = "LWSC\n";
  for (int i = 0; i < 50000; ++i) bytes += "LoadObject a" + std::to_string(i) + "\n  9\n\n\n";
  ScratchDirectory directory;
  EXPECT_EQ(readAndWriteBack(directory, bytes).size(), 200001u);
}

}  // namespace
