#pragma once
// A document as the program carries it: an ordered table of text lines closed
// by an end marker, and the one rule by which every such table is written.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

// Closes every line table; it is never written to a file.
inline constexpr std::string_view kEndMarker = "riferimento fine del file";

// Room of a line table: indexes 0 to 1000.
inline constexpr std::size_t kLineTableCapacity = 1001;

// The lines of one document, in order, up to and including the end marker.
// Lines are Windows-1252 byte strings.
using LineTable = std::span<const std::string_view>;

// The bytes of a document file: every line before the first end marker,
// each followed by CR LF, the last one too. Entries after the marker are
// never written; a table without a marker ends at its last entry.
std::string document_bytes(LineTable lines);

// Writes a line table to folder/name, replacing any earlier file as a whole.
// Throws platform::FileError when the file cannot be written.
void write_document(const std::string& folder, const std::string& name, LineTable lines);

}  // namespace scenario
