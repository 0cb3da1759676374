#include "compiler/description_file.h"

#include <algorithm>

#include "platform/files.h"

namespace compiler {

bool DescriptionFile::exists() const { return platform::file_exists(path_); }

void DescriptionFile::open() {
  auto content = platform::read_file(path_);
  if (!content) throw platform::FileError(path_, "No such file or directory");
  text_ = std::move(*content);
  reader_ = FieldReader(text_);
  open_ = true;
}

ErrorSource DescriptionFile::locate_record() const {
  ErrorSource source;
  source.file = path_;
  const std::size_t at = std::min(record_start_, text_.size());
  std::size_t line_begin = 0;
  int line = 1;
  for (std::size_t i = 0; i < at; ++i) {
    const char c = text_[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
      ++line;
      line_begin = i + 1;
    }
  }
  std::size_t line_end = line_begin;
  while (line_end < text_.size() && text_[line_end] != '\r' && text_[line_end] != '\n') ++line_end;
  source.line = line;
  source.source_line = text_.substr(line_begin, line_end - line_begin);
  source.column = at - line_begin;
  return source;
}

void DescriptionFile::close_and_delete() {
  if (finished_) return;
  finished_ = true;
  open_ = false;
  if (consume_) platform::delete_file(path_);
}

}  // namespace compiler
