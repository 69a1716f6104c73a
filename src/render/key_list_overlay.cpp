#include "render/key_list_overlay.h"

#include "help/key_list.h"
#include "render/dialog_overlay.h"
#include "render/draw_primitives.h"

void drawKeyList(const RenderResources &resources) {
  dimScreen(resources.screen, resources.backSurface);
  fillBox(resources.screen, KeyListBox, Grey);
  for (int row = 0; row < KeyListRows; ++row)
    drawText(resources.screen, resources.font, KeyListLines[row], White,
             KeyListBox.x + KeyListInset, KeyListBox.y + KeyListInset + KeyListLineStep * row);
}
