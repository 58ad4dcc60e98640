#include "setup/core/port_probe.h"

#include <utility>

namespace lumora {
namespace {

constexpr std::int32_t kDetectSpeed = 1200;  // bits per second
constexpr std::string_view kDetectCommand = "ATV1Q0";
constexpr std::string_view kSpeedCommand = "AT";
constexpr int kTopSpeedIndex = static_cast<int>(kProbeSpeeds.size()) - 1;

}  // namespace

PortProbe::PortProbe(std::int32_t configuredPort, std::int32_t configuredSpeed, bool configuredOpen)
    : configuredPort_(configuredPort),
      configuredOpen_(configuredOpen),
      entries_(initialPortList(configuredPort, configuredSpeed)) {
  probeFrom(1);
}

std::optional<ProbeAction> PortProbe::nextAction() {
  if (actions_.empty()) return std::nullopt;
  ProbeAction action = std::move(actions_.front());
  actions_.pop_front();
  return action;
}

PortEntry& PortProbe::current() { return entries_[static_cast<std::size_t>(port_ - 1)]; }

// Tests ports from `port` on; the configured port is listed from the settings alone.
void PortProbe::probeFrom(int port) {
  for (port_ = port; port_ <= kPortCount; ++port_) {
    PortEntry& entry = current();
    if (!entry.ticked) {
      phase_ = Phase::Detect;
      openAt(kDetectSpeed);
      return;
    }
    entry.text += configuredOpen_ ? kInUseSuffix : kNotOpenSuffix;
    entry.ticked = false;
  }
  if (portNumberUsable(configuredPort_)) {
    entries_[static_cast<std::size_t>(configuredPort_ - 1)].ticked = true;
  }
  step_ = Step::Finished;
}

void PortProbe::openAt(std::int32_t speed) {
  closePort();
  actions_.push_back({ProbeAction::Kind::Open, port_, speed, {}});
  step_ = Step::AwaitOpen;
}

void PortProbe::closePort() {
  if (!portOpen_) return;
  actions_.push_back({ProbeAction::Kind::Close, port_, 0, {}});
  portOpen_ = false;
}

void PortProbe::opened(std::int64_t nowMicros) {
  if (step_ != Step::AwaitOpen) return;
  portOpen_ = true;
  send(phase_ == Phase::Detect ? kDetectCommand : kSpeedCommand, nowMicros);
}

void PortProbe::openFailed() {
  if (step_ != Step::AwaitOpen) return;
  if (phase_ == Phase::Detect) {
    portDone(current().text + std::string{kNotAvailableSuffix});
    return;
  }
  // A speed the driver refuses cannot be answered at; no need to wait for it.
  speedTried(ModemReply::NoAnswer);
}

void PortProbe::send(std::string_view command, std::int64_t nowMicros) {
  actions_.push_back({ProbeAction::Kind::Write, port_, 0, std::string{command} + "\r"});
  answer_ = ModemAnswer{};
  waitLimit_ = modemWaitLimit(nowMicros);
  step_ = Step::AwaitAnswer;
}

void PortProbe::receive(std::string_view bytes, std::int64_t nowMicros) {
  if (step_ != Step::AwaitAnswer) return;
  if (nowMicros > waitLimit_) {
    expire(nowMicros);
    return;
  }
  if (std::optional<ModemReply> reply = answer_.add(bytes)) answered(*reply);
}

std::optional<std::int64_t> PortProbe::deadline() const {
  if (step_ != Step::AwaitAnswer) return std::nullopt;
  return waitLimit_ + 1;
}

void PortProbe::expire(std::int64_t nowMicros) {
  if (step_ == Step::AwaitAnswer && nowMicros > waitLimit_) answered(ModemReply::NoAnswer);
}

void PortProbe::answered(ModemReply reply) {
  if (phase_ == Phase::Detect) {
    detected(reply);
  } else {
    speedTried(reply);
  }
}

// A modem answers "ATV1Q0" with OK; "ERROR" or silence means no modem.
void PortProbe::detected(ModemReply reply) {
  if (reply != ModemReply::Ok) {
    portDone(current().text + std::string{kAvailableSuffix});
    return;
  }
  phase_ = Phase::SpeedSearch;
  speedIndex_ = kTopSpeedIndex;
  openAt(kProbeSpeeds[static_cast<std::size_t>(speedIndex_)]);
}

// The first speed from the top at which "AT" gets OK is the modem's highest. When none does,
// the lowest speed tried is shown.
void PortProbe::speedTried(ModemReply reply) {
  const std::int32_t speed = kProbeSpeeds[static_cast<std::size_t>(speedIndex_)];
  if (reply == ModemReply::Ok || speedIndex_ == 0) {
    portDone(modemEntryText(port_, speed));
    return;
  }
  --speedIndex_;
  openAt(kProbeSpeeds[static_cast<std::size_t>(speedIndex_)]);
}

void PortProbe::portDone(std::string text) {
  closePort();
  PortEntry& entry = current();
  entry.text = std::move(text);
  entry.ticked = false;
  probeFrom(port_ + 1);
}

}  // namespace lumora
