#pragma once
// TIDERUSH: the game's public interface.

namespace tiderush {

// The game's entry: starts the engine modules and runs the game. Returns the
// process exit status.
int GameMain();

}  // namespace tiderush
