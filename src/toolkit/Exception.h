#pragma once
// Root of every failure the program raises: an exception carrying a user-visible message.
#include <exception>
#include <string>

namespace ql {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
};

// Raised to abandon an operation without showing a message.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
};

// A value could not be converted (numbers, shortcut texts, colours).
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A list index outside the list.
class EListError : public Exception {
public:
  using Exception::Exception;
};

}  // namespace ql
