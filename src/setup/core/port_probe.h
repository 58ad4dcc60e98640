// Port discovery with the modem probe, as an engine without I/O: it asks for port actions,
// is told their results and the time, and fills the 16 entries of the port list.
//
// Every port but the configured one is opened at 1200 bits per second and sent "ATV1Q0" CR;
// "OK" CR LF within the wait marks a modem, whose highest speed is then searched from 256000
// downward with "AT" CR. The configured port is never opened. Time is a steady clock in
// microseconds, passed in; the engine never reads a clock and never blocks.
//
// Driving it: take actions with nextAction() until there is none and apply each one; report
// an Open with opened() or openFailed(); report arriving bytes with receive(); when deadline()
// is reached call expire(). The probe is over when finished() is true.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "setup/core/modem_answer.h"
#include "setup/core/port_list.h"

namespace lumora {

struct ProbeAction {
  enum class Kind {
    Open,   // enable RTS, set `speed` with no parity, 8 data bits, 1 stop bit, open `port`
    Write,  // write `bytes` to the open port
    Close,  // discard input and output, then close the open port
  };
  Kind kind = Kind::Close;
  int port = 0;            // Open: port number 1 to 16
  std::int32_t speed = 0;  // Open: bits per second
  std::string bytes;       // Write
};

class PortProbe {
 public:
  // `configuredPort` is the port in use (1 to 16; any other number configures none) and
  // `configuredSpeed` its speed, both as read from the settings.
  // `configuredOpen` false: the configured port's device was lost or could not be opened, so
  // its entry does not say it is in use.
  PortProbe(std::int32_t configuredPort, std::int32_t configuredSpeed, bool configuredOpen = true);

  // The next action to apply, oldest first; nothing when the engine waits for a result, for
  // bytes or for the clock.
  std::optional<ProbeAction> nextAction();

  // The last Open succeeded at `nowMicros`.
  void opened(std::int64_t nowMicros);
  // The last Open failed, whatever the reason (no such port, held by another program, a speed
  // the driver refuses); the port is not open.
  void openFailed();
  // Bytes read from the open port at `nowMicros`. Bytes that arrive after the wait has ended
  // end it first and are not looked at.
  void receive(std::string_view bytes, std::int64_t nowMicros);

  // The instant (microseconds) at which the current wait for an answer is over; nothing
  // while no answer is awaited.
  std::optional<std::int64_t> deadline() const;
  // Ends the wait as unanswered when `nowMicros` has reached deadline(); earlier calls and
  // calls while nothing is awaited do nothing.
  void expire(std::int64_t nowMicros);

  // True once every port is listed and every action, the last Close included, was taken.
  bool finished() const { return step_ == Step::Finished && actions_.empty(); }
  const PortList& entries() const { return entries_; }

 private:
  enum class Step { AwaitOpen, AwaitAnswer, Finished };
  enum class Phase { Detect, SpeedSearch };

  void probeFrom(int port);
  void openAt(std::int32_t speed);
  void send(std::string_view command, std::int64_t nowMicros);
  void answered(ModemReply reply);
  void detected(ModemReply reply);
  void speedTried(ModemReply reply);
  void portDone(std::string text);
  void closePort();
  PortEntry& current();

  std::int32_t configuredPort_;
  bool configuredOpen_;
  PortList entries_;
  std::deque<ProbeAction> actions_;
  Step step_ = Step::AwaitOpen;
  Phase phase_ = Phase::Detect;
  int port_ = 1;             // port under test
  int speedIndex_ = 0;       // index into kProbeSpeeds while searching a modem's speed
  bool portOpen_ = false;
  std::int64_t waitLimit_ = 0;  // last microsecond of the wait for an answer
  ModemAnswer answer_;
};

}  // namespace lumora
