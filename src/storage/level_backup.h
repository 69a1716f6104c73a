#pragma once
// Earlier versions of the levels and unsaved work, kept in the folder ".backup/" of the level
// directory so that neither a save over a level nor a quit ever loses one. The folder's name
// does not end in ".lvbk", so the browser never lists it; it is created when missing, but the
// level directory itself never is.
//
// A kept file is named NAME.YYYYMMDD-HHMMSS.lvbk after the local time now; a second file of
// the same name within the same second gets "-2", then "-3"... before ".lvbk", so names sort
// by time and then by suffix. Each file is written like a level (atomic_file.h).

#include <cstddef>
#include <ctime>
#include <string>

// How many earlier versions of one level name are kept.
constexpr std::size_t KeptVersions = 10;

// The name under which unsaved work is kept.
constexpr char RecoveryName[] = "non-sauvegarde";

// levelDirectory + ".backup/"; levelDirectory ends in a slash, or is "" for the working one.
std::string backupDirectory(const std::string &levelDirectory);

// When levelDirectory + levelName + ".lvbk" is a file whose bytes are not newBytes, copies them
// to the backup folder as the newest version of levelName, then removes that name's versions
// older than the ten most recent (by name, not by modification time; the copy just made is
// never removed). Returns true when the copy is safely on disk or there was nothing to keep;
// false otherwise, with reason saying why in a few French words (UTF-8), e.g. "disque plein".
bool keepPreviousVersion(const std::string &levelDirectory, const std::string &levelName,
                         const std::string &newBytes, std::time_t now, std::string &reason);

// Writes bytes (a level, see level_format.h) as backup folder + "non-sauvegarde." + time +
// ".lvbk". Returns the path written; on failure returns "" and sets error to a French message
// (UTF-8, no line end) ready to print. Recovery files are never removed here.
std::string writeRecoveryFile(const std::string &bytes, const std::string &levelDirectory,
                              std::time_t now, std::string &error);

// Moves the file at path into the backup folder (created when missing) as the newest version of
// name stamped with the local time when, never over a file already there. Returns the new path;
// on failure "" with reason saying why in a few French words, or reason "" when the file was
// gone (another editor took it first).
std::string moveIntoBackup(const std::string &path, const std::string &levelDirectory,
                           const std::string &name, std::time_t when, std::string &reason);

// Writes bytes atomically as the backup folder's file fileName, the folder created when
// missing. Returns "" once it is on disk, else the reason in a few French words.
std::string writeBackupFile(const std::string &levelDirectory, const std::string &fileName,
                            const std::string &bytes);
