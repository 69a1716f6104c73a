#include "help/selection_help.h"

std::string selectionHelp(int32_t count) {
  // A hex escape would take the letters after it for digits: "\xe9" "es", never "\xe9es".
  const char *selected = count == 1 ? " brique s\xe9lectionn\xe9"
                                      "e"
                                    : " briques s\xe9lectionn\xe9"
                                      "es";
  return std::to_string(count) + selected +
         " : glisser ou fl\xe8"
         "ches pour d\xe9placer, Suppr pour effacer, Ctrl+C, Ctrl+X, \xc9"
         "chap pour d\xe9s\xe9lectionner";
}
