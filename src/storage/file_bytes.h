#pragma once
// Reading a whole file, the one way every reader of levels does it.

#include <string>

// How reading a whole file went; after a failure errno says why.
enum class FileRead { Done, CannotOpen, CannotRead };

// Reads the whole file at path into bytes, printing nothing: the caller says what failed, or
// nothing at all.
FileRead readFileBytes(const std::string &path, std::string &bytes);
