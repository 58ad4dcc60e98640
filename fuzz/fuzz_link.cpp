// Arbitrary bytes, pauses and operator answers fed to the link engine: it must neither
// crash, hang nor trip a sanitizer; every name it stores must be a safe file name; no write
// may exceed the buffer limit; and after expire(now) no deadline may lie in the past.
//
// Input layout, repeated: one byte that says what happens, two bytes of length or time,
// then (for received bytes) that many bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/control_chars.h"
#include "link/core/link_engine.h"
#include "trace/core/trace_name.h"

namespace {

using namespace lumora;

// Stores nothing; refuses every fourth trace so the failure paths run too.
class MemoryStore : public TraceStore {
 public:
  std::string StoreTrace(const std::string&, const std::string& name,
                         const std::vector<std::string>&) override {
    if (!isSafeTraceName(name)) std::abort();
    return ++stored_ % 4 == 0 ? "disk full" : "";
  }
  std::string TracePath(const std::string& folder, const std::string& name) const override {
    return folder + "/" + name;
  }
  std::string FolderProblem(const std::string&) const override { return stored_ % 3 == 0 ? "gone" : ""; }

 private:
  int stored_ = 0;
};

void check(const Outputs& outputs, const LinkEngine& link, std::int64_t now) {
  for (const Output& o : outputs)
    if (o.kind == OutputKind::Write && o.text.size() > MaxLinkBuffer) std::abort();
  if (auto due = link.deadline(); due && *due < now && link.state() != LinkEngine::State::Storing)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryStore store;
  LinkEngine link(store, 1, "/saves", data && size > 0 && (data[0] & 1));
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::int64_t micros = 0;
  while (input.size() >= 3) {
    const auto op = static_cast<std::uint8_t>(input[0]);
    const auto amount = static_cast<std::size_t>(static_cast<std::uint8_t>(input[1]) << 8 |
                                                 static_cast<std::uint8_t>(input[2]));
    input.remove_prefix(3);
    const Instant now{micros, "6 Dec 2026 12:00:00"};
    switch (op % 5) {
      case 0: {
        const std::string_view bytes = input.substr(0, amount);
        input.remove_prefix(bytes.size());
        check(link.receive(bytes, now), link, micros);
        break;
      }
      case 1:
        micros += static_cast<std::int64_t>(amount) * 1000;  // up to about 65 s
        check(link.expire(Instant{micros, now.stamp}), link, micros);
        break;
      case 2: check(link.brandMessageClosed(now), link, micros); break;
      case 3: check(link.operatorChoseName("/other", std::to_string(amount), now), link, micros); break;
      case 4: check(link.operatorCancelled(now), link, micros); break;
    }
  }
  return 0;
}
