#include "render/image_file.h"

#include "render/colours.h"
#include "storage/atomic_file.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <png.h>
#include <vector>

namespace {

constexpr int RgbBytes = 3;

// The area enlarged, the bytes R, G, B of each pixel, row after row.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;
};

RgbPicture enlarged(SDL_Surface *surface, const SDL_Rect &area, int scale) {
  RgbPicture picture;
  picture.width = area.w * scale;
  picture.height = area.h * scale;
  picture.bytes.resize(static_cast<std::size_t>(picture.width) * picture.height * RgbBytes);
  const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
  for (int y = 0; y < area.h; ++y) {
    uint8_t *row = &picture.bytes[static_cast<std::size_t>(y) * scale * picture.width * RgbBytes];
    for (int x = 0; x < area.w; ++x) {
      Uint8 rgb[RgbBytes];
      SDL_GetRGB(pixelValue(surface, area.x + x, area.y + y), surface->format, &rgb[0], &rgb[1],
                 &rgb[2]);
      for (int copy = 0; copy < scale; ++copy)
        std::memcpy(row + (x * scale + copy) * RgbBytes, rgb, RgbBytes);
    }
    // The other rows of the enlarged pixel are copies of the first.
    for (int copy = 1; copy < scale; ++copy)
      std::memcpy(row + copy * picture.width * RgbBytes, row, picture.width * RgbBytes);
  }
  if (locked)
    SDL_UnlockSurface(surface);
  return picture;
}

void pngError(png_structp png, png_const_charp message) {
  *static_cast<std::string *>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

void appendPngBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), length);
}

// Without a flush function of its own libpng would take the string for a FILE to flush.
void flushNothing(png_structp) {}

// libpng reports errors by a long jump back here; only plain locals live in this frame.
bool encodePng(const RgbPicture &picture, std::string &bytes, std::string &error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    error = "out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &bytes, appendPngBytes, flushNothing);
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y)
    png_write_row(png, &picture.bytes[static_cast<std::size_t>(y) * picture.width * RgbBytes]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool encodeBmp(RgbPicture &picture, std::string &bytes, std::string &error) {
  // R, G, B in that order in memory, whatever the machine's byte order.
  const bool little = SDL_BYTEORDER == SDL_LIL_ENDIAN;
  SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(
      picture.bytes.data(), picture.width, picture.height, 8 * RgbBytes, picture.width * RgbBytes,
      little ? 0x0000ff : 0xff0000, 0x00ff00, little ? 0xff0000 : 0x0000ff, 0);
  // Written to a stream in memory that grows as needed; closing it gives the bytes.
  char *buffer = nullptr;
  std::size_t size = 0;
  std::FILE *memory = open_memstream(&buffer, &size);
  SDL_RWops *stream = surface == nullptr || memory == nullptr ? nullptr : SDL_RWFromFP(memory, 0);
  const bool written = stream != nullptr && SDL_SaveBMP_RW(surface, stream, 1) == 0;
  if (memory != nullptr)
    std::fclose(memory);
  if (written)
    bytes.assign(buffer, size);
  else
    error = SDL_GetError();
  std::free(buffer);
  SDL_FreeSurface(surface);
  return written;
}

bool endsWith(const std::string &text, const char *suffix) {
  const std::size_t length = std::strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

} // namespace

bool writeImage(SDL_Surface *surface, const SDL_Rect &area, int scale, const std::string &path,
                std::string &error) {
  RgbPicture picture = enlarged(surface, area, scale);
  std::string bytes;
  if (!(endsWith(path, ".bmp") ? encodeBmp(picture, bytes, error)
                               : encodePng(picture, bytes, error))) {
    error = "cannot write " + path + ": " + error;
    return false;
  }
  const FileWrite written = writeFileAtomically(path, bytes);
  if (written.failedStep != FileStep::None) {
    error = "cannot write " + path + ": " + std::strerror(written.error);
    return false;
  }
  return true;
}
