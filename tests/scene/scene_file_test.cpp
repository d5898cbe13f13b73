// Reading scene files into documents and writing them back.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "tests/scene/core_documents.h"
#include "tests/scene/failing_allocation.h"
#include "tests/scene/scratch_files.h"

namespace {

// Reads `bytes` as a file, writes the document back and gives the bytes
// written, checking the document's shape on the way: every text at most 255
// bytes, and only a 255-byte text or the last one may lack its newline.
std::string roundTrip(const ScratchDirectory& directory, const std::string& bytes) {
  ScenePtr document(readBytesAsScene(directory, bytes));
  if (!document) {
    ADD_FAILURE() << "not read";
    return {};
  }
  std::vector<std::string> texts = linkedTexts(document.get());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_LE(texts[i].size(), 255u);
    EXPECT_FALSE(texts[i].empty());
    bool endsLine = texts[i].back() == '\n';
    EXPECT_TRUE(endsLine || texts[i].size() == 255 || i + 1 == texts.size()) << "piece " << i;
  }
  std::string out = directory.path("out.lws");
  EXPECT_TRUE(writeScene(document.get(), out.c_str()));
  return readBytes(out);
}

TEST(ReadScene, EmptyFileGivesDocumentWithoutLinesWrittenBackEmpty) {
  ScratchDirectory directory;
  failAllocationsFrom(0);
  ScenePtr document(readBytesAsScene(directory, ""));
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(allocationsAttempted(), 1);  // the record alone
  EXPECT_EQ(document->first, nullptr);
  EXPECT_EQ(document->last, nullptr);
  EXPECT_EQ(document->nextObjectNumber, 1);

  std::string out = directory.path("out.lws");
  writeBytes(out, "old content");
  EXPECT_TRUE(writeScene(document.get(), out.c_str()));
  EXPECT_EQ(readBytes(out), "");
  document.reset();
  EXPECT_EQ(liveAllocations(), 0);
}

TEST(ReadScene, UnreadablePathsGiveNullAndLeaveNothingOpen) {
  ScratchDirectory directory;
  long descriptors = openDescriptorCount();
  EXPECT_EQ(readScene(directory.path("missing.lws").c_str()), nullptr);
  EXPECT_EQ(readScene(directory.root().c_str()), nullptr);  // a directory: read error
  EXPECT_EQ(liveAllocations(), 0);
  EXPECT_EQ(openDescriptorCount(), descriptors);
}

TEST(ReadScene, FileHoldingNulByteIsRefused) {
  ScratchDirectory directory;
  long descriptors = openDescriptorCount();
  const std::string cases[] = {
      std::string("\0", 1),
      std::string("LWSC\n\0\n", 7),
      std::string("LWSC\n1\nab\0cd\n", 13),
      std::string("LWSC\n1\nlast\0", 12),
      "LWSC\n" + std::string(300, 'x') + std::string("\0", 1) + "\n",
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(readBytesAsScene(directory, bytes), nullptr) << bytes.size() << " bytes";
  }
  EXPECT_EQ(liveAllocations(), 0);
  EXPECT_EQ(openDescriptorCount(), descriptors);
}

TEST(ReadScene, FileNotStartingWithHeaderIsReadLikeAnyOther) {
  ScratchDirectory directory;
  ScenePtr document(readBytesAsScene(directory, "Hello\nLWSC\n"));
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->first->kind, LINE_OTHER);
  EXPECT_EQ(document->last->kind, LINE_HEADER);
}

TEST(ReadScene, SplitsFileLinesIntoPiecesOfAtMost255Bytes) {
  const std::string x255(255, 'x');
  struct Case {
    std::string bytes;
    std::vector<std::string> pieces;
  } cases[] = {
      {"LWSC\n1\n", {"LWSC\n", "1\n"}},
      {"a\n\nb", {"a\n", "\n", "b"}},
      {x255 + "\n", {x255, "\n"}},
      {std::string(254, 'y') + "\n", {std::string(254, 'y') + "\n"}},
      {x255 + "z\n", {x255, "z\n"}},
      {x255 + x255, {x255, x255}},
      {std::string(600, 'q') + "\nr\n",
       {std::string(255, 'q'), std::string(255, 'q'), std::string(90, 'q') + "\n", "r\n"}},
      {"LWSC\r\n1\r\n", {"LWSC\r\n", "1\r\n"}},
      {"\r", {"\r"}},
  };
  ScratchDirectory directory;
  for (const Case& c : cases) {
    ScenePtr document(readBytesAsScene(directory, c.bytes));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(linkedTexts(document.get()), c.pieces) << c.bytes;
  }
}

TEST(ReadScene, FileReadAndWrittenBackIsReproducedByteForByte) {
  const std::string cases[] = {
      "LWSC\n1\n\nLoadObject a\nAmbientColor 1 1 1\n",
      "LWSC\n1\nlast line without newline",
      "LWSC\n" + std::string(255, 'a') + "\n",
      "LWSC\n" + std::string(256, 'b') + "\n" + std::string(1000, 'c') + "\nend",
      "LWSC\r\n1\r\n\r\nAddNullObject Null\r\nAmbientColor 0 0 0\r\n",
      "\n\n\n",
      "\xff\xfe\x01 high and control bytes\t\x7f\n",
  };
  ScratchDirectory directory;
  for (const std::string& bytes : cases) EXPECT_EQ(roundTrip(directory, bytes), bytes);
}

TEST(ReadScene, RandomBytesWithoutNulRoundTrip) {
  std::mt19937 random(20261207);
  // Newlines and carriage returns are drawn often so lines of every length,
  // empty ones included, turn up; any other byte but NUL may appear.
  std::uniform_int_distribution<int> byteKind(0, 9);
  std::uniform_int_distribution<int> anyByte(1, 255);
  std::uniform_int_distribution<int> length(0, 2000);
  ScratchDirectory directory;
  for (int round = 0; round < 300; ++round) {
    std::string bytes(static_cast<std::size_t>(length(random)), ' ');
    for (char& c : bytes) {
      int kind = byteKind(random);
      c = kind == 0 ? '\n' : kind == 1 ? '\r' : static_cast<char>(anyByte(random));
    }
    if (round % 3 == 0) bytes += std::string(static_cast<std::size_t>(length(random)), 'L');
    ASSERT_EQ(roundTrip(directory, bytes), bytes) << "round " << round;
  }
  EXPECT_EQ(liveAllocations(), 0);
}

TEST(ReadScene, CarriageReturnLinesAreClassifiedByTheirKeyword) {
  ScratchDirectory directory;
  ScenePtr document(readBytesAsScene(directory, "LWSC\r\nLoadObject a\r\nAmbientColor 1\r\n"));
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->first->kind, LINE_HEADER);
  EXPECT_EQ(document->first->next->kind, LINE_OBJECT);
  EXPECT_EQ(document->last->kind, LINE_AMBIENT);
  EXPECT_EQ(objectInsertPoint(document.get()), document->first->next);
}

TEST(ReadScene, MakesTwoAllocationsPerLineAndGivesAllBackWhenOneFails) {
  ScratchDirectory directory;
  std::string path = directory.path("in.lws");
  writeBytes(path, "LWSC\n1\n\nLoadObject a\n" + std::string(300, 'x') + "\nlast");
  const long lines = 7;  // the 300-byte line is two pieces
  long descriptors = openDescriptorCount();
  long total = forEachFailingAllocation(
      [&] {
        SceneDocument* document = readScene(path.c_str());
        bool read = document != nullptr;
        freeScene(document);
        return read;
      },
      [&](long n, bool succeeded) {
        EXPECT_FALSE(succeeded) << "allocation " << n << " failed but the read succeeded";
        EXPECT_EQ(liveAllocations(), 0) << "allocation " << n;
        EXPECT_EQ(openDescriptorCount(), descriptors) << "allocation " << n;
      });
  EXPECT_EQ(total, 1 + 2 * lines);
}

TEST(ReadTextLine, GivesPiecesThenNullAtTheEnd) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  std::string bytes = "ab\n" + std::string(300, 'z');
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::rewind(stream);
  std::vector<std::string> pieces;
  while (char* text = readTextLine(stream)) {
    pieces.emplace_back(text);
    sceneRelease(text);
  }
  std::fclose(stream);
  EXPECT_EQ(pieces, (std::vector<std::string>{"ab\n", std::string(255, 'z'), std::string(45, 'z')}));
}

TEST(WriteScene, ReportsFailureWhenTheFileCannotBeWritten) {
  ScratchDirectory directory;
  ScenePtr document(documentOf({"LWSC\n", "1\n"}));
  std::string inMissingFolder = directory.path("no/such/folder/out.lws");
  EXPECT_FALSE(writeScene(document.get(), inMissingFolder.c_str()));
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
  EXPECT_FALSE(writeScene(document.get(), directory.root().c_str()));
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(writeScene(document.get(), "/dev/full"));  // the close cannot flush
  }
}

TEST(WriteScene, ReplacesALongerFile) {
  ScratchDirectory directory;
  std::string path = directory.path("out.lws");
  writeBytes(path, std::string(5000, '#'));
  ScenePtr document(documentOf({"LWSC\n", "1\n"}));
  EXPECT_TRUE(writeScene(document.get(), path.c_str()));
  EXPECT_EQ(readBytes(path), "LWSC\n1\n");
}

TEST(ReadScene, MillionLineSceneRoundTrips) {
  ScratchDirectory directory;
  std::string bytes = "LWSC\n1\n\n";
  const int objects = 1000000 / 4;
  for (int i = 0; i < objects; ++i) {
    bytes += "LoadObject Objects/part" + std::to_string(i) + ".lwo\n";
    bytes += "ObjectMotion (unnamed)\n  9\nShadowOptions 7\n";
  }
  bytes += "AmbientColor 255 255 255\n";
  std::string in = directory.path("in.lws");
  std::string out = directory.path("out.lws");
  writeBytes(in, bytes);

  auto start = std::chrono::steady_clock::now();
  ScenePtr document(readScene(in.c_str()));
  ASSERT_NE(document, nullptr);
  ASSERT_TRUE(writeScene(document.get(), out.c_str()));
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  RecordProperty("read_and_write_seconds", std::to_string(seconds));

  EXPECT_EQ(document->nextObjectNumber, objects + 1);
  EXPECT_EQ(document->last->kind, LINE_AMBIENT);
  EXPECT_EQ(readBytes(out), bytes);
}

}  // namespace
