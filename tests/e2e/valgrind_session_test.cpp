// The real editor under Valgrind's memcheck for a whole scripted session: bricks laid, dragged,
// retyped and erased, a level saved through both name dialogs, the browser opened and a level
// picked, help lines shown, then Escape. Any invalid read or write, any use of uninitialised
// memory and any definite leak fails it; only the libraries' own leaks are suppressed
// (tests/sanitizer/valgrind.supp).

#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int RestX = 960, RestY = 700;
constexpr int SaveButtonX = 860, SaveButtonY = 392;
constexpr int OpenButtonX = 860, OpenButtonY = 422;
constexpr int ClearAllX = 860, ClearAllY = 360;
constexpr int PaletteType7X = 820, PaletteType7Y = 120;
constexpr int FirstLevelRowX = 400, FirstLevelRowY = 285;
// A pattern grid cell beside cell (0, 0), and the plus of the horizontal spacing.
constexpr int GridCell10X = 50, GridCell10Y = 486;
constexpr int SpacingXPlusX = 483, SpacingXPlusY = 488;

std::string fileBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool builtWithAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
}

TEST(ValgrindSession, WholeSessionHasNoMemoryErrorAndNoLeakOfOurs) {
  if (builtWithAddressSanitizer())
    GTEST_SKIP() << "the editor is built with AddressSanitizer, which Valgrind cannot run";
  if (access("/usr/bin/valgrind", X_OK) != 0)
    GTEST_SKIP() << "valgrind is not installed";

  XSession session;
  const std::string log = session.workDir() + "/valgrind.log";
  const std::string suppressions = TEST_DATA_DIR "/../sanitizer/valgrind.supp";
  ASSERT_TRUE(fs::exists(suppressions));
  setenv("BRICKEDIT_WRAPPER",
         ("valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=definite "
          "--errors-for-leak-kinds=definite --num-callers=40 --suppressions=" +
          suppressions + " --log-file=" + log)
             .c_str(),
         1);
  // Straight to the X window: Mesa's software renderer under Valgrind takes minutes to start.
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
  session.launch(RestX, RestY);
  unsetenv("BRICKEDIT_WRAPPER");

  // Editing: a two-cell pattern with a gap, laid by a click and by a drag; type 7; a right
  // click retypes a brick and, with no type chosen, another erases it.
  session.click(GridCell10X, GridCell10Y);
  session.click(SpacingXPlusX, SpacingXPlusY);
  session.click(100, 100);
  session.click(PaletteType7X, PaletteType7Y);
  session.moveTo(100, 300);
  session.press(1);
  for (int x = 120; x <= 500; x += 40)
    session.moveTo(x, 300);
  session.release(1);
  session.click(110, 105, 3);
  session.click(PaletteType7X, PaletteType7Y); // type 7 again: no type
  session.click(110, 105, 3);
  session.wheel(5, 3);

  // Saving through both dialogs, then clearing and opening the level back.
  session.click(SaveButtonX, SaveButtonY);
  session.type("valgrind");
  session.key("Return");
  session.type("Memcheck");
  session.key("Return");
  const fs::path level = fs::path(session.workDir()) / "niv" / "valgrind.lvbk";
  // The editor runs many times slower under Valgrind: wait for what it writes.
  for (int attempt = 0; attempt < 600 && !fs::exists(level); ++attempt)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(fs::exists(level)) << "the level was never saved; output: " << session.output();
  session.click(ClearAllX, ClearAllY);
  session.click(OpenButtonX, OpenButtonY);
  session.wheel(5, 2);
  session.click(FirstLevelRowX, FirstLevelRowY);
  session.moveTo(860, 200);
  session.moveTo(300, 600);
  session.key("Escape");

  const int status = session.waitForExit(240000);
  const std::string report = fileBytes(log);
  EXPECT_NE(report.find("HEAP SUMMARY"), std::string::npos) << "Valgrind did not run:\n" << report;
  EXPECT_NE(report.find("ERROR SUMMARY: 0 errors"), std::string::npos) << report;
  EXPECT_EQ(report.find("Invalid read"), std::string::npos);
  EXPECT_EQ(report.find("Invalid write"), std::string::npos);
  EXPECT_EQ(status, 0) << "exit status 99 means Valgrind found errors:\n" << report;
  // The session did reach the file: the level saved holds bricks and the author's name.
  const std::string bytes = fileBytes(level);
  EXPECT_NE(bytes.find("Memcheck"), std::string::npos) << bytes;
  EXPECT_NE(session.output().find("Memcheck"), std::string::npos) << "level not opened back";
}

} // namespace
