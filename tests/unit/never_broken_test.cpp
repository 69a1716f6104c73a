#include "game/never_broken.h"
#include "storage/file_bytes.h"
#include "storage/level_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

const std::string Simulate = TEST_DATA_DIR "/simulate/";

// Each row of never_broken.txt: a level file => its bricks that no ball can ever break.
TEST(BricksNeverBroken, EachLevelOfTheTable) {
  std::ifstream table(Simulate + "never_broken.txt");
  int rows = 0;
  for (std::string row; std::getline(table, row);) {
    if (row.empty() || row[0] == '#')
      continue;
    const std::string file = row.substr(0, row.find(" =>"));
    std::string bytes;
    ASSERT_EQ(readFileBytes(Simulate + file, bytes), FileRead::Done) << file;
    Bricks bricks{};
    int32_t count = 0;
    parseLevelBytes(bytes.data(), bytes.size(), bricks, count);
    ASSERT_GT(count, 0) << file;
    std::string found;
    for (const int32_t slot : bricksNeverBroken(bricks, count))
      found += " " + std::to_string(bricks[slot].x) + ";" + std::to_string(bricks[slot].y) + ";" +
               std::to_string(bricks[slot].type);
    EXPECT_EQ(found, row.substr(row.find(" =>") + 3)) << file;
    ++rows;
  }
  EXPECT_EQ(rows, 18);
}

} // namespace
