// Not yet built: draws bmp/objets.bmp.
#include <SDL.h>
int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 170, 24, 0xff0000, 0xff00, 0xff, 0);
  int result = SDL_SaveBMP(sheet, argv[1]);
  SDL_FreeSurface(sheet);
  return result == 0 ? 0 : 1;
}
