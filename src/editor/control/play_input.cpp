#include "editor/control/play_input.h"

void startPlay(Editor &editor) {
  editor.play.emplace(Play{startGame(editor.bricks, editor.state.brickCount)});
  editor.play->id = ++editor.playsStarted;
}

namespace {

// A click or Space: serves, or once the game is over starts the level again, ball waiting.
void serveOrPlayAgain(Editor &editor) {
  Play &play = *editor.play;
  if (gameOver(play.game))
    play.game = startGame(editor.bricks, editor.state.brickCount);
  else
    play.serve = true;
}

} // namespace

void handlePlayInput(const InputEvent &event, Editor &editor) {
  Play &play = *editor.play;
  switch (event.kind) {
  case InputKind::Motion:
  case InputKind::ButtonDown:
  case InputKind::ButtonUp:
    editor.mouseX = event.x;
    editor.mouseY = event.y;
    if (event.kind == InputKind::ButtonDown && event.button == MouseLeft)
      serveOrPlayAgain(editor);
    break;
  case InputKind::KeyDown:
    if (event.key == Key::Space)
      serveOrPlayAgain(editor);
    else if (event.key == Key::A && !event.ctrl)
      play.autopilot = !play.autopilot;
    else if (event.key == Key::Escape || (event.key == Key::T && !event.ctrl))
      editor.play.reset();
    break;
  case InputKind::Quit:
    editor.quitRequested = true;
    break;
  case InputKind::None:
    break;
  }
}

void advancePlay(Editor &editor, uint32_t now) {
  Play &play = *editor.play;
  if (!play.clockStarted) {
    play.clock = now;
    play.clockStarted = true;
  }
  for (; play.clock != now; ++play.clock) {
    advanceTick(play.game, TickInput{editor.mouseX, play.serve, play.autopilot});
    play.serve = false;
  }
}
