// Arbitrary bytes, pauses, operator answers and disk results fed to the link engine: it must
// neither crash, hang nor trip a sanitizer; every name it asks to store must be a safe file
// name; a request to store or check a folder must leave it waiting for that answer; no write
// may exceed the buffer limit; and after expire(now) no deadline may lie in the past.
//
// Input layout, repeated: one byte that says what happens, two bytes of length or time,
// then (for received bytes) that many bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/core/control_chars.h"
#include "link/core/link_engine.h"
#include "trace/core/trace_name.h"

namespace {

using namespace lumora;
using State = LinkEngine::State;

void check(const Outputs& outputs, const LinkEngine& link, std::int64_t now) {
  for (const Output& o : outputs) {
    if (o.kind == OutputKind::Write && o.text.size() > kMaxLinkBuffer) std::abort();
    const bool storing = link.state() == State::StoringTrace || link.state() == State::StoringUnderNewName;
    if (o.kind == OutputKind::StoreTrace && (!isSafeTraceName(o.name) || !storing)) std::abort();
    if (o.kind == OutputKind::CheckFolder && link.state() != State::CheckingChosenFolder) std::abort();
  }
  if (auto due = link.deadline(); due && *due < now) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LinkEngine link(1, data && size > 0 && (data[0] & 1));
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::int64_t micros = 0;
  while (input.size() >= 3) {
    const auto op = static_cast<std::uint8_t>(input[0]);
    const auto amount = static_cast<std::size_t>(static_cast<std::uint8_t>(input[1]) << 8 |
                                                 static_cast<std::uint8_t>(input[2]));
    input.remove_prefix(3);
    const Instant now{micros, "6 Dec 2026 12:00:00"};
    // Every fourth store fails, and every third folder takes no files.
    const auto problem = [amount](std::size_t every) {
      return amount % every == 0 ? std::optional<Problem>(Problem{"disk full"}) : std::nullopt;
    };
    switch (op % 7) {
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
      case 3: check(link.operatorChoseName("/other", std::to_string(amount)), link, micros); break;
      case 4: check(link.operatorCancelled(now), link, micros); break;
      case 5: check(link.storeFinished(problem(4), now), link, micros); break;
      case 6: check(link.folderChecked(problem(3), "/saves", now), link, micros); break;
    }
  }
  return 0;
}
