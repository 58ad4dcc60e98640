// One upload as the tracer runs it, without I/O: optionally the initialization request,
// then the trace request, the body once the host accepts, and the host's completion answer.
// The owner sends what send() hands out, feeds every reply to received(), and calls
// noReply() when the host stays silent for too long.
#pragma once

#include <optional>
#include <string>

#include "core/sim_packets.h"

namespace lumora::sim {

enum class Outcome {
  Pending,
  Stored,    // the completion answer carried "STATUS=0"
  Refused,   // the host answered with a non-zero status or NAK
  NoAnswer,  // the host stayed silent, or answered out of turn
};

class TracerExchange {
 public:
  enum class Phase {
    SendInit,
    AwaitInitAck,
    AwaitInitAnswer,
    SendRequest,
    AwaitRequestAck,
    AwaitRequestAnswer,
    SendBody,
    AwaitBodyAck,
    AwaitCompletion,
    Done,
  };

  // `init`: start with "REQ=INI". `crc`: the host's trace answers must carry a correct
  // "CRC=" record (its initialization answer follows the last trace request, so it may not).
  TracerExchange(bool init, std::string request, std::string body, bool crc);

  // The bytes to send now, when the exchange is at a sending step; it then waits for the
  // reply. Nothing while it waits or when it is done.
  std::optional<std::string> send();
  // The body is to be sent again after a NAK (three times at most); a NAK that comes while
  // nothing is awaited answers noise or the copy to be sent again, and is ignored; an ACK then
  // means the host took the last copy after all.
  bool resending() const { return phase_ == Phase::SendBody && bodiesSent_ > 0; }
  void received(const Reply& reply);
  void noReply();

  Phase phase() const { return phase_; }
  // True while it waits for the host's reply.
  bool waiting() const;
  Outcome outcome() const { return outcome_; }
  // The last "STATUS=" the host sent; -1 before any.
  int status() const { return status_; }
  // What ended the exchange, in words.
  const std::string& why() const { return why_; }

 private:
  void packetReceived(const std::string& packet);
  void finish(Outcome outcome, std::string why);

  Phase phase_;
  std::string request_;
  std::string body_;
  bool crc_;
  std::optional<std::string> job_;  // the request's "JOB=" value, quotes kept: answers must carry it
  int bodiesSent_ = 0;
  bool nakSeen_ = false;
  int status_ = -1;
  Outcome outcome_ = Outcome::Pending;
  std::string why_;
};

}  // namespace lumora::sim
