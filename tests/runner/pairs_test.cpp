// Several pairs in one run, with a table and fewer keys: each pair's file,
// its summary line, the run's exit status, the table against the envelopes'
// own numbers, the reduced envelopes against the full ones, and Ctrl-C
// between pairs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "envelope/envelope.h"
#include "tests/runner/quorvel_run_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<EnvelopeKey> keysOf(const std::string& path) {
  std::vector<EnvelopeKey> keys;
  std::string error;
  EXPECT_TRUE(readEnvelopeFile(path, [&](const EnvelopeKey& key) { keys.push_back(key); }, &error))
      << error;
  return keys;
}

// A distance with the six decimals the table and the envelope write.
std::string sixDecimals(double value) {
  char digits[64];
  return std::string(digits,
                     std::to_chars(digits, digits + sizeof digits, value,
                                   std::chars_format::fixed, 6).ptr);
}

TEST_F(QuorvelRunTest, SeveralPairsBakeToTheirOwnFilesWithATableAndFewerKeys) {
  std::vector<std::string> pairs = {"--pair",   "Orbiter", "Drifter", "--pair",        "Drifter",
                                    "Orbiter",  "--pair",  "Orbiter", "Nope",          "--pair-camera",
                                    "Orbiter", "--output-dir", "."};
  std::vector<std::string> reduced = pairs;
  reduced.insert(reduced.end(), {"--table", "t.csv", "--reduce", "0.01"});
  // One pair that cannot be baked refuses the run before anything is written.
  RunResult refused = runQuorvel(reduced, directory_.root());
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.err,
            "quorvel-run: --pair Orbiter Nope: no item named \"Nope\"; the nearest: \"Light\", "
            "\"Camera\", \"Orbiter\", \"Drifter\"; --list-items shows all 4\n");
  EXPECT_TRUE(std::filesystem::is_empty(directory_.root()));

  reduced.erase(reduced.begin() + 6, reduced.begin() + 9);  // without --pair Orbiter Nope
  pairs.erase(pairs.begin() + 6, pairs.begin() + 9);
  // The full bake first, into a directory made for it.
  pairs.back() = "full";
  RunResult full = runQuorvel(pairs, directory_.root());
  EXPECT_EQ(full.status, 0) << full.err;
  EXPECT_THAT(full.out, StartsWith("made the directory full for the envelopes\n"));

  RunResult run = runQuorvel(reduced, directory_.root());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "./Orbiter-Drifter.env: 43 keys, distance 2.313298 to 10.049876 (reduced from 60 keys "
            "within 0.01)\n"
            "./Drifter-Orbiter.env: 43 keys, distance 2.313298 to 10.049876 (reduced from 60 keys "
            "within 0.01)\n"
            "./Orbiter-Camera.env: 41 keys, distance 0.000000 to 8.000000 (reduced from 60 keys "
            "within 0.01)\n"
            "table: t.csv\n");
  EXPECT_FALSE(exists("Orbiter-Nope.env"));

  // The table's distances are the envelopes' own digits, pair by pair, a row
  // for every frame the module baked, also those the reduction dropped.
  std::map<std::string, std::vector<std::string>> distances;
  std::istringstream table(read("t.csv"));
  std::string row;
  std::getline(table, row);
  EXPECT_EQ(row, "item,target,frame,seconds,distance,item_x,item_y,item_z,target_x,target_y,"
                 "target_z\r");
  while (std::getline(table, row)) {
    std::vector<std::string> fields;
    std::istringstream cells(row);
    for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
    ASSERT_EQ(fields.size(), 11u) << row;
    distances[fields[0] + "-" + fields[1]].push_back(fields[4]);
  }
  for (std::string name : {"Orbiter-Drifter", "Drifter-Orbiter", "Orbiter-Camera"}) {
    std::vector<std::string> envelope;
    for (const EnvelopeKey& key : keysOf(directory_.path("full/" + name + ".env"))) {
      envelope.push_back(sixDecimals(key.value));
    }
    EXPECT_EQ(distances[name], envelope) << name;
  }

  // Each reduced envelope follows the full bake within the tolerance.
  for (std::string name : {"Orbiter-Drifter", "Orbiter-Camera"}) {
    std::vector<EnvelopeKey> kept = keysOf(directory_.path(name + ".env"));
    std::vector<EnvelopeKey> every = keysOf(directory_.path("full/" + name + ".env"));
    ASSERT_EQ(every.size(), 60u);
    std::size_t segment = 0;
    for (const EnvelopeKey& key : every) {
      while (kept[segment + 1].frame < key.frame) ++segment;
      const EnvelopeKey& a = kept[segment];
      const EnvelopeKey& b = kept[segment + 1];
      double line = a.value + (b.value - a.value) * (key.frame - a.frame) / (b.frame - a.frame);
      EXPECT_LE(std::fabs(line - key.value), 0.01 + 1e-9) << name << " at frame " << key.frame;
    }
  }
}

TEST_F(QuorvelRunTest, CtrlCBetweenPairsKeepsTheEnvelopesWrittenAndStartsNoOther) {
  constexpr std::int32_t LAST_FRAME = 2000000;  // a second or more of work per pair
  writeFile(directory_.path("scene.lws"), twoStaticNulls());
  std::unique_ptr<StartedProgram> run = startQuorvel(
      {"--scene", "scene.lws", "--last-frame", std::to_string(LAST_FRAME), "--pair", "Origin",
       "Corner", "--pair", "Corner", "Origin", "--pair-camera", "Origin"},
      directory_.root());
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!exists("Origin-Corner.env") && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run->interrupt();
  RunResult interrupted = run->wait(60);
  EXPECT_EQ(interrupted.status, 130);
  EXPECT_EQ(interrupted.err, "quorvel-run: interrupted\n");
  EXPECT_EQ(keysOf(directory_.path("Origin-Corner.env")).size(), std::size_t{LAST_FRAME});
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory_.root())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"Origin-Corner.env", "scene.lws"}));
}

}  // namespace
