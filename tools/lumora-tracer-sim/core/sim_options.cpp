#include "core/sim_options.h"

#include <charconv>

namespace lumora::sim {

const char* const SimUsage =
    "usage: lumora-tracer-sim (--device PATH | --pty | --fd N) [options] TRACEFILE...\n"
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
    "  --open-timeout MS    how long to wait for the host to open a pseudo-terminal\n";

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

}  // namespace

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
  SimOptions o;
  o.request.job.clear();
  bool formatGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto next = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    bool ok = true;
    if (a == "--pty")
      o.pty = true;
    else if (a == "--quote-job")
      o.request.quoteJob = true;
    else if (a == "--zfmt")
      o.request.zfmt = true;
    else if (a == "--crc")
      o.request.crc = true;
    else if (a == "--init")
      o.init = true;
    else if (a == "--device")
      ok = next(o.device) && !o.device.empty();
    else if (a == "--vendor")
      ok = next(o.request.vendor);
    else if (a == "--job")
      ok = next(o.request.job);
    else if (a == "--format") {
      ok = next(v);
      if (!formatGiven) o.request.formats.clear();
      formatGiven = true;
      o.request.formats.push_back(v);
    } else if (a == "--fd")
      ok = next(v) && parseInt(v, o.fd, 0);
    else if (a == "--speed")
      ok = next(v) && parseInt(v, o.speed, 1);
    else if (a == "--baud")
      ok = next(v) && parseInt(v, o.baud, 0);
    else if (a == "--repeat")
      ok = next(v) && parseInt(v, o.repeat, 1);
    else if (a == "--reply-timeout")
      ok = next(v) && parseInt(v, o.replyTimeoutMs, 1);
    else if (a == "--gap")
      ok = next(v) && parseInt(v, o.gapMs, 0);
    else if (a == "--open-timeout")
      ok = next(v) && parseInt(v, o.openTimeoutMs, 0);
    else if (a == "--request-pause")
      ok = next(v) && (o.requestPause = parsePause(v)).has_value();
    else if (a == "--body-pause")
      ok = next(v) && (o.bodyPause = parsePause(v)).has_value();
    else if (a.rfind("--", 0) == 0) {
      error = "unknown option " + a;
      return std::nullopt;
    } else
      o.files.push_back(a);
    if (!ok) {
      error = "option " + a + " needs a valid value";
      return std::nullopt;
    }
  }
  const int lines = (o.device.empty() ? 0 : 1) + (o.pty ? 1 : 0) + (o.fd >= 0 ? 1 : 0);
  if (lines != 1)
    error = "give exactly one of --device, --pty and --fd";
  else if (o.files.empty())
    error = "give at least one trace file";
  if (!error.empty()) return std::nullopt;
  return o;
}

}  // namespace lumora::sim
