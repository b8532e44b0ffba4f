#pragma once
// A stream over a file, by POSIX descriptor.
#include <string>

#include "toolkit/Stream.h"

namespace ql {

enum TFileMode : uint32_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmCreate = 0xFF00,  // create, or truncate an existing file; open for reading and writing
};

class TFileStream : public TStream {
public:
  // Raises EFOpenError or EFCreateError with the system's reason when the file cannot be opened.
  TFileStream(const std::string& fileName, uint32_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  const char* ClassName() const override { return "TFileStream"; }

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, int32_t origin) override;
  void SetSize(int64_t size) override;

  // Forces written data to the disk; raises EWriteError when that fails.
  void Flush();
  // Closes the descriptor now; raises EWriteError when the close reports a failed write.
  void Close();

  const std::string& FileName() const { return fileName_; }
  int Handle() const { return fd_; }

private:
  std::string fileName_;
  int fd_ = -1;
};

bool FileExists(const std::string& fileName);

}  // namespace ql
