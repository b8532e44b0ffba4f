#pragma once
// The stream family: a byte stream with a position, read and written in counted blocks.
#include <cstdint>
#include <string>

#include "toolkit/Exception.h"
#include "toolkit/Object.h"

namespace ql {

class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
public:
  explicit EReadError(std::string message = "Stream read error") : EStreamError(std::move(message)) {}
};
class EWriteError : public EStreamError {
public:
  explicit EWriteError(std::string message = "Stream write error") : EStreamError(std::move(message)) {}
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

enum TSeekOrigin : int32_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
public:
  const char* ClassName() const override { return "TStream"; }

  // Reads at most count bytes; returns how many were read.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  // Writes at most count bytes; returns how many were written.
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves the position; returns the new position.
  virtual int64_t Seek(int64_t offset, int32_t origin) = 0;
  virtual void SetSize(int64_t size);

  virtual int64_t Size();
  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
  // Bytes between the position and the end.
  int64_t Remaining();

  // Read-exactly: raises EReadError when fewer than count bytes are available.
  void ReadBuffer(void* buffer, int32_t count);
  // Write-exactly: raises EWriteError when fewer than count bytes were written.
  void WriteBuffer(const void* buffer, int32_t count);
  // Copies count bytes from source (the whole source from its start when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

}  // namespace ql
