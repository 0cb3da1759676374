#pragma once
// One description file as a parser half reads it: its name and bytes, held
// in memory (the caller reads the file), the field reader over them, where
// the current record and its fields start, and whether the reading consumed
// it (the one-shot program deletes a consumed file; the authoring tool keeps
// its inputs).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "reading/diagnostics.h"
#include "reading/field_reader.h"
#include "reading/records.h"

namespace compiler {

// What the caller found when it read a description file.
enum class SourceState { kRead, kMissing, kUnreadable };

// A description file's name (as the caller names it in diagnostics) and its
// bytes.
struct SourceText {
  std::string name;
  std::string bytes;
  SourceState state = SourceState::kRead;
  std::string reason;  // why it could not be read
};

// A description held in memory under name.
inline SourceText in_memory(std::string name, std::string bytes) {
  SourceText source;
  source.name = std::move(name);
  source.bytes = std::move(bytes);
  return source;
}

// A description as read from path, through the platform's one function for
// reading input files. Never throws: a file that cannot be read is a
// SourceText saying why.
SourceText read_source(const std::string& path);

class DescriptionFile {
 public:
  explicit DescriptionFile(const SourceText& source) : source_(source) {}
  // The reader points into the source held by the caller.
  DescriptionFile(const DescriptionFile&) = delete;
  DescriptionFile& operator=(const DescriptionFile&) = delete;

  const std::string& name() const { return source_.name; }
  const SourceText& source() const { return source_; }
  bool exists() const { return source_.state != SourceState::kMissing; }
  bool readable() const { return source_.state == SourceState::kRead; }
  // Starts the reading; the file must be readable.
  void open();
  bool is_open() const { return open_; }
  FieldReader& reader() { return reader_; }
  const FieldReader& reader() const { return reader_; }

  // Fields of the current record, each noted where it starts.
  std::int32_t int32() { return note(reader_.read_int32()); }
  std::int16_t int16() { return note(reader_.read_int16()); }
  std::uint8_t byte() { return note(reader_.read_byte()); }
  std::string text() { return note(reader_.read_text()); }

  // A record starts at the field just read: its keyword.
  void mark_record(const RecordSpec* spec = nullptr) {
    record_start_ = reader_.field_start();
    fields_.clear();
    values_.clear();
    spec_ = spec;
    spec_first_field_ = 0;
    record_failed_ = false;
  }
  // Names the record kind of the record marked last, once its keyword is matched.
  // The fields read from now on belong to it (a keyword may match two kinds,
  // each reading its own fields in turn).
  void set_record_spec(const RecordSpec* spec) {
    spec_ = spec;
    spec_first_field_ = fields_.size();
  }
  const RecordSpec* record_spec() const { return spec_; }
  // Field index of the record kind's first field among the record's fields.
  std::size_t spec_first_field() const { return spec_first_field_; }
  // The value of numeric field index as read (0 for a text field).
  std::int64_t field_value(std::size_t index) const { return index < values_.size() ? values_[index] : 0; }
  // An error was reported at the record being read: its fields are not
  // looked at for warnings.
  void mark_failed() { record_failed_ = true; }
  bool record_failed() const { return record_failed_; }
  std::size_t record_start() const { return record_start_; }
  // Where field index of the current record starts; the keyword's place for
  // a field not read yet.
  std::size_t field_offset(std::size_t index) const {
    return index < fields_.size() ? fields_[index] : record_start_;
  }
  std::size_t fields_read() const { return fields_.size(); }
  // The name of field index of the current record, or "field N".
  std::string field_name(std::size_t index) const;

  // A diagnostic at byte offset of this file.
  Diagnostic diagnostic_at(std::size_t offset, Severity severity, ErrorKind kind, std::string message) const;
  // The line of offset, and where that line ends.
  int line_of(std::size_t offset) const { return lines().line_of(offset); }
  std::size_t line_end(std::size_t offset) const { return lines().line_end(offset); }
  // A warning of rule at byte offset of this file.
  Diagnostic warning_at(std::size_t offset, WarningRule rule, std::string message) const;
  // A diagnostic about the whole file.
  Diagnostic diagnostic_for_file(Severity severity, ErrorKind kind, std::string message) const;
  Diagnostic warning_for_file(WarningRule rule, std::string message) const;

  // The reading is over: the file is consumed. Safe to call more than once,
  // and on a file never opened.
  void close_and_delete() {
    open_ = false;
    consumed_ = true;
  }
  bool consumed() const { return consumed_; }

 private:
  template <typename T>
  T note(T value) {
    fields_.push_back(reader_.field_start());
    if constexpr (std::is_integral_v<T>) {
      values_.push_back(value);
    } else {
      values_.push_back(0);
    }
    return value;
  }
  const LineIndex& lines() const;

  const SourceText& source_;
  bool open_ = false;
  bool consumed_ = false;
  FieldReader reader_{std::string_view{}};
  std::size_t record_start_ = 0;
  std::vector<std::size_t> fields_;
  std::vector<std::int64_t> values_;
  const RecordSpec* spec_ = nullptr;
  std::size_t spec_first_field_ = 0;
  bool record_failed_ = false;
  mutable std::unique_ptr<LineIndex> lines_;  // built at the first diagnostic
};

}  // namespace compiler
