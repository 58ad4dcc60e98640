#include "link/core/link_engine.h"

#include <array>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_outputs_make.h"
#include "link/core/link_texts.h"

namespace lumora {

LinkEngine::LinkEngine(int portNumber, bool prompt) : portNumber_(portNumber), prompt_(prompt) {}

Outputs LinkEngine::receive(std::string_view bytes, const Instant& now) {
  Outputs out = expire(now);  // a wait that has run out ends before these bytes count
  if (bytes.empty()) return out;
  switch (state_) {
    case State::Idle:
      startBurst(now);
      appendBurst(bytes, now, out);
      break;
    case State::GatheringBurst:
      appendBurst(bytes, now, out);
      break;
    case State::ReceivingBody:
      appendBody(bytes, now, out);
      break;
    default:  // waiting for the pause, the operator or the disk
      holdInput(bytes, out);
      break;
  }
  return out;
}

std::optional<std::int64_t> LinkEngine::deadline() const {
  switch (state_) {
    case State::GatheringBurst:
      return lastRx_ + kBurstSilenceMicros + 1;
    case State::InitPause:
      return pauseStart_ + kInitPauseMicros + 1;
    case State::ReceivingBody:
      return lastRx_ + kBodyInactivityMicros + 1;
    default:
      return std::nullopt;
  }
}

Outputs LinkEngine::expire(const Instant& now) {
  Outputs out;
  // Each handled wait leaves a later deadline or none, so this ends.
  for (auto due = deadline(); due && now.micros >= *due; due = deadline()) {
    if (state_ == State::GatheringBurst)
      endBurst(now, out);
    else if (state_ == State::InitPause)
      finishInitPause(now, out);
    else
      bodyTimedOut(now, out);
  }
  return out;
}

void LinkEngine::startBurst(const Instant& now) {
  state_ = State::GatheringBurst;
  burst_.clear();
  discarding_ = false;
  lastRx_ = now.micros;
}

void LinkEngine::appendBurst(std::string_view bytes, const Instant& now, Outputs& out) {
  lastRx_ = now.micros;
  if (discarding_) return;
  if (burst_.size() + bytes.size() > kMaxLinkBuffer) {
    burst_.clear();
    discarding_ = true;
    addActivity(out, bufferLimitLine("OMA Input Discarded", "bytes without a pause"));
    return;
  }
  burst_ += bytes;
}

void LinkEngine::holdInput(std::string_view bytes, Outputs& out) {
  if (held_.size() + bytes.size() > kMaxLinkBuffer) {
    held_.clear();
    addActivity(out, bufferLimitLine("OMA Input Discarded", "bytes waiting"));
    return;
  }
  held_ += bytes;
}

// Whatever arrived while the link was busy starts the next burst, its silence counted from now.
void LinkEngine::becomeIdle(const Instant& now) {
  state_ = State::Idle;
  if (held_.empty()) return;
  startBurst(now);
  burst_.swap(held_);
}

// Only a complete packet carrying a request marker is looked at; anything else in the
// burst, complete or not, is dropped without an answer.
void LinkEngine::endBurst(const Instant& now, Outputs& out) {
  std::string packet;
  packet.swap(burst_);
  const bool dropped = discarding_;
  discarding_ = false;
  state_ = State::Idle;
  if (!dropped && isCompletePacket(packet) && hasRequestMarker(packet))
    answerRequest(std::move(packet), now, out);
  if (state_ == State::Idle) becomeIdle(now);
}

namespace {

struct UploadRequest {
  std::string_view marker;
  std::string_view kind;
  std::string_view line;
};

constexpr std::array<UploadRequest, 4> kUploadRequests{{
    {"\x1cREQ=TRC", "TRC", "OMA Tracer"},
    {"\x1cREQ=UPL", "UPL", "OMA Generic Upload"},
    {"\x1cREQ=MNT", "MNT", "OMA Maintenance Upload"},
    {"\x1cREQ=INF", "INF", "OMA Information Upload"},
}};

}  // namespace

void LinkEngine::answerRequest(std::string packet, const Instant& now, Outputs& out) {
  if (checkIncomingCrc(packet) == CrcCheck::Bad) {
    writeBytes(out, std::string(1, kNak));
    addActivity(out, "OMA Bad Packet CRC");
    return;
  }
  std::erase(packet, ' ');
  auto has = [&packet](std::string_view text) { return packet.find(text) != std::string::npos; };
  if (has("\x1cREQ=INI")) {
    writeBytes(out, std::string(1, kAck));
    state_ = State::InitPause;
    pauseStart_ = now.micros;
    return;
  }
  if (has("\x1cREQ=INF") && has("JOB=") && has("STATUS=0")) {
    writeBytes(out, std::string(1, kAck));
    return addActivity(out, "OMA Operation Completed");
  }
  if (has("\x1cREQ=ERR")) return addActivity(out, "OMA Error Answer Response");
  if (has("\x1c"
          "ANS="))
    return addActivity(out, "OMA Answer Packet");
  std::string_view uploadKind;
  for (const UploadRequest& request : kUploadRequests) {
    if (!has(request.marker)) continue;
    addActivity(out, std::string(request.line));
    uploadKind = request.kind;
  }
  if (uploadKind.empty()) return;
  answerWithCrc_ = has("\x1e" "CRC=");
  jobQuote_ = has("\"") ? "\"" : "";
  if (uploadKind == "TRC")
    startUpload(packet, now, out);
  else
    addActivity(out, "Unsupported OMA Device type");
}

void LinkEngine::finishInitPause(const Instant& now, Outputs& out) {
  writeBytes(out, framePacket({{"ANS=", "INI"}, {"STATUS=", "15"}}, answerWithCrc_));
  addActivity(out, "OMA Host Does Not Support Initialization");
  becomeIdle(now);
}

LinkPhase LinkEngine::phase() const {
  switch (state_) {
    case State::ReceivingBody:
    case State::StoringTrace:
    case State::StoringUnderNewName:
    case State::CheckingChosenFolder: return LinkPhase::Receiving;
    case State::AwaitingOperator:
    case State::BrandMessageShown: return LinkPhase::AwaitingOperator;
    default: return LinkPhase::Listening;
  }
}

}  // namespace lumora
