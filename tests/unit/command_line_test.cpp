// The command line: --check against hand-written reports, argument mistakes, pictures read back.
#include "editor/cli/command_line.h"
#include "editor/screen_layout.h"
#include "render/frame.h"
#include "render/image_file.h"
#include "headless_render.h"
#include "storage/level_file.h"
#include "storage_test_support.h"

#include <iterator>
#include <map>
#include <png.h>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;
namespace {

const fs::path Data = TEST_DATA_DIR;

// check/NAME.check is what --check prints for NAME.lvbk, found beside it, among the reader's
// fixtures or the sample levels; a report with no such file is for a path that does not exist.
TEST(CheckCommand, EveryLevelGivesItsHandWrittenReport) {
  std::map<std::string, fs::path> levels; // by name; one beside its report wins
  for (const char *place : {"../../levels", "levels", "check"})
    for (const auto &entry : fs::directory_iterator(Data / place))
      if (entry.path().extension() == ".lvbk")
        levels[entry.path().filename().string()] = entry.path();
  std::vector<std::string> all, sound;
  std::string allReports;
  for (const auto &entry : fs::directory_iterator(Data / "check")) {
    const std::string name = entry.path().stem().string() + ".lvbk";
    if (entry.path().extension() != ".check")
      continue;
    const fs::path level = levels.emplace(name, Data / "check" / name).first->second;
    const std::string report = level.parent_path().string() + "/" + fileBytes(entry.path());
    const bool ok = report.find(": ok, ") != std::string::npos;
    std::ostringstream out, err;
    EXPECT_EQ(runCheck({level.string()}, out, err), ok ? 0 : 1) << name;
    EXPECT_EQ(out.str() + err.str(), report);
    all.push_back(level.string());
    allReports += report;
    if (ok)
      sound.push_back(level.string());
  }
  EXPECT_EQ(all.size(), levels.size()) << "a level has no report";
  EXPECT_GE(sound.size(), 8u);
  std::ostringstream out, quiet, err;
  EXPECT_EQ(runCheck(all, out, err), 1);
  EXPECT_EQ(out.str(), allReports);
  EXPECT_EQ(runCheck(sound, quiet, err), 0);
  EXPECT_EQ(runCheck({}, quiet, err), 2);
}

// Each line of command_lines.txt: arguments => the action, files, output, scale and sheet.
TEST(CommandLineParse, ActionsAndUsageErrorsFromTheTable) {
  std::ifstream table(Data / "command_lines.txt");
  for (std::string row; std::getline(table, row);) {
    if (row[0] == '#')
      continue;
    std::istringstream arguments("brickedit " + row.substr(0, row.find(" => ")));
    std::vector<std::string> words(std::istream_iterator<std::string>(arguments), {});
    std::vector<char *> argv;
    for (std::string &word : words)
      argv.push_back(word.data());
    const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string got = std::vector<std::string>{
        "editor", "check", "render", "help", "version", "error: " + line.error}[line.action];
    for (const std::string &file : line.files)
      got += " " + file;
    if (line.action != CommandLine::UsageError)
      got += " out=" + line.output + " x" + std::to_string(line.scale) + " " + line.sheetPath;
    EXPECT_EQ(got, row.substr(row.find(" => ") + 4)) << row;
  }
}

// A 24-bit surface whose every pixel differs, cut at its left and bottom edges, doubled,
// written and read back by libpng or SDL.
TEST(WriteImage, PngAndBmpHoldTheAreaDoubledAndFailuresLeaveNoFile) {
  ScratchDirectory directory;
  SDL_Surface *surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 6, 24, 0xff, 0xff00, 0xff0000, 0);
  for (Sint16 y = 0; y < 6; ++y)
    for (Sint16 x = 0; x < 8; ++x) {
      SDL_Rect dot{x, y, 1, 1};
      SDL_FillRect(surface, &dot, SDL_MapRGB(surface->format, 30 * x, 40 * y, 7 + x + y));
    }
  const SDL_Rect area{0, 2, 5, 4};
  std::vector<Pixel> doubled; // row after row: a wrong width shows as wrong pixels
  for (int i = 0; i < 10 * 8; ++i)
    doubled.push_back(Pixel{30 * (i % 10 / 2), 40 * (2 + i / 20), 9 + i % 10 / 2 + i / 20});
  const mode_t mask = umask(022);
  std::string error;
  for (const std::string name : {"level.png", "level.bmp"}) {
    const std::string path = directory.path() + name;
    ASSERT_TRUE(writeImage(surface, area, 2, path, error)) << error;
    std::vector<Pixel> shown;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    std::vector<Uint8> rgb(10 * 8 * 3);
    if (name == "level.bmp") {
      SDL_Surface *bmp = SDL_LoadBMP(path.c_str());
      for (int i = 0; bmp != nullptr && i < bmp->w * bmp->h; ++i)
        shown.push_back(pixelAt(bmp, i % bmp->w, i / bmp->w));
      SDL_FreeSurface(bmp);
    } else if (png_image_begin_read_from_file(&png, path.c_str()) && png.width * png.height == 80 &&
               (png.format = PNG_FORMAT_RGB) &&
               png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
      for (std::size_t i = 0; i < rgb.size(); i += 3)
        shown.push_back(Pixel{rgb[i], rgb[i + 1], rgb[i + 2]});
      EXPECT_EQ(fileBytes(path).substr(fileBytes(path).size() - 8, 4), "IEND");
    }
    EXPECT_EQ(shown, doubled) << name;
    EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0644)) << name;
  }
  umask(mask);
  fs::create_directory(directory.path() + "taken.png");
  const std::tuple<std::string, SDL_Rect, int, std::string> failures[] = {
      {"absent/out.png", area, 2, "absent/out.png: No such file or directory"},
      {"taken.png", area, 2, "taken.png: Is a directory"},
      {"out.png", area, 5, "the scale must be from 1 to 4"},
  };
  for (const auto &[name, cut, scale, message] : failures) {
    EXPECT_FALSE(writeImage(surface, cut, scale, directory.path() + name, error));
    EXPECT_EQ(error, scale == 2 ? "cannot write " + directory.path() + message : message);
  }
  for (const SDL_Rect &outside : {SDL_Rect{4, 0, 5, 4}, SDL_Rect{0, 3, 5, 4}, SDL_Rect{0, -1, 5, 4},
                                  SDL_Rect{-1, 0, 5, 4}, SDL_Rect{0, 0, 0, 4}})
    EXPECT_FALSE(writeImage(surface, outside, 1, directory.path() + "out.bmp", error));
  // No temporary file is left behind by the failures.
  std::set<std::string> left;
  for (const auto &entry : fs::directory_iterator(directory.path()))
    left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"level.bmp", "level.png", "taken.png"}));
  SDL_FreeSurface(surface);
}

} // namespace

// The real program, with no display: the picture of a sample level is the field of the editor's
// own headless frame of it, pixel for pixel, and usage mistakes end with their status.
struct RenderCommand : HeadlessRender {
  ScratchDirectory directory;
  int run(const std::string &arguments) {
    return WEXITSTATUS(std::system(
        ("cd " RUN_DIR " && env -u DISPLAY ./brickedit " + arguments + " 2>/dev/null").c_str()));
  }
};

TEST_F(RenderCommand, PictureIsTheFieldOfTheEditorsFrame) {
  const std::string out = directory.path() + "p.bmp", big = directory.path() + "big.bmp";
  ASSERT_EQ(run("--render niv/Pyramide.lvbk " + out), 0);
  ASSERT_EQ(run("--render niv/Pyramide.lvbk " + big + " --scale 2"), 0);
  Editor editor;
  ASSERT_TRUE(readLevelFile(RUN_DIR "/niv/Pyramide.lvbk", editor.bricks, editor.state));
  editor.helpText.clear();
  drawFrame(setup->resources(), editor);
  SDL_Surface *picture = SDL_LoadBMP(out.c_str()), *doubled = SDL_LoadBMP(big.c_str());
  ASSERT_TRUE(picture && doubled && picture->w == LevelBox.w && picture->h == LevelBox.h);
  for (int y = 0; y < LevelBox.h; ++y)
    for (int x = 0; x < LevelBox.w; ++x)
      ASSERT_EQ(pixelAt(picture, x, y), at(LevelBox.x + x, LevelBox.y + y)) << x << "," << y;
  for (auto [x, y] : {std::pair{0, 0}, {751, 439}, {300, 100}, {377, 215}})
    EXPECT_EQ(pixelAt(doubled, 2 * x + 1, 2 * y), pixelAt(picture, x, y));
  SDL_FreeSurface(picture);
  SDL_FreeSurface(doubled);
  EXPECT_EQ(run("--render"), 2);
  EXPECT_EQ(run("--bogus"), 2);
  EXPECT_EQ(run("--render niv/none.lvbk " + out), 1);
  EXPECT_EQ(run("--render niv/Pyramide.lvbk /proc/p.png"), 1);
}
