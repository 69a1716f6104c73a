#include "storage/resume_record.h"

#include "storage/atomic_file.h"
#include "storage/file_bytes.h"

#include <sstream>
#include <unistd.h>

namespace {

std::string recordPath(const std::string &levelDirectory) {
  return levelDirectory + ".reprise";
}

} // namespace

// One field a line: names hold no line end (text_field.h).
bool writeResumeRecord(const std::string &levelDirectory, const ResumeRecord &record) {
  return writeFileAtomically(recordPath(levelDirectory), record.keptFile + "\n" + record.levelName +
                                                             "\n" + record.author + "\n")
             .failedStep == FileStep::None;
}

bool takeResumeRecord(const std::string &levelDirectory, ResumeRecord &record) {
  std::string bytes;
  if (readFileBytes(recordPath(levelDirectory), bytes) != FileRead::Done)
    return false;
  unlink(recordPath(levelDirectory).c_str());
  std::istringstream lines(bytes);
  return std::getline(lines, record.keptFile) && std::getline(lines, record.levelName) &&
         std::getline(lines, record.author);
}
