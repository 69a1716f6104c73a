#include "help/key_list.h"

#include <iterator>

// A hex escape takes every hex digit after it, so a string is cut after an escape followed by
// a, b, c, d, e or f.
const char *const KeyListLines[] = {
    "Touches et gestes (une touche ou un clic ferme cette aide) :",
    "Ctrl+Z : annuler",
    "Ctrl+Y ou Ctrl+Maj+Z : r\xe9tablir",
    "M : placement en miroir",
    "T : tester le niveau (A : pilote automatique, \xc9"
    "chap : retour \xe0 l'\xe9"
    "dition)",
    "Maj + glisser : s\xe9lectionner des briques",
    "Maj + clic : ajouter ou retirer une brique de la s\xe9lection",
    "Ctrl+A : tout s\xe9lectionner",
    "Glisser une brique s\xe9lectionn\xe9"
    "e : d\xe9placer la s\xe9lection",
    "Fl\xe8"
    "ches : d\xe9placer la s\xe9lection d'un pixel ; Maj + fl\xe8"
    "ches : d'une brique",
    "Suppr ou Retour arri\xe8re : effacer la s\xe9lection",
    "Clic droit sur la s\xe9lection : changer le type de ses briques",
    "Ctrl+C, Ctrl+X, Ctrl+V : copier, couper, coller",
    "\xc9"
    "chap : terminer une s\xe9lection ou un collage",
    "Ctrl+S : sauvegarder sous le m\xeame nom",
    "Ctrl+O : ouvrir un niveau",
    "Molette : changer le type de brique (et faire d\xe9"
    "filer la liste des niveaux)",
    "Dans la liste des niveaux : fl\xe8"
    "ches, Page pr\xe9"
    "c./suiv. et Entr\xe9"
    "e",
    "F1 : cette aide",
    "\xc9"
    "chap : quitter (le travail non sauvegard\xe9 est gard\xe9)",
};

// Every line has its row in the box, and every row its line.
static_assert(std::size(KeyListLines) == KeyListRows);
