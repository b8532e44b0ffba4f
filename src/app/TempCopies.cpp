#include "app/TempCopies.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/FileNames.h"
#include "toolkit/Stream.h"

namespace ql {
namespace {

// Enough for any folder a person works in; bounds the search in a folder full of old copies.
constexpr int MaxCandidates = 10000;

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string TTempCopies::Make(const std::string& fileName, const std::string& bytes) {
  for (int n = 0; n < MaxCandidates; ++n) {
    const std::string name = TempCopyName(fileName, n);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;  // someone's file, or the other copy of this run
      throw EFCreateError(Format("Cannot create file \"%s\". %s", name.c_str(), std::strerror(errno)));
    }
    const bool written = WriteAll(fd, bytes);
    const int writeErrno = errno;
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
      ::unlink(name.c_str());
      throw EWriteError(Format("Cannot write file \"%s\". %s", name.c_str(),
                               std::strerror(written ? errno : writeErrno)));
    }
    if (!known) ::lstat(name.c_str(), &st);
    copies_.push_back({name, fileName, st.st_dev, st.st_ino, st.st_ctim, st.st_size});
    return name;
  }
  throw EFCreateError(Format("Cannot create file \"%s\". Too many temporary copies exist",
                             TempCopyName(fileName, 0).c_str()));
}

void TTempCopies::RemoveAll() {
  for (const TCopy& copy : copies_) {
    // A file saved over the copy's name since it was written is the user's now: leave it.
    struct stat st {};
    if (::lstat(copy.Name.c_str(), &st) == 0 && st.st_dev == copy.Device && st.st_ino == copy.Inode &&
        st.st_ctim.tv_sec == copy.Changed.tv_sec && st.st_ctim.tv_nsec == copy.Changed.tv_nsec &&
        st.st_size == copy.Size) {
      ::unlink(copy.Name.c_str());
    }
  }
  copies_.clear();
}

std::vector<std::string> TTempCopies::Names() const {
  std::vector<std::string> names;
  for (const TCopy& copy : copies_) names.push_back(copy.Name);
  return names;
}

std::vector<std::string> TTempCopies::OriginalNames() const {
  std::vector<std::string> names;
  for (const TCopy& copy : copies_) names.push_back(copy.Original);
  return names;
}

}  // namespace ql
