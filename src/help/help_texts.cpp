#include "help/help_texts.h"

#include "editor/screen_layout.h"

namespace {

// When a row applies besides its region holding the pointer.
enum class HelpCondition {
  Always,
  PlacingAtPointer,
  PlacingBesideBrick,
  NoBrickType,
  EnteringLevelName,
  EnteringAuthorName,
  BrowsingLevels,
};

struct HelpRow {
  // The placement area moves with the pattern's size, so it is not a fixed Region.
  bool overPlacementArea;
  Region region;
  HelpCondition condition;
  const char *text; // Latin-1
};

// These rows apply over the placement area, by their condition alone: no region is read.
constexpr Region NoFixedRegion{};

// In order: a later row that applies replaces the text of an earlier one.
const HelpRow helpRows[] = {
    {true, NoFixedRegion, HelpCondition::PlacingAtPointer,
     "Clic gauche pour ajouter briques, clic droit pour modifier le type, roulette pour changer "
     "la brique..."},
    {true, NoFixedRegion, HelpCondition::PlacingBesideBrick,
     "Clic gauche sur une brique pour positionner vos briques, clic droit pour modifier le type, "
     "roulette pour changer la brique..."},
    {true, NoFixedRegion, HelpCondition::NoBrickType,
     "Clic droit sur une brique pour l'effacer..."},
    {false, PatternGridRegion, HelpCondition::Always,
     "Clic gauche pour (d\xe9)s\xe9lectionner la brique, clic droit pour s\xe9lectionner toutes "
     "les briques jusque l\xe0..."},
    {false, PaletteRegion, HelpCondition::Always,
     "Clic gauche pour s\xe9lectionner le type de brique (pour ajout ou changer le type). Le "
     "num\xe9ro est la dur\xe9"
     "e de vie de la brique..."},
    {false, SpecialRowRegion, HelpCondition::Always,
     "Clic gauche pour s\xe9lectionner le type de brique sp\xe9"
     "ciale (incassable, dynamite ou invisible)..."},
    {false, SpacingXPlusRegion, HelpCondition::Always,
     "Largeur entre les briques : clic gauche pour ajouter 1, clic droit pour ajouter 10."},
    {false, SpacingXMinusRegion, HelpCondition::Always,
     "Largeur entre les briques : clic gauche pour enlever 1, clic droit pour enlever 10."},
    {false, SpacingYPlusRegion, HelpCondition::Always,
     "Hauteur entre les briques : clic gauche pour ajouter 1, clic droit pour ajouter 10."},
    {false, SpacingYMinusRegion, HelpCondition::Always,
     "Hauteur entre les briques : clic gauche pour enlever 1, clic droit pour enlever 10."},
    {false, OffsetXPlusRegion, HelpCondition::Always,
     "Positionnement horizontal par rapport \xe0 une brique : clic gauche pour ajouter 1, clic "
     "droit pour ajouter 10."},
    {false, OffsetXMinusRegion, HelpCondition::Always,
     "Positionnement horizontal par rapport \xe0 une brique : clic gauche pour enlever 1, clic "
     "droit pour enlever 10."},
    {false, OffsetYPlusRegion, HelpCondition::Always,
     "Positionnement vertical par rapport \xe0 une brique : clic gauche pour ajouter 1, clic "
     "droit pour ajouter 10."},
    {false, OffsetYMinusRegion, HelpCondition::Always,
     "Positionnement vertical par rapport \xe0 une brique : clic gauche pour enlever 1, clic "
     "droit pour enlever 10."},
    {false, ChooserRegion, HelpCondition::Always, "Choisissez votre positionnement relatif."},
    // Reaches five rows lower than the button's click region: the warning shows there too.
    {false, ClearAllHelpRegion, HelpCondition::Always,
     "Vous allez effacer votre niveau, attention !"},
    {false, SaveRegion, HelpCondition::Always, "Cliquez pour sauvegarder votre niveau..."},
    {false, TestRegion, HelpCondition::Always,
     "Cliquez pour jouer votre niveau tel qu'il est, sans le sauvegarder (touche T)..."},
    // Two blanks before "votre", as the editor has always shown it.
    {false, DialogRegion, HelpCondition::EnteringLevelName,
     "Saisissez le nom \xe0 donner \xe0  votre niveau..."},
    {false, DialogRegion, HelpCondition::EnteringAuthorName, "Saisissez votre nom..."},
    {false, DialogRegion, HelpCondition::BrowsingLevels,
     "Cliquez sur le niveau \xe0 ouvrir, utilisez la roulette de la souris pour faire d\xe9"
     "filer la liste."},
};

bool conditionHolds(HelpCondition condition, int32_t currentBrickType, const EditorState &state) {
  const bool atPointer = state.relativeX == 0 && state.relativeY == 0;
  switch (condition) {
  case HelpCondition::Always:
    return true;
  case HelpCondition::PlacingAtPointer:
    return atPointer;
  case HelpCondition::PlacingBesideBrick:
    return !atPointer;
  case HelpCondition::NoBrickType:
    return currentBrickType == 0;
  case HelpCondition::EnteringLevelName:
    return state.mode == EnteringLevelName;
  case HelpCondition::EnteringAuthorName:
    return state.mode == EnteringAuthorName;
  case HelpCondition::BrowsingLevels:
    return state.mode == BrowsingLevels;
  }
  return false;
}

} // namespace

std::string helpTextAt(int x, int y, int32_t currentBrickType, const EditorState &state) {
  const char *text = "";
  for (const HelpRow &row : helpRows) {
    const bool over =
        row.overPlacementArea ? inPlacementArea(x, y, state) : contains(row.region, x, y);
    if (over && conditionHolds(row.condition, currentBrickType, state))
      text = row.text;
  }
  return text;
}
