#include "core/tracer_exchange.h"

#include "link/core/framing.h"
#include "base/core/number_text.h"

namespace lumora::sim {

TracerExchange::TracerExchange(bool init, std::string request, std::string body, bool crc)
    : phase_(init ? Phase::SendInit : Phase::SendRequest),
      request_(std::move(request)),
      body_(std::move(body)),
      crc_(crc),
      job_(recordValue(request_, "JOB=")) {}

std::optional<std::string> TracerExchange::send() {
  switch (phase_) {
    case Phase::SendInit: phase_ = Phase::AwaitInitAck; return initRequest(crc_);
    case Phase::SendRequest: phase_ = Phase::AwaitRequestAck; return request_;
    case Phase::SendBody: phase_ = Phase::AwaitBodyAck, ++bodiesSent_; return body_;
    default: return std::nullopt;
  }
}

bool TracerExchange::waiting() const {
  return phase_ != Phase::Done && phase_ != Phase::SendInit && phase_ != Phase::SendRequest &&
         phase_ != Phase::SendBody;
}

void TracerExchange::finish(Outcome outcome, std::string why) {
  phase_ = Phase::Done;
  outcome_ = outcome;
  why_ = std::move(why);
}

void TracerExchange::received(const Reply& reply) {
  if (phase_ == Phase::Done) return;
  switch (reply.kind) {
    case Reply::Kind::Stray: return;  // line noise; the host's next reply decides
    case Reply::Kind::Packet: return packetReceived(reply.bytes);
    case Reply::Kind::Ack:
      if (phase_ == Phase::AwaitInitAck)
        phase_ = Phase::AwaitInitAnswer;
      else if (phase_ == Phase::AwaitRequestAck)
        phase_ = Phase::AwaitRequestAnswer;
      else if (phase_ == Phase::AwaitBodyAck || resending())  // that NAK was for noise after all
        phase_ = Phase::AwaitCompletion;
      else
        finish(Outcome::NoAnswer, "ACK out of turn");
      return;
    case Reply::Kind::Nak:
      if (!waiting()) return;  // for noise sent before, or for the copy about to be sent again
      // A refused trace request is still answered with a status packet.
      if (phase_ == Phase::AwaitRequestAck) {
        nakSeen_ = true;
        phase_ = Phase::AwaitRequestAnswer;
      } else if (phase_ == Phase::AwaitBodyAck && bodiesSent_ < 4) {
        phase_ = Phase::SendBody;
      } else {
        finish(Outcome::Refused, "NAK");
      }
      return;
  }
}

void TracerExchange::packetReceived(const std::string& packet) {
  // The host takes up CRC records from trace requests, so only its trace answers must carry
  // one; a wrong one is never acceptable.
  const CrcCheck crc = checkIncomingCrc(packet);
  const std::string answer = recordValue(packet, "ANS=").value_or("");
  if (crc == CrcCheck::Bad || (crc_ && answer == "TRC" && crc != CrcCheck::Good))
    return finish(Outcome::NoAnswer, "answer without a correct CRC record");
  const std::optional<std::string> statusText = recordValue(packet, "STATUS=");
  if (statusText) status_ = static_cast<int>(value(*statusText));
  if (phase_ == Phase::AwaitInitAnswer && answer == "INI") {
    phase_ = Phase::SendRequest;
    return;
  }
  const bool traceAnswer = answer == "TRC" && statusText;
  if (!traceAnswer) return finish(Outcome::NoAnswer, "unexpected packet");
  if (job_ && recordValue(packet, "JOB=") != job_) return finish(Outcome::NoAnswer, "answer for another job");
  if (status_ != 0) return finish(Outcome::Refused, "status " + std::to_string(status_));
  if (phase_ == Phase::AwaitRequestAnswer && !nakSeen_) {
    phase_ = Phase::SendBody;
  } else if (phase_ == Phase::AwaitCompletion) {
    finish(Outcome::Stored, "stored");
  } else {
    finish(nakSeen_ ? Outcome::Refused : Outcome::NoAnswer, "status 0 out of turn");
  }
}

void TracerExchange::noReply() {
  if (phase_ != Phase::Done) finish(Outcome::NoAnswer, "no answer in time");
}

}  // namespace lumora::sim
