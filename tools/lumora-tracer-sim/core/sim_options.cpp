#include "core/sim_options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

namespace lumora::sim {

const char* const kSimUsage =
    "usage: lumora-tracer-sim (--device PATH | --pty | --fd N) [options] TRACEFILE...\n"
    "       lumora-tracer-sim --help | --version\n"
    "Plays the tracer: uploads each trace file to the host and prints what it received\n"
    "as JSON lines. Exit code 0: every trace stored; 1: the host refused one; 3: the host\n"
    "did not answer; 2: bad usage or the line could not be opened.\n"
    "  --device PATH        the tracer's end of a serial line (set to --speed N, 8N1)\n"
    "  --pty                open a pseudo-terminal pair; its path is printed for the host\n"
    "  --fd N               use the inherited descriptor N (the master of a pair)\n"
    "  --vendor TEXT        \"VEN=\" value (default CORVANE)\n"
    "  --job TEXT           \"JOB=\" value (default: each file's name)\n"
    "  --quote-job          write the job number in double quotes\n"
    "  --format TEXT        offered \"TRCFMT=\" value, repeatable (default 1;400;E;R;F)\n"
    "  --zfmt               also offer each format as \"ZFMT=\"\n"
    "  --crc                close each packet with a \"CRC=\" record\n"
    "  --init               send \"REQ=INI\" first\n"
    "  --request-pause N:MS pause MS milliseconds after N bytes of the request\n"
    "  --body-pause N:MS    pause MS milliseconds after N bytes of the body\n"
    "  --baud N             pace sending at N bits per second (10 bits a byte)\n"
    "  --repeat N           send the files N times (default 1)\n"
    "  --reply-timeout MS   how long to wait for each answer (default 10000)\n"
    "  --gap MS             pause between uploads (default 300)\n"
    "  --open-timeout MS    how long to wait for the host to open a pseudo-terminal\n"
    "  --garble N:BYTES     put BYTES (\\xHH for any byte) after N bytes of each body's\n"
    "                       first copy, as a stray byte on the line would\n"
    "  --noise SEED         random line noise (never an RS) before some packets, each\n"
    "                       followed by a quiet 0.3 s\n"
    "  --number-jobs N      upload i has the job number N + i - 1\n"
    "  --mix                CRC on every other upload, a quoted job on every other pair\n"
    "A NAK to a body makes the tracer send it again (three times at most), once the line\n"
    "has been quiet for 0.3 s.\n";

namespace {

bool parseInt(const std::string& text, int& out, int minimum) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && out >= minimum;
}

std::optional<Pause> parsePause(const std::string& text) {
  const std::size_t colon = text.find(':');
  int bytes = 0;
  int millis = 0;
  if (colon == std::string::npos || !parseInt(text.substr(0, colon), bytes, 0) ||
      !parseInt(text.substr(colon + 1), millis, 0))
    return std::nullopt;
  return Pause{static_cast<std::size_t>(bytes), millis};
}

// "\\xHH" stands for the byte HH; anything else for itself.
std::optional<std::string> unescaped(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\x") != 0) {
      bytes += text[i];
      continue;
    }
    unsigned value = 0;
    const char* first = text.data() + i + 2;
    const char* last = text.data() + std::min(text.size(), i + 4);
    if (auto [ptr, ec] = std::from_chars(first, last, value, 16); ec != std::errc() || ptr != last) return std::nullopt;
    bytes += static_cast<char>(value);
    i += 3;
  }
  return bytes;
}

std::optional<Garble> parseGarble(const std::string& text) {
  const std::size_t colon = text.find(':');
  int bytes = 0;
  if (colon == std::string::npos || !parseInt(text.substr(0, colon), bytes, 0)) return std::nullopt;
  const auto inserted = unescaped(text.substr(colon + 1));
  if (!inserted || inserted->empty()) return std::nullopt;
  return Garble{static_cast<std::size_t>(bytes), *inserted};
}

// Exactly one line to the host, and something to send on it.
Result<SimOptions> checked(SimOptions o) {
  const int lines = (o.device.empty() ? 0 : 1) + (o.pty ? 1 : 0) + (o.fd >= 0 ? 1 : 0);
  if (lines != 1) return Problem{"give exactly one of --device, --pty and --fd"};
  if (o.files.empty()) return Problem{"give at least one trace file"};
  return o;
}

}  // namespace

Result<SimOptions> parseSimOptions(const std::vector<std::string>& args) {
  SimOptions o;
  o.request.job.clear();
  std::vector<std::string> formats;  // given ones replace the default
  const std::map<std::string, std::function<void()>> flags{
      {"--pty", [&] { o.pty = true; }},   {"--quote-job", [&] { o.request.quoteJob = true; }},
      {"--zfmt", [&] { o.request.zfmt = true; }}, {"--crc", [&] { o.request.crc = true; }},
      {"--init", [&] { o.init = true; }}, {"--mix", [&] { o.mix = true; }}};
  using Setter = std::function<bool(const std::string&)>;
  const auto number = [](int& to, int least) -> Setter {
    return [&to, least](const std::string& v) { return parseInt(v, to, least); };
  };
  const auto pause = [](std::optional<Pause>& to) -> Setter {
    return [&to](const std::string& v) { return (to = parsePause(v)).has_value(); };
  };
  const auto text = [](std::string& to) -> Setter { return [&to](const std::string& v) { return to = v, true; }; };
  const std::map<std::string, Setter> valued{
      {"--device", [&](const std::string& v) { return o.device = v, !v.empty(); }},
      {"--vendor", text(o.request.vendor)},
      {"--job", text(o.request.job)},
      {"--format", [&](const std::string& v) { return formats.push_back(v), true; }},
      {"--fd", number(o.fd, 0)},
      {"--speed", number(o.speed, 1)},
      {"--baud", number(o.baud, 0)},
      {"--repeat", number(o.repeat, 1)},
      {"--reply-timeout", number(o.replyTimeoutMs, 1)},
      {"--gap", number(o.gapMs, 0)},
      {"--open-timeout", number(o.openTimeoutMs, 0)},
      {"--request-pause", pause(o.requestPause)},
      {"--body-pause", pause(o.bodyPause)},
      {"--garble", [&](const std::string& v) { return (o.garble = parseGarble(v)).has_value(); }},
      {"--noise", [&](const std::string& v) {
         int seed = 0;
         return parseInt(v, seed, 0) && (o.noiseSeed = static_cast<unsigned>(seed), true);
       }},
      {"--number-jobs", number(o.firstJob, 0)}};
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (const auto flag = flags.find(a); flag != flags.end()) {
      flag->second();
    } else if (const auto option = valued.find(a); option != valued.end()) {
      if (i + 1 >= args.size() || !option->second(args[++i])) return Problem{"option " + a + " needs a valid value"};
    } else if (a.starts_with("--")) {
      return Problem{"unknown option " + a};
    } else {
      o.files.push_back(a);
    }
  }
  if (!formats.empty()) o.request.formats = std::move(formats);
  return checked(std::move(o));
}

}  // namespace lumora::sim
