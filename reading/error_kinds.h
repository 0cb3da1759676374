#pragma once
// The error kinds the compiler records: number, meaning, whether a position
// in metres comes with it, and which file is to blame for it.

#include <cstdint>
#include <span>
#include <string_view>

namespace compiler {

// The file an error kind blames: the line description, the train
// description, or the route the post-pass completes (blamed on the train
// description's slowdown that called for the points).
enum class BlamedFile { kLine, kTrain, kRoute };

struct ErrorKind {
  std::int32_t number;
  BlamedFile file;
  bool has_position;
  std::string_view meaning;
};

// Every kind, in increasing number.
std::span<const ErrorKind> error_kinds();
// The kind of a number, or nullptr for a number the compiler never records.
const ErrorKind* find_error_kind(std::int32_t number);

bool is_known_error_kind(std::int32_t number);
bool error_has_position(std::int32_t number);
// Kinds recorded by the route post-pass rather than by a description record.
bool is_route_error(std::int32_t number);
// A few words on what a kind means; empty for an unknown number.
std::string_view error_meaning(std::int32_t number);

// The kinds with their own meaning; the rest are plain numbers.
inline constexpr std::int32_t kLineMissing = 101;
inline constexpr std::int32_t kNoGeneralSection = 102;
inline constexpr std::int32_t kReadingFailure = 25;
inline constexpr std::int32_t kBeyondRoute = 15;

}  // namespace compiler
