#pragma once
// The temporary copies of unsaved documents that one transformation hands to the processor.
// Each copy lies next to its document (so relative references from it still resolve), gets a
// name no existing file has, and is removed when the set is destroyed, however the run ends.
#include <sys/types.h>
#include <time.h>

#include <string>
#include <vector>

namespace ql {

class TTempCopies {
public:
  TTempCopies() = default;
  ~TTempCopies() { RemoveAll(); }
  TTempCopies(const TTempCopies&) = delete;
  TTempCopies& operator=(const TTempCopies&) = delete;

  // Writes bytes, unchanged, to a new file named after fileName ("NAME__~tmp.EXT", or the first
  // free "NAME__~tmpN.EXT" when that name is taken) and returns its full name. Never replaces an
  // existing file. Raises EFCreateError or EWriteError when the copy cannot be written.
  std::string Make(const std::string& fileName, const std::string& bytes);
  // Deletes every copy that is still the file this set wrote; failures are not reported.
  void RemoveAll();
  std::vector<std::string> Names() const;
  // The fileName each copy was made for, in the order of Names.
  std::vector<std::string> OriginalNames() const;

private:
  // A copy is still ours while the same file (device and inode) stands under its name and has
  // not been changed since (status-change time and size).
  struct TCopy {
    std::string Name;
    std::string Original;
    dev_t Device;
    ino_t Inode;
    struct timespec Changed;
    off_t Size;
  };
  std::vector<TCopy> copies_;
};

}  // namespace ql
