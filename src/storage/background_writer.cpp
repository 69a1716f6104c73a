#include "storage/background_writer.h"

#include "storage/level_backup.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The thread: one request at a time, taken under the lock and carried out outside it, so that
// the loop is never kept waiting by the disk.
void serve(BackgroundWriter &writer) {
  std::unique_lock<std::mutex> lock(writer.mutex);
  for (;;) {
    writer.wake.wait(lock, [&] { return writer.requested || writer.stopping; });
    if (!writer.requested)
      return;
    writer.requested = false;
    writer.working = true;
    const bool removal = writer.removal;
    const std::string bytes = std::move(writer.bytes);
    lock.unlock();
    struct stat info {};
    std::string reason;
    const bool directory = stat(writer.levelDirectory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (removal)
      unlink((backupDirectory(writer.levelDirectory) + writer.fileName).c_str());
    else if (directory)
      reason = writeBackupFile(writer.levelDirectory, writer.fileName, bytes);
    lock.lock();
    writer.working = false;
    if (!removal && directory) {
      writer.outcome = reason.empty() ? BackgroundOutcome::Written : BackgroundOutcome::Failed;
      writer.reason = reason;
    }
  }
}

void request(BackgroundWriter &writer, bool removal, std::string bytes) {
  {
    const std::lock_guard<std::mutex> lock(writer.mutex);
    writer.requested = true;
    writer.removal = removal;
    writer.bytes = std::move(bytes);
  }
  writer.wake.notify_one();
}

} // namespace

BackgroundWriter::~BackgroundWriter() {
  stopBackgroundWriter(*this);
}

void startBackgroundWriter(BackgroundWriter &writer) {
  // The thread inherits the mask in force when it is created.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous);
  writer.thread = std::thread(serve, std::ref(writer));
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void requestWrite(BackgroundWriter &writer, std::string bytes) {
  request(writer, false, std::move(bytes));
}

void requestRemoval(BackgroundWriter &writer) {
  request(writer, true, "");
}

BackgroundOutcome takeOutcome(BackgroundWriter &writer, std::string &reason) {
  const std::lock_guard<std::mutex> lock(writer.mutex);
  reason = writer.reason;
  return std::exchange(writer.outcome, BackgroundOutcome::None);
}

bool backgroundWriterBusy(BackgroundWriter &writer) {
  const std::lock_guard<std::mutex> lock(writer.mutex);
  return writer.requested || writer.working;
}

void stopBackgroundWriter(BackgroundWriter &writer) {
  if (!writer.thread.joinable())
    return;
  {
    const std::lock_guard<std::mutex> lock(writer.mutex);
    writer.stopping = true;
  }
  writer.wake.notify_one();
  writer.thread.join();
}
