#pragma once
// One description file as a parser half reads it: its whole text, the field
// reader over it, and what consuming it means (deleted after reading by the
// one-shot program, kept by the authoring tool).

#include <cstddef>
#include <optional>
#include <string>

#include "compiler/field_reader.h"

namespace compiler {

// Where a recorded error comes from: the file, the 1-based line of the
// record's keyword, that line's text and the keyword's column (0-based).
struct ErrorSource {
  std::string file;
  int line = 0;
  std::string source_line;
  std::size_t column = 0;
};

class DescriptionFile {
 public:
  DescriptionFile(std::string path, bool consume) : path_(std::move(path)), consume_(consume) {}
  // The reader points into the text held here.
  DescriptionFile(const DescriptionFile&) = delete;
  DescriptionFile& operator=(const DescriptionFile&) = delete;

  const std::string& path() const { return path_; }
  bool exists() const;
  // Reads the whole file; throws platform::FileError when it cannot be read.
  // A missing file reads as FileError too (the caller tests exists() first
  // where a missing file has its own meaning).
  void open();
  bool is_open() const { return open_; }
  FieldReader& reader() { return reader_; }

  // Notes that a record starts at the field just read; errors point there.
  void mark_record() { record_start_ = reader_.field_start(); }
  // Locates the record marked last. Counts lines only now, when an error
  // is being reported.
  ErrorSource locate_record() const;
  // Where a reading failure stands: the record marked last while the file is
  // open; nothing once it is closed, when the failure comes from the work
  // after the reading.
  std::optional<ErrorSource> locate_failure() const {
    return open_ ? std::optional<ErrorSource>(locate_record()) : std::nullopt;
  }

  // Closes the file and, when the file is consumed, deletes it. Safe to call
  // more than once, and on a file never opened.
  void close_and_delete();

 private:
  std::string path_;
  bool consume_;
  bool open_ = false;
  bool finished_ = false;
  std::string text_;
  FieldReader reader_{std::string_view{}};
  std::size_t record_start_ = 0;
};

}  // namespace compiler
