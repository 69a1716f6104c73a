#include "help/play_help.h"

namespace {

// French counts its nouns in the singular up to one.
std::string counted(int32_t count, const char *noun) {
  return std::to_string(count) + " " + noun + (count > 1 ? "s" : "");
}

} // namespace

std::string playHelpText(const Play &play) {
  const Game &game = play.game;
  std::string text = counted(ballsLeft(game), "balle") + ", " +
                     counted(bricksToBreakLeft(game), "brique") + " \xe0 casser. ";
  if (gameOver(game))
    text += "Clic ou Espace : rejouer. ";
  else if (phase(game) == GamePhase::Waiting)
    text += "Clic ou Espace : lancer la balle. ";
  return text + "A : pilote automatique (" + (play.autopilot ? "oui" : "non") +
         "). \xc9"
         "chap : retour \xe0 l'\xe9"
         "dition.";
}
