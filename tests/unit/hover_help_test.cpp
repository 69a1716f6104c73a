// The help line picked by mouse motion. Expected texts are written with octal escapes, apart
// from the code's hex ones, so that a hex escape swallowing a letter shows up here.

#include "editing_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string None;
const std::string AtPointer = "Clic gauche pour ajouter briques, clic droit pour modifier le "
                              "type, roulette pour changer la brique...";
const std::string BesideBrick =
    "Clic gauche sur une brique pour positionner vos briques, clic droit pour modifier le type, "
    "roulette pour changer la brique...";
const std::string Erase = "Clic droit sur une brique pour l'effacer...";
const std::string Clear = "Vous allez effacer votre niveau, attention !";
const std::string Save = "Cliquez pour sauvegarder votre niveau...";
const std::string LevelName = "Saisissez le nom \340 donner \340  votre niveau...";
const std::string Author = "Saisissez votre nom...";
const std::string Browser = "Cliquez sur le niveau \340 ouvrir, utilisez la roulette de la "
                            "souris pour faire d\351filer la liste.";

std::string stepper(const char *what, const char *verb) {
  return std::string(what) + " : clic gauche pour " + verb + " 1, clic droit pour " + verb + " 10.";
}

struct Screen : TestLevel {
  Screen() : TestLevel(5) {}
};

} // namespace

TEST(HoverHelp, EachFixedRegionShowsItsTextUpToItsEdges) {
  const char *horizontal = "Positionnement horizontal par rapport \340 une brique";
  const char *vertical = "Positionnement vertical par rapport \340 une brique";
  const struct {
    int left, top, right, bottom;
    std::string text;
  } regions[] = {
      {25, 481, 401, 765,
       "Clic gauche pour (d\351)s\351lectionner la brique, clic droit pour s\351lectionner "
       "toutes les briques jusque l\340..."},
      {801, 61, 934, 234,
       "Clic gauche pour s\351lectionner le type de brique (pour ajout ou changer le type). Le "
       "num\351ro est la dur\351e de vie de la brique..."},
      {801, 261, 934, 284,
       "Clic gauche pour s\351lectionner le type de brique sp\351ciale (incassable, dynamite ou "
       "invisible)..."},
      {475, 480, 491, 496, stepper("Largeur entre les briques", "ajouter")},
      {495, 480, 511, 496, stepper("Largeur entre les briques", "enlever")},
      {475, 500, 491, 516, stepper("Hauteur entre les briques", "ajouter")},
      {495, 500, 511, 516, stepper("Hauteur entre les briques", "enlever")},
      {475, 540, 491, 556, stepper(horizontal, "ajouter")},
      {495, 540, 511, 556, stepper(horizontal, "enlever")},
      {475, 560, 491, 576, stepper(vertical, "ajouter")},
      {495, 560, 511, 576, stepper(vertical, "enlever")},
      {571, 541, 632, 578, "Choisissez votre positionnement relatif."},
      {801, 351, 929, 374, Clear},
      {801, 381, 929, 404, Save}};
  Screen screen;
  for (const auto &r : regions) {
    SCOPED_TRACE(testing::Message() << r.left << "," << r.top);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    EXPECT_EQ(screen.at(r.left, r.top), r.text);
    EXPECT_EQ(screen.at(r.right, r.bottom), r.text);
    EXPECT_EQ(screen.at(midX, midY), r.text);
    EXPECT_NE(screen.at(r.left - 1, midY), r.text);
    EXPECT_NE(screen.at(r.right + 1, midY), r.text);
    EXPECT_NE(screen.at(midX, r.top - 1), r.text);
    EXPECT_NE(screen.at(midX, r.bottom + 1), r.text);
  }
}

TEST(HoverHelp, TextsThatDependOnTheModeDirectionAndType) {
  const int32_t Edit = Editing, Name = EnteringLevelName, Auth = EnteringAuthorName,
                Browse = BrowsingLevels;
  // In order: no region (beside the pattern grid, "Ouvrir niveau", below the warning); the
  // edges of the placement area, x 24..736 and y 30..450 for a single cell, and its texts; the
  // dialog box, whose text shows only in its modes and then over the placement area. Empty
  // texts follow others: every motion replaces the line.
  const struct {
    int x, y;
    int32_t mode, relX, relY, type;
    const std::string &text;
  } cases[] = {{10, 10, Edit, 0, 0, 5, None},          {24, 600, Edit, 0, 0, 5, None},
               {200, 480, Edit, 0, 0, 5, None},        {850, 372, Edit, 0, 0, 5, Clear},
               {850, 420, Edit, 0, 0, 5, None},        {850, 375, Edit, 0, 0, 5, None},
               {24, 30, Edit, 0, 0, 5, AtPointer},     {736, 450, Edit, 0, 0, 5, AtPointer},
               {737, 100, Edit, 0, 0, 5, None},        {500, 451, Edit, 0, 0, 5, None},
               {23, 100, Edit, 0, 0, 5, None},         {100, 29, Edit, 0, 0, 5, None},
               {100, 100, Edit, 1, 0, 5, BesideBrick}, {100, 100, Edit, 0, -1, 5, BesideBrick},
               {100, 100, Edit, 0, -1, 0, Erase},      {100, 100, Edit, 0, 0, 0, Erase},
               {500, 300, Edit, 0, 0, 5, AtPointer},   {500, 300, Name, 0, 0, 5, LevelName},
               {500, 300, Auth, 0, 0, 5, Author},      {500, 300, Browse, 0, 0, 0, Browser},
               {500, 460, Browse, 0, 0, 5, Browser},   {500, 460, Edit, 0, 0, 5, None},
               {251, 271, Auth, 0, 0, 5, Author},      {749, 479, Auth, 0, 0, 5, Author},
               {250, 300, Auth, 0, 0, 5, AtPointer},   {750, 300, Auth, 0, 0, 5, None},
               {500, 270, Auth, 0, 0, 5, AtPointer},   {600, 480, Auth, 0, 0, 5, None},
               {850, 390, Auth, 0, 0, 5, Save},        {10, 10, Auth, 0, 0, 5, None}};
  Screen screen;
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " mode " << c.mode);
    screen.state.mode = c.mode;
    screen.state.relativeX = c.relX;
    screen.state.relativeY = c.relY;
    screen.currentBrickType = c.type;
    EXPECT_EQ(screen.at(c.x, c.y), c.text);
  }
  // A bigger pattern shrinks the placement area: x 24..576 and y 30..370 for 200 by 100.
  screen.state = initialEditorState();
  screen.state.patternWidth = 200;
  screen.state.patternHeight = 100;
  EXPECT_EQ(screen.at(576, 370), AtPointer);
  EXPECT_EQ(screen.at(577, 100), None);
  EXPECT_EQ(screen.at(100, 371), None);
}
