#pragma once
// The language server's wire: JSON-RPC messages framed by a Content-Length
// header, as the Language Server Protocol sends them over standard input
// and output. The reader is bounded: a header line longer than a few
// kilobytes or a body larger than its limit is refused and skipped without
// being held in memory.

#include <cstddef>
#include <istream>
#include <string>

#include <nlohmann/json.hpp>

namespace tools {

struct LspInput {
  enum class Kind {
    kMessage,   // body holds one message's bytes
    kEnd,       // the input ended (between messages, or inside one)
    kTooLarge,  // a body above the limit, skipped
    kBadHeader  // a header without a usable Content-Length, skipped up to the next blank line
  };
  Kind kind = Kind::kEnd;
  std::string body;
};

class LspReader {
 public:
  static constexpr std::size_t kDefaultLimit = 64u << 20;  // 64 MiB
  explicit LspReader(std::istream& in, std::size_t limit = kDefaultLimit) : in_(in), limit_(limit) {}
  // The next message, or why there is none.
  LspInput next();

 private:
  std::istream& in_;
  std::size_t limit_;
};

// One message with its header, ready to write.
std::string lsp_frame(const nlohmann::json& message);

}  // namespace tools
