#pragma once
// The level file: the brick count, one "x;y;type" line per brick, then the author's name with
// no line end. Lines end in CR LF on every platform; the reader also takes LF alone.

#include "editor/editor_state.h"
#include "storage/file_bytes.h"
#include "storage/level_format.h"

#include <ctime>
#include <string>

// Writes levelDirectory + levelName + ".lvbk" (formatLevel's bytes) so that nothing is ever
// lost. Returns 1 once the level is on disk; 0 when there are no bricks (nothing written, kept
// or printed) and after a failure, which it prints with no line end and hands back in failure.
//
// The new level is first written to a temporary file beside the level file and synced
// (atomic_file.h); then the level it replaces, if any and if it differs, is copied to the backup
// folder (level_backup.h, versions named after now); only then is the temporary file renamed
// over the level file. On any failure the temporary file is removed, the level file stays as it
// was, and one message (UTF-8) is printed:
//   "Impossible d'ouvrir le fichier <path>" when the file cannot be created; when the level
//     directory does not exist (it is never created), followed by " : le dossier <dir>
//     n'existe pas ; rien n'a été enregistré, ni le niveau ni une copie de secours",
//   "Impossible d'écrire le fichier <path>" when writing or replacing it fails,
//   "Impossible de garder l'ancienne version de <path> dans <dir>.backup/ (<reason>) : niveau
//     non enregistré, le fichier existant est intact" when the previous level cannot be kept.
// The level file gets the permissions a plain fopen would give it (0666 less the umask).
int saveLevel(const EditorState &state, const Bricks &bricks, const std::string &levelName,
              const std::string &authorName, const std::string &levelDirectory = LevelDirectory,
              std::time_t now = std::time(nullptr), std::string *failure = nullptr);

// Reads a level file token by token into bricks and brickCount, echoing the author's word to
// standard output. Returns false when the file cannot be opened or holds a count outside
// 0..396; bricks and brickCount are then unchanged.
//
// The reads, in order: "%d" into brickCount; for each slot below the count, "%d;%d;%d" then
// white space; then one word, echoed. A read stores what it matched before the first
// character that does not fit; the next read starts at that character, so one misplaced
// character usually stops every later brick at the same place. Precisely:
// - White space is blank, tab, CR, LF, vertical tab and form feed; each integer skips it first,
//   the ";" between fields does not.
// - A sign with no digit after it matches nothing; the sign is used up and the next read
//   starts at the character after it.
// - A number outside the signed 32-bit range does not fit: it matches nothing, and the next
//   read starts at its first character (sign or digit), so it may come back as the echoed word.
// - A count above 396 or below 0 refuses the whole file with a message ("Niveau refusé : ...")
//   and no echo. A count that is not matched keeps the old brickCount.
// - The author's word is echoed up to its first 127 characters; the rest of it is skipped.
// - A file that opens but cannot be read (a directory, an I/O error) is reported like one that
//   cannot be opened, with "Impossible de lire le fichier <path>".
// The echoed word is also handed back in author when given.
bool readLevelFile(const std::string &path, Bricks &bricks, EditorState &state,
                   std::string *author = nullptr);
