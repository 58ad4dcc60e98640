// lumora-tracer-sim: the tracer's side of the link, for tests, the demo and technicians
// checking a set-up without a tracer. See kSimUsage for the options.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/core/about_box.h"
#include "core/sim_options.h"
#include "core/tracer_exchange.h"
#include "json_writer.h"
#include "base/core/file_read.h"
#include "tracer_line.h"

namespace lumora::sim {
namespace {

using tool::JsonObject;

const Clock::time_point kProgramStart = Clock::now();

double millisSinceStart() {
  return std::chrono::duration<double, std::milli>(Clock::now() - kProgramStart).count();
}

void print(JsonObject line) {
  line.emplace("ms", millisSinceStart());
  std::cout << tool::toJson(line) << std::endl;
}

std::string fileName(const std::string& path) {
  return textFromPath(pathFromText(path).filename());
}

// Line noise before a packet (when asked for), and a quiet spell after it and before a body
// sent again, so that the host's NAKs to the noise or the last copy come before the packet.
void beforeSending(TracerLine& line, const SimOptions& options, const TracerExchange& exchange,
                   std::mt19937* random) {
  const std::string noise = random ? lineNoise(*random) : std::string();
  if (!noise.empty()) {
    print({{"event", "sent"}, {"what", "noise"}, {"bytes", static_cast<double>(noise.size())}});
    line.send(noise, std::nullopt, options.baud, [] { return false; });
  }
  if (!noise.empty() || exchange.resending())
    line.readUntil(Clock::now() + std::chrono::milliseconds(300), [&] { return exchange.phase() == TracerExchange::Phase::Done; });
}

// The request of upload number `upload` (from 1) of `file`.
RequestOptions requestFor(const SimOptions& options, const std::string& file, int upload) {
  RequestOptions request = options.request;
  if (options.firstJob >= 0)
    request.job = std::to_string(options.firstJob + upload - 1);
  else if (request.job.empty())
    request.job = fileName(file);
  if (options.mix) {
    request.crc = upload % 2 == 1;
    request.quoteJob = upload / 2 % 2 == 1;
  }
  return request;
}

// One upload of one file; returns how it ended.
TracerExchange runUpload(TracerLine& line, const SimOptions& options, const std::string& file,
                         int upload, std::mt19937* random) {
  const RequestOptions request = requestFor(options, file, upload);
  TracerExchange exchange(options.init, traceRequest(request),
                          traceBody(readFileText(file), request.crc), request.crc);
  ReplyReader reader;
  line.onInput = [&](std::string_view bytes) {
    for (const Reply& reply : reader.feed(bytes)) {
      JsonObject seen{{"event", "received"}, {"kind", std::string(kindName(reply.kind))}};
      if (reply.kind != Reply::Kind::Ack && reply.kind != Reply::Kind::Nak)
        seen.emplace("text", reply.bytes);
      print(std::move(seen));
      exchange.received(reply);
    }
  };
  const auto done = [&] { return exchange.phase() == TracerExchange::Phase::Done; };
  bool garbled = false;
  while (!done()) {
    if (!exchange.waiting()) beforeSending(line, options, exchange, random);
    if (done()) break;
    if (auto bytes = exchange.send()) {
      const bool body = exchange.phase() == TracerExchange::Phase::AwaitBodyAck;
      if (body && options.garble && !garbled) {
        garbled = true;
        bytes->insert(std::min(options.garble->afterBytes, bytes->size()), options.garble->bytes);
      }
      const bool isRequest = exchange.phase() == TracerExchange::Phase::AwaitRequestAck;
      const char* what = body ? "body" : isRequest ? "request" : "init";
      print({{"event", "sent"}, {"what", what}, {"bytes", static_cast<double>(bytes->size())}});
      const auto& pause = body ? options.bodyPause : isRequest ? options.requestPause : std::nullopt;
      if (!line.send(*bytes, pause, options.baud, done)) exchange.noReply();
      continue;
    }
    const auto until = Clock::now() + std::chrono::milliseconds(options.replyTimeoutMs);
    if (!line.readUntil(until, [&] { return !exchange.waiting(); }) || exchange.waiting())
      exchange.noReply();
  }
  print({{"event", "result"},
         {"upload", static_cast<double>(upload)},
         {"file", file},
         {"job", request.job},
         {"outcome", exchange.outcome() == Outcome::Stored    ? "stored"
                     : exchange.outcome() == Outcome::Refused ? "refused"
                                                              : "no answer"},
         {"status", static_cast<double>(exchange.status())},
         {"why", exchange.why()}});
  return exchange;
}

int run(const SimOptions& options) {
  for (const std::string& file : options.files) {
    if (!fileExists(file)) {
      std::cerr << "lumora-tracer-sim: no trace file " << file << '\n';
      return 2;
    }
  }
  TracerLine line;
  if (const auto problem = line.open(options)) {
    std::cerr << "lumora-tracer-sim: " << problem->text << '\n';
    return 2;
  }
  if (!line.ptyPath().empty()) print({{"event", "pty"}, {"path", line.ptyPath()}});
  if (!line.waitForHost(options.openTimeoutMs)) {
    std::cerr << "lumora-tracer-sim: the host did not open the line in time\n";
    return 3;
  }
  std::mt19937 noise(options.noiseSeed.value_or(0));
  int stored = 0;
  int uploads = 0;
  int worst = 0;
  for (int round = 0; round < options.repeat; ++round) {
    for (const std::string& file : options.files) {
      if (uploads > 0)
        line.readUntil(Clock::now() + std::chrono::milliseconds(options.gapMs),
                       [] { return false; });
      const TracerExchange exchange = runUpload(line, options, file, ++uploads, options.noiseSeed ? &noise : nullptr);
      if (exchange.outcome() == Outcome::Stored)
        ++stored;
      else
        worst = std::max(worst, exchange.outcome() == Outcome::Refused ? 1 : 3);
    }
  }
  print({{"event", "done"},
         {"stored", static_cast<double>(stored)},
         {"uploads", static_cast<double>(uploads)}});
  return worst;
}

}  // namespace
}  // namespace lumora::sim

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answer = lumora::helpOrVersion(args, "lumora-tracer-sim", lumora::sim::kSimUsage)) {
    std::cout << *answer;
    return 0;
  }
  const auto options = lumora::sim::parseSimOptions(args);
  if (!options) {
    std::cerr << "lumora-tracer-sim: " << options.problem().text << "\n" << lumora::sim::kSimUsage;
    return 2;
  }
  return lumora::sim::run(*options);
}
