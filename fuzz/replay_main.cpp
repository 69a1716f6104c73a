// Replays fuzz inputs without libFuzzer: every file in the directories given is
// fed once to the fuzz target, so that an input that once failed stays tested. An argument
// "random:N:SIZE" also feeds N inputs of SIZE bytes drawn from a fixed seed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char **argv) {
  // Few descriptors, so that one left open by the editor shows within the soak.
  const rlimit few{64, 64};
  setrlimit(RLIMIT_NOFILE, &few);
  int inputs = 0;
  for (int arg = 1; arg < argc; ++arg) {
    int count = 0;
    std::size_t size = 0;
    std::mt19937 random(1);
    for (bool drawn = std::sscanf(argv[arg], "random:%d:%zu", &count, &size) == 2;
         drawn && count-- > 0; ++inputs) {
      std::vector<uint8_t> bytes(size);
      for (uint8_t &byte : bytes)
        byte = static_cast<uint8_t>(random());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::error_code noDirectory; // then the argument names no input
    for (const fs::path &file : fs::directory_iterator(argv[arg], noDirectory)) {
      // Fixtures include a directory named like a level: it holds no input.
      if (!fs::is_regular_file(file))
        continue;
      std::ifstream stream(file, std::ios::binary);
      const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(stream), {});
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++inputs;
    }
  }
  std::fprintf(stderr, "replayed %d inputs\n", inputs);
  return inputs > 0 ? 0 : 1;
}
