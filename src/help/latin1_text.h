#pragma once
// Our own messages and the file names in them are UTF-8; the window's font takes Latin-1.

#include <string>

// text with each UTF-8 character turned into its Latin-1 byte, or '?' beyond Latin-1. Bytes
// that are not UTF-8 (a stray continuation byte, a sequence cut short, overlong or outside
// Unicode, a name written in Latin-1) stay as they are, so nothing of a file name is lost.
std::string latin1FromUtf8(const std::string &text);
