// The help line picked by mouse motion. Expected texts are written with octal escapes, apart
// from the code's hex ones, so that a hex escape swallowing a letter shows up here.

#include "editor/editor_state.h"
#include "help/hover_help.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const std::string AtPointerText = "Clic gauche pour ajouter briques, clic droit pour modifier le "
                                  "type, roulette pour changer la brique...";
const std::string BesideBrickText =
    "Clic gauche sur une brique pour positionner vos briques, clic droit pour modifier le type, "
    "roulette pour changer la brique...";
const std::string EraseText = "Clic droit sur une brique pour l'effacer...";
const std::string GridText = "Clic gauche pour (d\351)s\351lectionner la brique, clic droit pour "
                             "s\351lectionner toutes les briques jusque l\340...";
const std::string PaletteText =
    "Clic gauche pour s\351lectionner le type de brique (pour ajout ou changer le type). Le "
    "num\351ro est la dur\351e de vie de la brique...";
const std::string SpecialText = "Clic gauche pour s\351lectionner le type de brique sp\351ciale "
                                "(incassable, dynamite ou invisible)...";
const std::string ClearText = "Vous allez effacer votre niveau, attention !";
const std::string SaveText = "Cliquez pour sauvegarder votre niveau...";
const std::string LevelNameText = "Saisissez le nom \340 donner \340  votre niveau...";
const std::string AuthorText = "Saisissez votre nom...";
const std::string BrowserText = "Cliquez sur le niveau \340 ouvrir, utilisez la roulette de la "
                                "souris pour faire d\351filer la liste.";

std::string stepperText(const char *what, const char *verb) {
  return std::string(what) + " : clic gauche pour " + verb + " 1, clic droit pour " + verb + " 10.";
}

struct Screen {
  Bricks bricks{};
  Selection selection{};
  int32_t currentBrickType = 5;
  EditorState state = initialEditorState();
  std::string helpText = "...";

  Screen() { resetSelection(selection); }
  std::string at(int x, int y) {
    EXPECT_EQ(handleMotion(x, y, selection, currentBrickType, state, bricks, helpText), 1);
    return helpText;
  }
};

struct RegionText {
  int left, top, right, bottom;
  std::string text;
};

} // namespace

TEST(HoverHelp, EachFixedRegionShowsItsTextUpToItsEdges) {
  const RegionText regions[] = {
      {25, 481, 401, 765, GridText},
      {801, 61, 934, 234, PaletteText},
      {801, 261, 934, 284, SpecialText},
      {475, 480, 491, 496, stepperText("Largeur entre les briques", "ajouter")},
      {495, 480, 511, 496, stepperText("Largeur entre les briques", "enlever")},
      {475, 500, 491, 516, stepperText("Hauteur entre les briques", "ajouter")},
      {495, 500, 511, 516, stepperText("Hauteur entre les briques", "enlever")},
      {475, 540, 491, 556,
       stepperText("Positionnement horizontal par rapport \340 une brique", "ajouter")},
      {495, 540, 511, 556,
       stepperText("Positionnement horizontal par rapport \340 une brique", "enlever")},
      {475, 560, 491, 576,
       stepperText("Positionnement vertical par rapport \340 une brique", "ajouter")},
      {495, 560, 511, 576,
       stepperText("Positionnement vertical par rapport \340 une brique", "enlever")},
      {571, 541, 632, 578, "Choisissez votre positionnement relatif."},
      {801, 351, 929, 374, ClearText},
      {801, 381, 929, 404, SaveText},
  };
  Screen screen;
  for (const RegionText &region : regions) {
    const int midX = (region.left + region.right) / 2, midY = (region.top + region.bottom) / 2;
    EXPECT_EQ(screen.at(region.left, region.top), region.text) << region.left;
    EXPECT_EQ(screen.at(region.right, region.bottom), region.text) << region.left;
    EXPECT_EQ(screen.at(midX, midY), region.text) << region.left;
    EXPECT_NE(screen.at(region.left - 1, midY), region.text) << region.left;
    EXPECT_NE(screen.at(region.right + 1, midY), region.text) << region.left;
    EXPECT_NE(screen.at(midX, region.top - 1), region.text) << region.left;
    EXPECT_NE(screen.at(midX, region.bottom + 1), region.text) << region.left;
  }
}

TEST(HoverHelp, OverNoRegionTheLineIsEmpty) {
  Screen screen;
  EXPECT_EQ(screen.at(10, 10), "");
  // "Ouvrir niveau" has no help text.
  EXPECT_EQ(screen.at(850, 420), "");
  EXPECT_EQ(screen.at(1000, 700), "");
  // Beside the pattern grid's first column and above its first row.
  EXPECT_EQ(screen.at(24, 600), "");
  EXPECT_EQ(screen.at(200, 480), "");
}

TEST(HoverHelp, ClearWarningReachesBelowTheClickRegion) {
  Screen screen;
  EXPECT_EQ(screen.at(850, 372), ClearText);
  EXPECT_EQ(screen.at(850, 375), "");
}

TEST(HoverHelp, PlacementAreaTextDependsOnDirectionAndType) {
  Screen screen;
  EXPECT_EQ(screen.at(100, 100), AtPointerText);
  screen.state.relativeX = 1;
  EXPECT_EQ(screen.at(100, 100), BesideBrickText);
  screen.state.relativeX = 0;
  screen.state.relativeY = -1;
  EXPECT_EQ(screen.at(100, 100), BesideBrickText);
  screen.currentBrickType = 0;
  EXPECT_EQ(screen.at(100, 100), EraseText);
  screen.state.relativeY = 0;
  EXPECT_EQ(screen.at(100, 100), EraseText);
}

TEST(HoverHelp, PlacementAreaFollowsThePatternSize) {
  Screen screen;
  EXPECT_EQ(screen.at(24, 30), AtPointerText);
  EXPECT_EQ(screen.at(736, 450), AtPointerText);
  EXPECT_EQ(screen.at(737, 100), "");
  EXPECT_EQ(screen.at(500, 451), "");
  EXPECT_EQ(screen.at(23, 100), "");
  EXPECT_EQ(screen.at(100, 29), "");
  screen.state.patternWidth = 200;
  screen.state.patternHeight = 100;
  EXPECT_EQ(screen.at(576, 370), AtPointerText);
  EXPECT_EQ(screen.at(577, 100), "");
  EXPECT_EQ(screen.at(100, 371), "");
  // A pattern wider than the level leaves no placement area at all.
  screen.state.patternWidth = 753;
  screen.state.patternHeight = 20;
  EXPECT_EQ(screen.at(24, 30), "");
  screen.state.patternWidth = 40;
  screen.state.patternHeight = 441;
  EXPECT_EQ(screen.at(24, 30), "");
}

TEST(HoverHelp, DialogBoxTextDependsOnTheMode) {
  Screen screen;
  EXPECT_EQ(screen.at(500, 300), AtPointerText);
  screen.state.mode = EnteringLevelName;
  EXPECT_EQ(screen.at(500, 300), LevelNameText);
  screen.state.mode = EnteringAuthorName;
  EXPECT_EQ(screen.at(500, 300), AuthorText);
  screen.state.mode = BrowsingLevels;
  EXPECT_EQ(screen.at(500, 300), BrowserText);
  // Beyond the placement area but inside the dialog box.
  EXPECT_EQ(screen.at(500, 460), BrowserText);
  screen.state.mode = Editing;
  EXPECT_EQ(screen.at(500, 460), "");

  screen.state.mode = EnteringAuthorName;
  EXPECT_EQ(screen.at(251, 271), AuthorText);
  EXPECT_EQ(screen.at(749, 479), AuthorText);
  EXPECT_EQ(screen.at(250, 300), AtPointerText);
  EXPECT_EQ(screen.at(750, 300), "");
  EXPECT_EQ(screen.at(500, 270), AtPointerText);
  EXPECT_EQ(screen.at(600, 480), "");
  // Other help texts still show in the dialog modes.
  EXPECT_EQ(screen.at(850, 390), SaveText);
}

TEST(HoverHelp, LevelNameTextHasTwoBlanksBeforeVotre) {
  Screen screen;
  screen.state.mode = EnteringLevelName;
  const std::string text = screen.at(500, 300);
  EXPECT_NE(text.find("\340  votre"), std::string::npos);
  EXPECT_EQ(text.size(), std::strlen("Saisissez le nom a donner a  votre niveau..."));
}

TEST(HoverHelp, EveryMotionReplacesTheLine) {
  Screen screen;
  EXPECT_EQ(screen.at(850, 390), SaveText);
  EXPECT_EQ(screen.at(10, 10), "");
  screen.helpText = "...";
  EXPECT_EQ(screen.at(10, 10), "");
}
