// The least a program can do to show a 1024 by 768 window: the editor's screen mode, one full
// frame presented every 26 ms (a fill and a flip), sleeping 1 ms between passes. Its CPU is
// the floor the editor is measured against (bench/real_display.sh).
//
//   bare_present            presents until the window is closed or the process is stopped
//   bare_present --every MS the same, a frame every MS milliseconds (16: a game's pace)
//   bare_present --time N   presents N frames back to back and prints the median and mean
//                           cost of a flip and of a fill and flip, in milliseconds
//
// Like the editor, it takes SDL's software present path unless the environment says
// otherwise.

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void printMedianAndMean(const char *name, std::vector<double> &values) {
  const double mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  std::printf("%s_median %.4f\n%s_mean %.4f\n", name, values[values.size() / 2], name, mean);
}

// A few frames first, untimed: the first presents set up the path.
int timeFlips(SDL_Surface *screen, int frames) {
  constexpr int WarmUp = 10;
  if (frames <= 0) {
    std::fprintf(stderr, "--time needs a number of frames above 0\n");
    return 2;
  }
  std::vector<double> flips;
  std::vector<double> presents;
  for (int frame = -WarmUp; frame < frames; ++frame) {
    const auto start = Clock::now();
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, frame & 1 ? 40 : 0));
    const auto filled = Clock::now();
    SDL_Flip(screen);
    if (frame >= 0) {
      flips.push_back(millisecondsSince(filled));
      presents.push_back(millisecondsSince(start));
    }
  }
  printMedianAndMean("flip_ms", flips);
  printMedianAndMean("fill_flip_ms", presents);
  return 0;
}

void presentForever(SDL_Surface *screen, Uint32 interval) {
  Uint32 lastFrame = SDL_GetTicks();
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_QUIT)
        return;
    }
    const Uint32 now = SDL_GetTicks();
    if (now - lastFrame >= interval) {
      SDL_FillRect(screen, nullptr, 0);
      SDL_Flip(screen);
      lastFrame = now;
    }
    SDL_Delay(1);
  }
}

} // namespace

int main(int argc, char **argv) {
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Surface *screen = SDL_SetVideoMode(1024, 768, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
  if (screen == nullptr) {
    std::fprintf(stderr, "Unable to set 1024*768 video: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  int result = 0;
  if (argc == 3 && std::strcmp(argv[1], "--time") == 0)
    result = timeFlips(screen, std::atoi(argv[2]));
  else
    presentForever(screen, argc == 3 && std::strcmp(argv[1], "--every") == 0
                               ? static_cast<Uint32>(std::atoi(argv[2]))
                               : 26);
  SDL_Quit();
  return result;
}
