#include "storage/level_file.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

EditorState stateWithBricks(int32_t brickCount) {
  EditorState state = initialEditorState();
  state.brickCount = brickCount;
  return state;
}

std::vector<std::string> namesIn(const std::string &directory) {
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Every level the editor can hold: non-overlapping bricks inside the level area, types 1..24.
Bricks randomLevel(std::mt19937 &random, int32_t &brickCount) {
  Bricks bricks{};
  std::uniform_int_distribution<int> xs(24, 735);
  std::uniform_int_distribution<int> ys(30, 449);
  std::uniform_int_distribution<int> types(1, LastBrickType);
  const int32_t wanted = std::uniform_int_distribution<int>(1, 120)(random);
  brickCount = 0;
  for (int attempt = 0; attempt < 5000 && brickCount < wanted; ++attempt) {
    const Brick candidate{xs(random), ys(random), types(random)};
    bool free = true;
    for (int32_t i = 0; i < brickCount && free; ++i)
      free = !(std::abs(bricks[i].x - candidate.x) < BrickWidth &&
               std::abs(bricks[i].y - candidate.y) < BrickHeight);
    if (free)
      bricks[brickCount++] = candidate;
  }
  return bricks;
}

// The full level: 18 by 22 bricks edge to edge, every type in turn.
Bricks fullLevel() {
  Bricks bricks{};
  for (int i = 0; i < BrickSlots; ++i)
    bricks[i] = Brick{24 + 40 * (i % GridColumns), 30 + 20 * (i / GridColumns), i % 24 + 1};
  return bricks;
}

TEST(SaveLevel, WritesTheTwoBrickExampleByteForByte) {
  ScratchDirectory directory;
  Bricks bricks{};
  bricks[0] = Brick{24, 30, 5};
  bricks[1] = Brick{64, 30, 22};
  CapturedStdout out;
  EXPECT_EQ(saveLevel(stateWithBricks(2), bricks, "exemple", "abcd", directory.path()), 1);
  const std::string bytes = fileBytes(directory.path() + "exemple.lvbk");
  EXPECT_EQ(bytes, std::string("2\r\n24;30;5\r\n64;30;22\r\nabcd"));
  EXPECT_EQ(bytes.size(), 26u);
  EXPECT_EQ(out.text(), "");
}

TEST(SaveLevel, FullLevelGivesCountThenOneLinePerBrickThenAuthor) {
  ScratchDirectory directory;
  ASSERT_EQ(saveLevel(stateWithBricks(BrickSlots), fullLevel(), "plein", "Auteur Complet",
                      directory.path()),
            1);
  const std::string bytes = fileBytes(directory.path() + "plein.lvbk");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  lines.push_back(bytes.substr(start));
  ASSERT_EQ(lines.size(), 398u);
  EXPECT_EQ(lines.front(), "396");
  EXPECT_EQ(lines[1], "24;30;1");
  EXPECT_EQ(lines[396], "704;450;12");
  EXPECT_EQ(lines.back(), "Auteur Complet");
  // No bare line feed anywhere: every one follows a carriage return.
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 397);
}

TEST(SaveLevel, NoBricksCreatesNothingAndKeepsAnExistingFile) {
  ScratchDirectory directory;
  writeBytes(directory.path() + "garde.lvbk", "1\r\n24;30;5\r\nancien");
  CapturedStdout out;
  EXPECT_EQ(saveLevel(stateWithBricks(0), fullLevel(), "garde", "nouveau", directory.path()), 0);
  EXPECT_EQ(saveLevel(stateWithBricks(0), fullLevel(), "neuf", "nouveau", directory.path()), 0);
  EXPECT_EQ(fileBytes(directory.path() + "garde.lvbk"), "1\r\n24;30;5\r\nancien");
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"garde.lvbk"});
  EXPECT_EQ(out.text(), "");
}

TEST(SaveLevel, SavingAgainReplacesTheWholeContent) {
  ScratchDirectory directory;
  const std::string path = directory.path() + "niveau.lvbk";
  ASSERT_EQ(saveLevel(stateWithBricks(BrickSlots), fullLevel(), "niveau", "un nom assez long",
                      directory.path()),
            1);
  Bricks one{};
  one[0] = Brick{100, 200, 3};
  ASSERT_EQ(saveLevel(stateWithBricks(1), one, "niveau", "x", directory.path()), 1);
  EXPECT_EQ(fileBytes(path), "1\r\n100;200;3\r\nx");
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"niveau.lvbk"});
}

TEST(SaveLevel, MissingDirectoryPrintsTheMessageAndWritesNothing) {
  ScratchDirectory directory;
  const std::string missing = directory.path() + "niv/";
  CapturedStdout out;
  EXPECT_EQ(saveLevel(stateWithBricks(2), fullLevel(), "perdu", "abcd", missing), 1);
  EXPECT_EQ(out.text(), "Impossible d'ouvrir le fichier " + missing + "perdu.lvbk");
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(namesIn(directory.path()).empty());
}

TEST(SaveLevel, FailedReplacementLeavesTheOldEntryAndNoTemporaryFile) {
  ScratchDirectory directory;
  // A directory in the level's place cannot be replaced by a file.
  fs::create_directory(directory.path() + "bloque.lvbk");
  writeBytes(directory.path() + "bloque.lvbk/dedans", "garde");
  CapturedStdout out;
  EXPECT_EQ(saveLevel(stateWithBricks(2), fullLevel(), "bloque", "abcd", directory.path()), 1);
  EXPECT_EQ(out.text(), "Impossible d'\xe9"
                        "crire le fichier " +
                            directory.path() + "bloque.lvbk");
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"bloque.lvbk"});
  EXPECT_EQ(fileBytes(directory.path() + "bloque.lvbk/dedans"), "garde");
}

TEST(SaveLevel, LeavesOnlyTheLevelFileWithOrdinaryPermissions) {
  ScratchDirectory directory;
  const mode_t previousMask = umask(022);
  const int result = saveLevel(stateWithBricks(3), fullLevel(), "propre", "abcd", directory.path());
  umask(previousMask);
  ASSERT_EQ(result, 1);
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"propre.lvbk"});
  struct stat info {};
  ASSERT_EQ(stat((directory.path() + "propre.lvbk").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

// One fixture's expected outcome, from the .expected file beside it.
struct Expectation {
  bool opened = true;
  bool countUnchanged = false;
  int32_t brickCount = 0;
  Bricks bricks = garbageBricks();
  std::string output;
};

std::string unescape(const std::string &text, const std::string &path) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 6, "{path}") == 0) {
      result += path;
      i += 5;
    } else if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
      result.push_back(static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16)));
      i += 3;
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

Expectation readExpectation(const std::string &expectedPath, const std::string &levelPath) {
  Expectation expectation;
  std::ifstream in(expectedPath);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "opened") {
      std::string value;
      words >> value;
      expectation.opened = value == "yes";
    } else if (key == "brickCount") {
      std::string value;
      words >> value;
      expectation.countUnchanged = value == "unchanged";
      if (!expectation.countUnchanged)
        expectation.brickCount = std::stoi(value);
    } else if (key == "slot") {
      int slot;
      Brick brick;
      words >> slot >> brick.x >> brick.y >> brick.type;
      expectation.bricks.at(slot) = brick;
    } else if (key == "stdout") {
      expectation.output = unescape(line.size() > 7 ? line.substr(7) : "", levelPath);
    } else {
      ADD_FAILURE() << expectedPath << ": unknown line " << line;
    }
  }
  return expectation;
}

TEST(ReadLevelFile, EveryFixtureGivesItsExpectedOutcome) {
  const fs::path fixtures = fs::path(TEST_DATA_DIR) / "levels";
  int checked = 0;
  for (const auto &entry : fs::directory_iterator(fixtures)) {
    if (entry.path().extension() != ".lvbk")
      continue;
    const std::string levelPath = entry.path().string();
    fs::path expectedPath = entry.path();
    expectedPath.replace_extension(".expected");
    SCOPED_TRACE(levelPath);
    ASSERT_TRUE(fs::exists(expectedPath));
    const Expectation expected = readExpectation(expectedPath.string(), levelPath);

    Bricks bricks = garbageBricks();
    EditorState state = initialEditorState();
    state.brickCount = GarbageBrickCount;
    bool opened;
    std::string output;
    {
      CapturedStdout out;
      opened = readLevelFile(levelPath, bricks, state);
      output = out.text();
    }
    EXPECT_EQ(opened, expected.opened);
    EXPECT_EQ(state.brickCount, expected.countUnchanged ? GarbageBrickCount : expected.brickCount);
    for (int i = 0; i < BrickSlots; ++i) {
      EXPECT_EQ(bricks[i].x, expected.bricks[i].x) << "slot " << i;
      EXPECT_EQ(bricks[i].y, expected.bricks[i].y) << "slot " << i;
      EXPECT_EQ(bricks[i].type, expected.bricks[i].type) << "slot " << i;
    }
    EXPECT_EQ(output, expected.output);
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(ReadLevelFile, MissingOrUnreadableFileChangesNothing) {
  ScratchDirectory directory;
  fs::create_directory(directory.path() + "dossier.lvbk");
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {directory.path() + "absent.lvbk", "Impossible d'ouvrir le fichier "},
      {directory.path() + "dossier.lvbk", "Impossible de lire le fichier "},
  };
  for (const auto &testCase : cases) {
    SCOPED_TRACE(testCase.path);
    Bricks bricks = garbageBricks();
    EditorState state = initialEditorState();
    state.brickCount = GarbageBrickCount;
    CapturedStdout out;
    EXPECT_FALSE(readLevelFile(testCase.path, bricks, state));
    EXPECT_EQ(out.text(), testCase.message + testCase.path);
    EXPECT_EQ(state.brickCount, GarbageBrickCount);
    EXPECT_EQ(bricks[0].x, garbageBricks()[0].x);
  }
}

TEST(ReadLevelFile, ChangesNoOtherStateField) {
  EditorState state{1, BrowsingLevels, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, -1, 1, 16};
  const EditorState before = state;
  Bricks bricks = garbageBricks();
  CapturedStdout out;
  ASSERT_TRUE(
      readLevelFile(std::string(TEST_DATA_DIR) + "/levels/editor_written.lvbk", bricks, state));
  EXPECT_EQ(state.brickCount, 2);
  state.brickCount = before.brickCount;
  EXPECT_EQ(std::memcmp(&state, &before, sizeof state), 0);
}

TEST(LevelRoundTrip, EveryLevelTheEditorCanHoldReadsBackExactly) {
  ScratchDirectory directory;
  std::mt19937 random(20261206);
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    int32_t brickCount = 0;
    const Bricks level =
        round == 0 ? (brickCount = BrickSlots, fullLevel()) : randomLevel(random, brickCount);
    std::string author;
    const int authorLength = std::uniform_int_distribution<int>(1, 17)(random);
    for (int i = 0; i < authorLength; ++i)
      author.push_back(letters[random() % letters.size()]);

    ASSERT_EQ(saveLevel(stateWithBricks(brickCount), level, "aller", author, directory.path()), 1);
    Bricks readBack = garbageBricks();
    EditorState state = initialEditorState();
    state.brickCount = 333;
    std::string echo;
    {
      CapturedStdout out;
      ASSERT_TRUE(readLevelFile(directory.path() + "aller.lvbk", readBack, state));
      echo = out.text();
    }
    EXPECT_EQ(echo, author);
    ASSERT_EQ(state.brickCount, brickCount);
    const Bricks garbage = garbageBricks();
    for (int i = 0; i < BrickSlots; ++i) {
      const Brick &want = i < brickCount ? level[i] : garbage[i];
      ASSERT_EQ(readBack[i].x, want.x) << "slot " << i;
      ASSERT_EQ(readBack[i].y, want.y) << "slot " << i;
      ASSERT_EQ(readBack[i].type, want.type) << "slot " << i;
    }
    // Saved again from what was read, the file is the same byte for byte.
    ASSERT_EQ(saveLevel(state, readBack, "retour", author, directory.path()), 1);
    EXPECT_EQ(fileBytes(directory.path() + "retour.lvbk"),
              fileBytes(directory.path() + "aller.lvbk"));
  }
}

} // namespace

namespace {

// The levels shipped with the editor open cleanly and hold only what the editor could build.
TEST(SampleLevels, AreLevelsTheEditorCouldHaveBuilt) {
  int levels = 0;
  for (const auto &entry :
       fs::directory_iterator(fs::path(TEST_DATA_DIR) / ".." / ".." / "levels")) {
    if (entry.path().extension() != ".lvbk")
      continue;
    SCOPED_TRACE(entry.path().string());
    Bricks bricks = garbageBricks();
    EditorState state = initialEditorState();
    {
      CapturedStdout out;
      ASSERT_TRUE(readLevelFile(entry.path().string(), bricks, state));
      EXPECT_FALSE(out.text().empty());
    }
    ASSERT_GT(state.brickCount, 0);
    bool special = false;
    for (int32_t i = 0; i < state.brickCount; ++i) {
      const Brick &brick = bricks[i];
      EXPECT_TRUE(brick.x >= 24 && brick.x <= 735 && brick.y >= 30 && brick.y <= 449)
          << brick.x << "," << brick.y;
      EXPECT_TRUE(brick.type >= 1 && brick.type <= LastBrickType) << brick.type;
      special = special || brick.type > LastOrdinaryType;
      for (int32_t j = 0; j < i; ++j)
        EXPECT_FALSE(std::abs(brick.x - bricks[j].x) < BrickWidth &&
                     std::abs(brick.y - bricks[j].y) < BrickHeight)
            << "slots " << j << " and " << i;
    }
    EXPECT_TRUE(special);
    ++levels;
  }
  EXPECT_GE(levels, 3);
}

} // namespace
