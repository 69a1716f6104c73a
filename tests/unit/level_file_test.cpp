#include "storage/level_file.h"
#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

using Outcome = std::pair<int, std::string>; // returned value, what was printed

class SaveLevel : public ::testing::Test {
protected:
  Outcome save(int32_t count, const Bricks &bricks, const std::string &name,
               const std::string &author, std::string levelDirectory = "") {
    if (levelDirectory.empty())
      levelDirectory = directory.path();
    int result = -1;
    std::string output = printedBy(
        [&] { result = saveLevel(stateWithBricks(count), bricks, name, author, levelDirectory); });
    return {result, output};
  }
  std::string bytesOf(const std::string &name) { return fileBytes(directory.path() + name); }

  ScratchDirectory directory;
};

TEST_F(SaveLevel, WritesTheTwoBrickExampleByteForByte) {
  Bricks bricks{};
  bricks[0] = Brick{24, 30, 5};
  bricks[1] = Brick{64, 30, 22};
  EXPECT_EQ(save(2, bricks, "exemple", "abcd"), Outcome(1, ""));
  EXPECT_EQ(bytesOf("exemple.lvbk"), "2\r\n24;30;5\r\n64;30;22\r\nabcd");
}

TEST_F(SaveLevel, FullLevelGivesCountThenOneLinePerBrickThenAuthor) {
  ASSERT_EQ(save(BrickSlots, gridLevel(), "plein", "Auteur Complet"), Outcome(1, ""));
  const std::string bytes = bytesOf("plein.lvbk");
  std::size_t lineEnds = 0;
  for (std::size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2)
    ++lineEnds;
  EXPECT_EQ(lineEnds + 1, 398u);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 397) << "a line feed without CR";
  EXPECT_EQ(bytes.substr(0, 14), "396\r\n24;30;1\r\n");
  const std::string end = "\r\n704;450;12\r\nAuteur Complet";
  EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
}

TEST_F(SaveLevel, NoBricksWritesNothingAndKeepsAnExistingFile) {
  writeBytes(directory.path() + "garde.lvbk", "1\r\n24;30;5\r\nancien");
  EXPECT_EQ(save(0, gridLevel(), "garde", "nouveau"), Outcome(0, ""));
  EXPECT_EQ(save(0, gridLevel(), "neuf", "nouveau"), Outcome(0, ""));
  EXPECT_EQ(bytesOf("garde.lvbk"), "1\r\n24;30;5\r\nancien");
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"garde.lvbk"});
}

TEST_F(SaveLevel, SavingAgainReplacesTheContentWithOrdinaryPermissions) {
  const mode_t previousMask = umask(022);
  EXPECT_EQ(save(BrickSlots, gridLevel(), "niveau", "un nom long"), Outcome(1, ""));
  Bricks one{};
  one[0] = Brick{100, 200, 3};
  EXPECT_EQ(save(1, one, "niveau", "x"), Outcome(1, ""));
  umask(previousMask);
  EXPECT_EQ(bytesOf("niveau.lvbk"), "1\r\n100;200;3\r\nx");
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"niveau.lvbk"});
  struct stat info {};
  ASSERT_EQ(stat((directory.path() + "niveau.lvbk").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(SaveLevel, MissingDirectoryPrintsTheMessageAndWritesNothing) {
  const std::string missing = directory.path() + "niv/";
  EXPECT_EQ(save(2, gridLevel(), "perdu", "abcd", missing),
            Outcome(1, "Impossible d'ouvrir le fichier " + missing + "perdu.lvbk"));
  EXPECT_TRUE(namesIn(directory.path()).empty());
}

TEST_F(SaveLevel, FailedReplacementLeavesTheOldEntryAndNoTemporaryFile) {
  fs::create_directory(directory.path() + "bloque.lvbk");
  writeBytes(directory.path() + "bloque.lvbk/dedans", "garde");
  EXPECT_EQ(save(2, gridLevel(), "bloque", "abcd"),
            Outcome(1, "Impossible d'\xe9"
                       "crire le fichier " +
                           directory.path() + "bloque.lvbk"));
  EXPECT_EQ(namesIn(directory.path()), std::vector<std::string>{"bloque.lvbk"});
  EXPECT_EQ(bytesOf("bloque.lvbk/dedans"), "garde");
}

std::pair<bool, std::string> read(const std::string &path, Bricks &bricks, EditorState &state) {
  bool opened = false;
  std::string output = printedBy([&] { opened = readLevelFile(path, bricks, state); });
  return {opened, output};
}

// Replaces {path} by path and \xNN by the byte.
std::string unescape(const std::string &text, const std::string &path) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 6, "{path}") == 0) {
      result += path;
      i += 5;
    } else if (text.compare(i, 2, "\\x") == 0) {
      result.push_back(static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16)));
      i += 3;
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

// Every fixture is read starting from garbage slots and a state whose every field is odd; the
// reader may change only the slots and the count the .expected file beside it names.
TEST(ReadLevelFile, EveryFixtureGivesItsExpectedOutcome) {
  const EditorState oddState{1,  BrowsingLevels,    3,  4,  5,  6, 7, 8, 9,
                             10, GarbageBrickCount, 12, 13, -1, 1, 16};
  int checked = 0;
  for (const auto &entry : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "levels")) {
    if (entry.path().extension() != ".lvbk")
      continue;
    const std::string levelPath = entry.path().string();
    SCOPED_TRACE(levelPath);
    std::ifstream expectedFile(fs::path(entry.path()).replace_extension(".expected"));
    ASSERT_TRUE(expectedFile.is_open());
    bool opened = true;
    EditorState expected = oddState;
    Bricks expectedBricks = garbageBricks();
    std::string expectedOutput;
    for (std::string line; std::getline(expectedFile, line);) {
      std::istringstream words(line);
      std::string key, value;
      words >> key;
      if (key == "opened") {
        opened = (words >> value, value == "yes");
      } else if (key == "brickCount") {
        if (words >> value, value != "unchanged")
          expected.brickCount = std::stoi(value);
      } else if (key == "slot") {
        int slot;
        Brick brick;
        words >> slot >> brick.x >> brick.y >> brick.type;
        expectedBricks.at(slot) = brick;
      } else if (key == "stdout") {
        expectedOutput = unescape(line.substr(std::min<std::size_t>(7, line.size())), levelPath);
      } else if (!key.empty() && key[0] != '#') {
        ADD_FAILURE() << "unknown line " << line;
      }
    }

    Bricks bricks = garbageBricks();
    EditorState state = oddState;
    EXPECT_EQ(read(levelPath, bricks, state), std::pair(opened, expectedOutput));
    EXPECT_EQ(state.brickCount, expected.brickCount);
    EXPECT_EQ(std::memcmp(&state, &expected, sizeof state), 0) << "another field changed";
    EXPECT_EQ(slotsText(bricks), slotsText(expectedBricks));
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(ReadLevelFile, MissingOrUnreadableFileChangesNothing) {
  ScratchDirectory directory;
  fs::create_directory(directory.path() + "dossier.lvbk");
  const std::pair<std::string, std::string> cases[] = {
      {"absent.lvbk", "Impossible d'ouvrir le fichier "},
      {"dossier.lvbk", "Impossible de lire le fichier "},
  };
  for (const auto &[name, message] : cases) {
    SCOPED_TRACE(name);
    Bricks bricks = garbageBricks();
    EditorState state = stateWithBricks(GarbageBrickCount);
    EXPECT_EQ(read(directory.path() + name, bricks, state),
              std::pair(false, message + directory.path() + name));
    EXPECT_EQ(state.brickCount, GarbageBrickCount);
    EXPECT_EQ(slotsText(bricks), slotsText(garbageBricks()));
  }
}

// Saved, read back and saved again: the same slots, the author echoed, the same bytes.
TEST(LevelRoundTrip, EveryLevelTheEditorCanHoldReadsBackExactly) {
  ScratchDirectory directory;
  std::mt19937 random(20261206);
  auto within = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    const int32_t brickCount = round == 0 ? BrickSlots : within(1, BrickSlots);
    Bricks level = gridLevel();
    for (int i = 0; round > 0 && i < brickCount; ++i)
      level[i] = Brick{within(24, 735), within(30, 449), within(1, LastBrickType)};
    std::string author(within(1, 17), 'a');
    for (char &c : author)
      c = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"[within(0, 61)];

    ASSERT_EQ(saveLevel(stateWithBricks(brickCount), level, "aller", author, directory.path()), 1);
    Bricks readBack = garbageBricks();
    EditorState state = stateWithBricks(333);
    ASSERT_EQ(read(directory.path() + "aller.lvbk", readBack, state), std::pair(true, author));
    ASSERT_EQ(state.brickCount, brickCount);
    Bricks expected = garbageBricks();
    std::copy(level.begin(), level.begin() + brickCount, expected.begin());
    ASSERT_EQ(slotsText(readBack), slotsText(expected));
    ASSERT_EQ(saveLevel(state, readBack, "retour", author, directory.path()), 1);
    EXPECT_EQ(fileBytes(directory.path() + "retour.lvbk"),
              fileBytes(directory.path() + "aller.lvbk"));
  }
}

// The levels shipped with the editor open and hold only what the editor could have built.
TEST(SampleLevels, AreLevelsTheEditorCouldHaveBuilt) {
  int levels = 0;
  for (const auto &entry : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "../../levels")) {
    if (entry.path().extension() != ".lvbk")
      continue;
    SCOPED_TRACE(entry.path().string());
    Bricks bricks{};
    EditorState state = initialEditorState();
    const auto [opened, output] = read(entry.path().string(), bricks, state);
    ASSERT_TRUE(opened);
    EXPECT_NE(output, "");
    ASSERT_GT(state.brickCount, 0);
    bool special = false;
    for (int32_t i = 0; i < state.brickCount; ++i) {
      const Brick &brick = bricks[i];
      EXPECT_TRUE(brick.x >= 24 && brick.x <= 735 && brick.y >= 30 && brick.y <= 449 &&
                  brick.type >= 1 && brick.type <= LastBrickType)
          << "slot " << i;
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
