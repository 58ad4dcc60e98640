// Whole exchanges (requests and trace bodies built from the input), line noise, stray control
// bytes, time jumps, operator answers and disk results fed to the link engine. Besides
// crashing, hanging or tripping a sanitizer, it must never: ask to store under a name that is
// not a safe file name; ask for a store or a folder check without then waiting for its
// answer; write more than the buffer limit; leave a deadline in the past after expire(now);
// or write a status-0 completion except right after a store that succeeded and whose bytes
// are exactly the stored form of a body the tracer sent whole.
//
// Input layout, repeated: one byte that says what happens, two bytes of length, time or
// choice, then (for noise and bodies) that many bytes. Noise never holds an RS, so noise
// alone never forms a packet that could pass for a body; with CRC in use, a body may carry
// noise inside.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_engine.h"
#include "link/core/upload_rules.h"
#include "trace/core/trace_name.h"

namespace {

using namespace lumora;
using State = LinkEngine::State;

class Exchange {
 public:
  explicit Exchange(bool prompt) : link_(1, prompt) {}

  void step(std::uint8_t op, std::size_t amount, std::string_view& input) {
    const Instant now{micros_, "6 Dec 2026 12:00:00"};
    // Every fourth store fails, and every third folder takes no files.
    const auto problem = [amount](std::size_t every) {
      return amount % every == 0 ? std::optional<Problem>(Problem{"disk full"}) : std::nullopt;
    };
    switch (op % 9) {
      case 0: return check(link_.receive(noise(take(input, amount)), now));
      case 1:
        micros_ += static_cast<std::int64_t>(amount) * 1000;  // up to about 65 s
        return check(link_.expire(Instant{micros_, now.stamp}));
      case 2: return check(link_.brandMessageClosed(now));
      case 3: return check(link_.operatorChoseName("/other", std::to_string(amount)));
      case 4: return check(link_.operatorCancelled(now));
      case 5:
        storeSucceeded_ = link_.state() == State::StoringTrace && !problem(4);
        return check(link_.storeFinished(problem(4), now));
      case 6: return check(link_.folderChecked(problem(3), "/saves", now));
      case 7: return check(link_.receive(request(amount), now));
      case 8: return check(link_.receive(body(take(input, amount & 0xff), amount, input), now));
    }
  }

 private:
  static std::string_view take(std::string_view& input, std::size_t count) {
    const std::string_view bytes = input.substr(0, count);
    input.remove_prefix(bytes.size());
    return bytes;
  }
  static std::string noise(std::string_view bytes) {
    std::string text(bytes);
    for (char& c : text)
      if (c == kRs) c = kGs;
    return text;
  }
  // A trace request with the job number, CRC and quotes `choice` picks (or, rarely, an
  // initialization request).
  std::string request(std::size_t choice) {
    crc_ = (choice & 0x8000) != 0;
    if ((choice & 0x2000) != 0) return framePacket({{"REQ=", "INI"}}, crc_);
    const std::string quote = (choice & 0x4000) != 0 ? "\"" : "";
    job_ = quote + std::to_string(choice & 0x3ff) + quote;
    return framePacket({{"REQ=", "TRC"}, {"JOB=", job_}, {"VEN=", "CORVANE"}, {"TRCFMT=", "1;400;E;R;F"}}, crc_);
  }
  // A body whose records are `text` split at LF (control bytes made visible), with the CRC of
  // the last request; with CRC, noise from the input may be put inside it.
  std::string body(std::string_view text, std::size_t choice, std::string_view& input) {
    std::vector<Record> records{{"ANS=", "TRC"}, {"JOB=", job_}};
    std::string line;
    for (char c : text) {
      if (c == '\n') records.push_back({"R=", std::exchange(line, {})});
      else line += static_cast<unsigned char>(c) < 32 ? '.' : c;
    }
    records.push_back({"R=", line});
    std::string packet = framePacket(records, crc_);
    sent_.insert(traceFileBytes(traceLinesFromBody(packet)));
    if (crc_ && (choice & 0x100) != 0)
      packet.insert((choice >> 9) % packet.size(), noise(take(input, (choice >> 12) + 1)));
    return packet;
  }

  void check(const Outputs& outputs) {
    for (const Output& o : outputs) {
      if (o.kind == OutputKind::Write && o.text.size() > kMaxLinkBuffer) std::abort();
      const bool storing = link_.state() == State::StoringTrace || link_.state() == State::StoringUnderNewName;
      if (o.kind == OutputKind::StoreTrace) {
        if (!isSafeTraceName(o.name) || !storing) std::abort();
        lastStore_ = o.text;
        storeSucceeded_ = false;
      }
      if (o.kind == OutputKind::CheckFolder && link_.state() != State::CheckingChosenFolder) std::abort();
      if (isCompletion(o)) {
        if (!storeSucceeded_ || !sent_.contains(lastStore_)) std::abort();
        storeSucceeded_ = false;
      }
    }
    if (auto due = link_.deadline(); due && *due < micros_) std::abort();
  }
  // The answer that tells the tracer its trace is stored (the acceptance carries "TRCFMT=").
  static bool isCompletion(const Output& o) {
    return o.kind == OutputKind::Write && o.text.find("ANS=TRC") != std::string::npos &&
           o.text.find("STATUS=0\r\n") != std::string::npos && o.text.find("TRCFMT=") == std::string::npos;
  }

  LinkEngine link_;
  std::int64_t micros_ = 0;
  bool crc_ = false;
  std::string job_ = "1";
  std::set<std::string> sent_;  // the stored forms of the bodies sent whole
  std::string lastStore_;
  bool storeSucceeded_ = false;  // lastStore_ is on disk, and no completion has gone out for it
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Exchange exchange(data && size > 0 && (data[0] & 1));
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (input.size() >= 3) {
    const auto op = static_cast<std::uint8_t>(input[0]);
    const auto amount = static_cast<std::size_t>(static_cast<std::uint8_t>(input[1]) << 8 |
                                                 static_cast<std::uint8_t>(input[2]));
    input.remove_prefix(3);
    exchange.step(op, amount, input);
  }
  return 0;
}
