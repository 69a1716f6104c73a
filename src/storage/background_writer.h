#pragma once
// One file of the backup folder kept up to date off the event loop, so that a slow disk never
// holds up a frame: the loop hands over the bytes and goes on, and a thread of its own writes
// them (atomic_file.h) or removes the file. Only the latest request counts: one still waiting
// is replaced by the next.

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

enum class BackgroundOutcome { None, Written, Failed };

struct BackgroundWriter {
  // The level directory ("niv/") and the file's name in its backup folder.
  std::string levelDirectory;
  std::string fileName;

  // Shared with the thread, under the mutex: the request waiting, the end of the run, and the
  // outcome of the last write not yet taken, with why it failed.
  std::mutex mutex;
  std::condition_variable wake;
  bool requested = false;
  bool removal = false;
  std::string bytes;
  bool stopping = false;
  // The thread is carrying out a request.
  bool working = false;
  BackgroundOutcome outcome = BackgroundOutcome::None;
  std::string reason;

  std::thread thread;
  ~BackgroundWriter();
};

// Starts the thread, with every signal blocked in it: signals are the event loop's to handle.
void startBackgroundWriter(BackgroundWriter &writer);

// Asks for the file to hold bytes. Without the level directory nothing is written, and nothing
// is said.
void requestWrite(BackgroundWriter &writer, std::string bytes);

// Asks for the file to be removed.
void requestRemoval(BackgroundWriter &writer);

// The outcome of the last write carried out since the last call (None when there was none),
// and on Failed why, in a few French words.
BackgroundOutcome takeOutcome(BackgroundWriter &writer, std::string &reason);

// A request is waiting or being carried out: its outcome is yet to come.
bool backgroundWriterBusy(BackgroundWriter &writer);

// Carries out the request still waiting, if any, then ends the thread. Nothing once stopped.
void stopBackgroundWriter(BackgroundWriter &writer);
