#include <cstdlib>
#include <string_view>

#include "compiler/field_reader.h"
#include "fuzz/targets/fuzz_targets.h"

namespace fuzz {

int field_reader(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  compiler::FieldReader reader(text);
  const std::uint8_t choices = data[0];
  // Reads alternate between the widths the parsers use, chosen by byte 0.
  for (int step = 0; !reader.at_end(); ++step) {
    const std::size_t before = reader.offset();
    try {
      switch ((choices >> ((step % 4) * 2)) & 3) {
        case 0: reader.read_text(); break;
        case 1: reader.read_int32(); break;
        case 2: reader.read_int16(); break;
        default: reader.read_byte(); break;
      }
    } catch (const compiler::ReadingFailure&) {
      return 0;
    }
    if (reader.offset() <= before || reader.offset() > text.size()) std::abort();
  }
  return 0;
}

}  // namespace fuzz
