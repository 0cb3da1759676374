#pragma once
// The fuzz targets as plain functions, so that libFuzzer drives them in the
// fuzz build and the seed corpora replay through them in the ordinary tests.
// Each returns 0; a broken invariant aborts.

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The field reader on arbitrary bytes: every read either gives a field or
// fails cleanly, and the reader always moves forward.
int field_reader(const std::uint8_t* data, std::size_t size);

// The whole compile on a pair of description files. Byte 0 chooses a full
// compile (bit 0); the rest is the line description, then, after the first
// 0x1E byte, the train description.
int compile(const std::uint8_t* data, std::size_t size);

// The decoders of the three compiled files on arbitrary bytes.
int decoders(const std::uint8_t* data, std::size_t size);

// The language server's message reader and handling on arbitrary bytes, as
// an editor's stream.
int lsp(const std::uint8_t* data, std::size_t size);

}  // namespace fuzz
