#pragma once
// Failures of the compressor and the texts it reports them with. The texts are shown to the user
// as they stand, including their spacing and spelling.
#include "toolkit/Exception.h"

namespace ql {

// Any failure of a compression, decompression or advice.
class ECompressorException : public Exception {
public:
  using Exception::Exception;
};

// A failure inside the LZH coder: its tables, a truncated bit stream, a wrong size.
class ElzhException : public ECompressorException {
public:
  using ECompressorException::ECompressorException;
};

// A failure inside the Compressor/KH coder: a truncated or malformed chunk, a wrong size.
class EkhException : public ECompressorException {
public:
  using ECompressorException::ECompressorException;
};

namespace CompressorText {

inline constexpr char kWriteStream[] = "Compressor : Error writing to output stream !";
inline constexpr char kWriteFile[] = "Compressor : Error writing to output file : ";
inline constexpr char kReadStream[] = "Compressor : Error reading from input stream !";
inline constexpr char kReadFile[] = "Compressor : Error reading from input file : ";
inline constexpr char kKhSuffix[] = " (Compressor/KH)";
inline constexpr char kLzhSuffix[] = " (LZH)";
inline constexpr char kKhSizeMismatch[] =
    "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !";
inline constexpr char kLzhSizeMismatch[] =
    "Compressor (LZH decompression) : Original and compressed sizes do not match !";
// A chunk whose items do not decode (unknown chunk flag, copy before the block start, block overrun).
inline constexpr char kKhCorrupt[] = "Compressor (decompression Compressor/KH) : Compressed data is corrupt !";
inline constexpr char kNoBuffers[] = "Compressor (de)compression : Failed to get memory for I/O buffers !";
inline constexpr char kNoStreamSize[] = "Compressor compression : Failed to obtain the size of the input stream !";
inline constexpr char kNoFileSize[] = "Compressor compression : Failed to obtain the size of : ";
inline constexpr char kInitInput[] = "Compressor (de)compression : Failed to initialize input stream !";
inline constexpr char kInitOutput[] = "Compressor (de)compression : Failed to initialize output stream !";
inline constexpr char kOpenInput[] = "Compressor (de)compression : Failed to open input file : ";
inline constexpr char kOpenOutput[] = "Compressor (de)compression : Failed to open output file : ";
inline constexpr char kNoHeaderStream[] = "Compressor decompression : input stream contains no valid header !";
inline constexpr char kNoHeaderFile[] = " : Compressor decompression : this file has no valid header !";
inline constexpr char kLzhNoTables[] = "LZH : Cannot get memory for dictionary tables";
inline constexpr char kLzhFreeTables[] = "LZH : Error freeing memory for dictionary tables";
inline constexpr char kAdviseNoBuffers[] = "Compressor advise : Error getting I/O buffers";
inline constexpr char kAdviseNoStreamSize[] = "Compressor advise : can not get size of inputstream !";
inline constexpr char kAdviseNoFileSize[] = "Compressor advise : can not get the size of : ";
inline constexpr char kAdviseInitInput[] = "Compressor edvise : can not initialize the input stream!";
inline constexpr char kAdviseOpenInput[] = "Compressor advise : can open input file : ";
inline constexpr char kAdviseReadStream[] = "Compressor advise : input stream read error !";
inline constexpr char kAdviseReadFile[] = "Compressor advise : read error on input file : ";

}  // namespace CompressorText
}  // namespace ql
