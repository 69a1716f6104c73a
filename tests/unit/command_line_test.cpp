// The command line: --check against hand-written reports, argument mistakes, pictures read back.
#include "editor/cli/command_line.h"
#include "editor/screen_layout.h"
#include "frame_check.h"
#include "render/frame.h"
#include "render/render_resources.h"
#include "storage/level_file.h"
#include "storage_test_support.h"

#include <iterator>
#include <map>
#include <png.h>
#include <regex>
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
  std::ofstream full("/dev/full"); // a report that cannot be written is a failure
  EXPECT_EQ(runCheck(sound, full, err), 1);
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
    std::string got = std::vector<std::string>{"editor",
                                               "check",
                                               "simulate",
                                               "render",
                                               "help",
                                               "version",
                                               "error: " + line.error}[line.action];
    for (const std::string &file : line.files)
      got += " " + file;
    if (line.action != CommandLine::UsageError)
      got += " out=" + line.output + " x" + std::to_string(line.scale) + " " + line.sheetPath;
    EXPECT_EQ(got, row.substr(row.find(" => ") + 4)) << row;
  }
}

// What the real program, run with no display in directory, prints on standard output, and its
// status.
std::pair<std::string, int> runIn(const fs::path &directory, const std::string &arguments) {
  std::FILE *pipe = popen(("cd " + directory.string() +
                           " && env -u DISPLAY -u SDL_VIDEODRIVER " RUN_DIR "/brickedit " +
                           arguments + " 2>/dev/null")
                              .c_str(),
                          "r");
  std::string out;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
    out.append(chunk, got);
  return {out, WEXITSTATUS(pclose(pipe))};
}

// simulate/NAME.sim is what --simulate prints for NAME.lvbk, found beside it or among the sample
// levels, a '*' standing for any text. The sample levels' reports are exact: the game is played
// on integers alone, so every build (the sanitized one too) plays the same game to the tick. All
// the files together give the same bytes twice, with status 1.
TEST(SimulateCommand, EveryLevelGivesItsHandWrittenReport) {
  std::string all;
  for (const auto &entry : fs::directory_iterator(Data / "simulate")) {
    const std::string name = entry.path().stem().string() + ".lvbk";
    const fs::path beside = entry.path().parent_path();
    const fs::path directory = fs::exists(beside / name) ? beside : Data / "../../levels";
    if (entry.path().extension() != ".sim")
      continue;
    const std::string pattern = std::regex_replace(
        std::regex_replace(fileBytes(entry.path()), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"),
        std::regex(R"(\\\*)"), "[^\n]*");
    const auto [out, status] = runIn(directory, "--simulate " + name);
    EXPECT_TRUE(std::regex_match(out, std::regex(pattern))) << out;
    EXPECT_EQ(status, out.find(": cleared in ") == std::string::npos ? 1 : 0) << name;
    all += " " + (directory / name).string();
  }
  const auto once = runIn(Data, "--simulate" + all), again = runIn(Data, "--simulate" + all);
  EXPECT_TRUE(once == again && once.second == 1);
  EXPECT_GE(std::count(all.begin(), all.end(), ' '), 12);
}

} // namespace

// The real program, with no display: the PNG of a sample level at scale 2, read back by libpng,
// is the field of the editor's own headless frame of it, each pixel doubled, and so is a BMP
// at scale 1; usage mistakes end with their status.
TEST(RenderCommand, PictureIsTheFieldOfTheEditorsFrameDoubled) {
  ScratchDirectory directory;
  const auto run = [](const std::string &arguments) {
    return WEXITSTATUS(
        std::system(("cd " RUN_DIR " && env -u DISPLAY -u SDL_VIDEODRIVER timeout 20 ./brickedit " +
                     arguments + " 2>/dev/null")
                        .c_str()));
  };
  const std::string out = directory.path() + "p.png", bmp = directory.path() + "p.bmp";
  umask(022);
  ASSERT_EQ(run("--render niv/Pyramide.lvbk " + out + " --scale 2"), 0);
  ASSERT_EQ(run("--render niv/Pyramide.lvbk " + bmp), 0);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "opengl", 1); // a user's choice, which start-up keeps
  const RenderSetup setup(ResourcePaths{RUN_DIR "/comic.ttf", RUN_DIR "/bmp/objets.bmp"});
  EXPECT_STREQ(std::getenv("SDL_RENDER_DRIVER"), "opengl");
  Editor editor;
  ASSERT_TRUE(setup.ok() &&
              readLevelFile(RUN_DIR "/niv/Pyramide.lvbk", editor.bricks, editor.state));
  editor.helpText.clear();
  drawFrame(setup.resources(), editor);
  const SDL_Surface *frame = setup.resources().screen;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&png, out.c_str()));
  ASSERT_TRUE(png.width == 2u * LevelBox.w && png.height == 2u * LevelBox.h);
  png.format = PNG_FORMAT_RGB;
  std::vector<Uint8> rgb(PNG_IMAGE_SIZE(png));
  ASSERT_TRUE(png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr));
  EXPECT_EQ(fileBytes(out).substr(fileBytes(out).size() - 8, 4), "IEND");
  SDL_Surface *bmpFile = SDL_LoadBMP(bmp.c_str());
  ASSERT_TRUE(bmpFile && bmpFile->w == LevelBox.w && bmpFile->h == LevelBox.h);
  SDL_Surface *picture = SDL_ConvertSurface(bmpFile, frame->format, 0);
  EXPECT_EQ(fs::status(bmp).permissions(), static_cast<fs::perms>(0644));
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    const int x = i / 3 % png.width, y = i / 3 / png.width;
    const uint32_t shown = pixelAt(frame, LevelBox.x + x / 2, LevelBox.y + y / 2);
    ASSERT_EQ(uint32_t(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]), shown) << x << "," << y;
    ASSERT_EQ(pixelAt(picture, x / 2, y / 2), shown) << x << "," << y;
  }
  SDL_FreeSurface(picture);
  SDL_FreeSurface(bmpFile);
  // The editor itself, with no display: it says so and ends.
  EXPECT_EQ(runIn(RUN_DIR, ""),
            std::make_pair(std::string("Unable to set 1024*768 video: no display\n"), 1));
  EXPECT_EQ(run("--render"), 2);
  EXPECT_EQ(run("--bogus"), 2);
  EXPECT_EQ(run("--render niv/none.lvbk " + out), 1);
  EXPECT_EQ(run("--render " + Data.string() + "/levels/count_397.lvbk " + out), 1);
  EXPECT_EQ(run("--render niv/Pyramide.lvbk " + out + " --sheet comic.ttf"), 1);
  EXPECT_EQ(run("--render niv/Pyramide.lvbk " + out + " --sheet none.bmp"), 1);
  EXPECT_EQ(run("--render niv/Pyramide.lvbk /proc/p.png"), 1);
}
