#include "storage/level_preview.h"

#include "storage/browser_highlight.h"
#include "storage/level_parser.h"

void refreshBrowserPreview(BrowserPreview &preview, const Editor &editor,
                           const LevelBytesReader &read, const std::string &levelDirectory) {
  const int64_t index = highlightedLevel(editor);
  if (index < 0) {
    preview.nameIndex = -1;
    preview.fileName.clear();
    return;
  }
  const std::string &name = editor.levelList[static_cast<std::size_t>(index)];
  if (index == preview.nameIndex && name == preview.fileName)
    return;

  preview.nameIndex = index;
  preview.fileName = name;
  // What the file holds, on an empty level: slots it names but does not fill stay empty.
  preview.bricks = Bricks{};
  preview.brickCount = 0;
  preview.author.clear();
  std::string bytes;
  preview.readable = read(levelDirectory + name, bytes) == FileRead::Done;
  if (preview.readable) {
    const LevelParse parse =
        parseLevelBytes(bytes.data(), bytes.size(), preview.bricks, preview.brickCount);
    preview.readable = !parse.refused;
    preview.author = parse.authorWord;
  }
}

const BrowserPreview *shownBrowserPreview(const Editor &editor) {
  const BrowserPreview &preview = editor.browserPreview;
  const int64_t index = highlightedLevel(editor);
  if (index < 0 || index != preview.nameIndex ||
      editor.levelList[static_cast<std::size_t>(index)] != preview.fileName)
    return nullptr;
  return &preview;
}

std::string previewAuthorText(const std::string &author) {
  return author.empty() ? "Auteur inconnu" : "Auteur : " + author;
}

std::string previewCountText(int32_t brickCount) {
  return std::to_string(brickCount) + (brickCount > 1 ? " briques" : " brique");
}

std::string previewCaption(const std::string &author, int32_t brickCount) {
  return previewAuthorText(author) + "  -  " + previewCountText(brickCount);
}
