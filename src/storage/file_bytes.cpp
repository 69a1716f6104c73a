#include "storage/file_bytes.h"

#include <cerrno>
#include <cstdio>

FileRead readFileBytes(const std::string &path, std::string &bytes) {
  std::FILE *file = std::fopen(path.c_str(), "rb");
  if (file == nullptr)
    return FileRead::CannotOpen;
  bytes.clear();
  char chunk[4096];
  std::size_t got;
  errno = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.append(chunk, got);
  // A failed read that left errno unset is still a failure.
  const int error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  errno = error;
  return error == 0 ? FileRead::Done : FileRead::CannotRead;
}
