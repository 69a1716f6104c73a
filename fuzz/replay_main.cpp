// Replays fuzz inputs without libFuzzer: every file under the directories (or the files) given
// is fed once to the fuzz target, so that an input that once failed stays tested. An argument
// "random:N:SIZE" also feeds N inputs of SIZE bytes drawn from a fixed seed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char **argv) {
  int inputs = 0;
  for (int arg = 1; arg < argc; ++arg) {
    const std::string name = argv[arg];
    int count = 0;
    std::size_t size = 0;
    if (std::sscanf(name.c_str(), "random:%d:%zu", &count, &size) == 2) {
      std::mt19937 random(1);
      std::vector<uint8_t> bytes(size);
      for (int i = 0; i < count; ++i, ++inputs) {
        for (uint8_t &byte : bytes)
          byte = static_cast<uint8_t>(random());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      }
      continue;
    }
    std::vector<fs::path> files{name};
    if (fs::is_directory(name)) {
      files.clear();
      for (const auto &entry : fs::recursive_directory_iterator(name))
        if (entry.is_regular_file())
          files.push_back(entry.path());
    }
    for (const fs::path &file : files) {
      std::ifstream stream(file, std::ios::binary);
      if (!stream) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
      }
      const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(stream), {});
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++inputs;
    }
  }
  std::fprintf(stderr, "replayed %d inputs\n", inputs);
  return inputs > 0 ? 0 : 1;
}
