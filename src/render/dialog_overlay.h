#pragma once
// The dialogs of the name-entry and browsing modes, over the editor picture dimmed to half.

#include "render/frame.h"

// Dims the editor picture that drawFrame drew on backSurface onto the screen at half intensity
// (without a backSurface the picture is on the screen and stays undimmed), then draws the grey
// dialog box with the prompts and fields, or with the visible level names.
void drawDialogOverlay(const RenderResources &resources, const Editor &editor);

// The slice of levelList the browser shows: names [first, end). With ten names or fewer all
// of them whatever browserScroll holds; otherwise ten from browserScroll, cut at the list's
// end. A scroll left out of range (a list rebuilt shorter, a negative value) never reaches
// past either end.
struct VisibleNames {
  std::size_t first;
  std::size_t end;
};
VisibleNames visibleLevelNames(std::size_t count, int32_t browserScroll);
