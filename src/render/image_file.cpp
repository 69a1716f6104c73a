#include "render/image_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The area enlarged, three bytes R, G, B per pixel, row after row.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;
};

// The pixel value at (x, y), for any depth from 1 to 4 bytes.
Uint32 pixelAt(const SDL_Surface *surface, int x, int y) {
  const int bytesPerPixel = surface->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value,
              static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch + x * bytesPerPixel,
              bytesPerPixel);
  // The bytes copied are the value's low ones only on a little-endian machine.
  if (SDL_BYTEORDER == SDL_BIG_ENDIAN)
    value >>= 8 * (4 - bytesPerPixel);
  return value;
}

RgbPicture enlarged(SDL_Surface *surface, const SDL_Rect &area, int scale) {
  RgbPicture picture;
  picture.width = area.w * scale;
  picture.height = area.h * scale;
  picture.bytes.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
  const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
  for (int y = 0; y < area.h; ++y) {
    uint8_t *row = &picture.bytes[static_cast<std::size_t>(y) * scale * picture.width * 3];
    for (int x = 0; x < area.w; ++x) {
      Uint8 rgb[3];
      SDL_GetRGB(pixelAt(surface, area.x + x, area.y + y), surface->format, &rgb[0], &rgb[1],
                 &rgb[2]);
      for (int copy = 0; copy < scale; ++copy)
        std::memcpy(row + (x * scale + copy) * 3, rgb, 3);
    }
    // The other rows of the enlarged pixel are copies of the first.
    for (int copy = 1; copy < scale; ++copy)
      std::memcpy(row + copy * picture.width * 3, row, picture.width * 3);
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

// libpng reports errors by a long jump back here; only plain locals live in this frame.
bool writePng(std::FILE *file, const RgbPicture &picture, std::string &error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
  if (png == nullptr) {
    error = "out of memory";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    error = "out of memory";
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y)
    png_write_row(png, &picture.bytes[static_cast<std::size_t>(y) * picture.width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool writeBmp(std::FILE *file, RgbPicture &picture, std::string &error) {
  // R, G, B in that order in memory, whatever the machine's byte order.
  const bool little = SDL_BYTEORDER == SDL_LIL_ENDIAN;
  SDL_Surface *surface = SDL_CreateRGBSurfaceFrom(
      picture.bytes.data(), picture.width, picture.height, 24, picture.width * 3,
      little ? 0x0000ff : 0xff0000, 0x00ff00, little ? 0xff0000 : 0x0000ff, 0);
  SDL_RWops *stream = surface == nullptr ? nullptr : SDL_RWFromFP(file, 0);
  const bool written = stream != nullptr && SDL_SaveBMP_RW(surface, stream, 1) == 0;
  if (!written)
    error = SDL_GetError();
  SDL_FreeSurface(surface);
  return written;
}

bool endsWith(const std::string &text, const char *suffix) {
  const std::size_t length = std::strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

// The permissions a plain fopen would have given the picture, not mkstemp's 0600.
mode_t ordinaryFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

} // namespace

bool writeImage(SDL_Surface *surface, const SDL_Rect &area, int scale, const std::string &path,
                std::string &error) {
  if (scale < 1 || scale > MaxImageScale) {
    error = "the scale must be from 1 to " + std::to_string(MaxImageScale);
    return false;
  }
  if (surface == nullptr || area.w == 0 || area.h == 0 || area.x < 0 || area.y < 0 ||
      area.x + area.w > surface->w || area.y + area.h > surface->h) {
    error = "the area to write is not inside the picture";
    return false;
  }
  RgbPicture picture = enlarged(surface, area, scale);

  // Beside the picture, so that the rename stays within one file system.
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string temporary = directory + ".rendering-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  std::FILE *file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temporary.c_str());
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  // The first failure is the one reported; the steps after it do not run, but the close does.
  std::string detail;
  int cause = 0;
  auto step = [&cause](bool done) {
    if (!done && cause == 0)
      cause = errno != 0 ? errno : EIO;
    return done;
  };
  errno = 0;
  bool written = step(fchmod(fd, ordinaryFileMode()) == 0);
  written = written && step(endsWith(path, ".bmp") ? writeBmp(file, picture, detail)
                                                   : writePng(file, picture, detail));
  written = written && step(std::fflush(file) == 0 && !std::ferror(file)) && step(fsync(fd) == 0);
  written = step(std::fclose(file) == 0) && written;
  written = written && step(std::rename(temporary.c_str(), path.c_str()) == 0);
  if (!written) {
    unlink(temporary.c_str());
    error = "cannot write " + path + ": " + (detail.empty() ? std::strerror(cause) : detail);
    return false;
  }
  const int directoryFd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (directoryFd >= 0) {
    fsync(directoryFd);
    close(directoryFd);
  }
  return true;
}
