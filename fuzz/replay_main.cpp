// Replays saved fuzz inputs without libFuzzer: every file under the directories (or the files)
// given is fed once to the fuzz target, so an input that once crashed stays tested.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int replay(const std::filesystem::path &file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return 1;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                             std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  int inputs = 0;
  int failures = 0;
  for (int arg = 1; arg < argc; ++arg) {
    std::filesystem::path path(argv[arg]);
    if (std::filesystem::is_directory(path)) {
      for (const auto &entry : std::filesystem::recursive_directory_iterator(path)) {
        if (!entry.is_regular_file())
          continue;
        failures += replay(entry.path());
        ++inputs;
      }
    } else if (std::filesystem::exists(path)) {
      failures += replay(path);
      ++inputs;
    }
  }
  std::fprintf(stderr, "replayed %d inputs\n", inputs);
  if (inputs == 0) {
    std::fprintf(stderr, "no inputs found: the corpus is missing\n");
    return 1;
  }
  return failures == 0 ? 0 : 1;
}
