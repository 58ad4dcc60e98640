// One tracer-initiated upload: brand and format checks, the answer, and the body up to its
// acknowledgement.
#include <utility>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/link_engine.h"
#include "link/core/link_outputs_make.h"
#include "link/core/link_texts.h"
#include "link/core/upload_rules.h"
#include "base/core/ascii_text.h"
#include "trace/core/trace_name.h"

namespace lumora {
namespace {

constexpr const char* kBrandMessage =
    "This tracer is a brand other than Corvane.  This ordering system can only be used with "
    "Corvane OMA Tracing equipment.\n\nContact Corvane at (800)555-0142 for information on "
    "obtaining a tracer compatible with this system.";

}  // namespace

void LinkEngine::writeTraceAnswer(int status, Outputs& out, const std::string& acceptedFormat) {
  std::vector<Record> records{{"ANS=", "TRC"}, {"JOB=", jobQuote_ + job_ + jobQuote_}};
  if (!acceptedFormat.empty()) {
    records.push_back({"TRCFMT=", acceptedFormat});
    records.push_back({"ZFMT=", acceptedFormat});
  }
  records.push_back({"STATUS=", std::to_string(status)});
  writeBytes(out, framePacket(records, answerWithCrc_));
}

void LinkEngine::endUpload(UploadOutcome outcome, std::optional<int> status, Outputs& out, std::string folder,
                           std::string file) {
  Output ended{OutputKind::UploadEnded, {}, {}, {}, 0};
  ended.end = UploadEnd{outcome, job_, status, std::move(folder), std::move(file), {}};
  if (!ended.end.file.empty()) ended.end.bytes = traceFileBytes(rawData_);
  out.push_back(std::move(ended));
}

void LinkEngine::endUnstored(UploadOutcome outcome, int status, Outputs& out) {
  endUpload(outcome, status, out);
  writeTraceAnswer(status, out);
}

void LinkEngine::startUpload(const std::string& packet, const Instant& now, Outputs& out) {
  const std::vector<std::string> lines = packetLines(packet);
  job_ = recordValue(lines, "JOB=");
  const std::string vendor = asciiUpper(trimBlanks(recordValue(lines, "VEN=")));
  jobReference_ = jobReference(job_);
  if (vendor != kVendorCode) {
    writeBytes(out, std::string(1, kNak));
    emit(out, OutputKind::ShowBrandMessage, kBrandMessage);
    state_ = State::BrandMessageShown;
    return;
  }
  writeBytes(out, std::string(1, kAck));
  const std::optional<std::string> format = acceptedTraceFormat(lines);
  if (!format) {
    addActivity(out, "Unsupported TRC Format!");
    return endUnstored(UploadOutcome::UnsupportedFormat, 17, out);
  }
  // The job number becomes a file name: one that could leave the save folder or that the
  // file system would refuse is turned down before the tracer sends the body.
  if (const auto problem = traceNameProblem(job_)) {
    addActivity(out, "Invalid Job ID: \"" + job_ + "\" " + problem->text);
    return endUnstored(UploadOutcome::BadName, 6, out);
  }
  held_.clear();
  emit(out, OutputKind::DiscardInput);
  addActivity(out, "Ready for OMA Trace");
  writeTraceAnswer(0, out, *format);
  state_ = State::ReceivingBody;
  body_.clear();
  lastRx_ = now.micros;
}

Outputs LinkEngine::brandMessageClosed(const Instant& now) {
  Outputs out;
  if (state_ != State::BrandMessageShown) return out;
  held_.clear();
  emit(out, OutputKind::DiscardInput);
  addActivity(out, "Trace has been aborted.");
  emit(out, OutputKind::StatusLabel, "Unable to Capture Trace!\n\nAn Corvane Tracer is Required.");
  endUnstored(UploadOutcome::RefusedBrand, 17, out);
  becomeIdle(now);
  return out;
}

// The body ends at its first GS; what follows belongs to the next packet. A body whose CRC
// record does not match is refused with NAK and the link keeps listening for a new copy.
void LinkEngine::appendBody(std::string_view bytes, const Instant& now, Outputs& out) {
  lastRx_ = now.micros;
  while (state_ == State::ReceivingBody && !bytes.empty()) {
    const std::size_t gs = bytes.find(kGs);
    const std::string_view part =
        bytes.substr(0, gs == std::string_view::npos ? bytes.size() : gs + 1);
    bytes.remove_prefix(part.size());
    if (body_.size() + part.size() > kMaxLinkBuffer) return discardOverlongBody(now, out);
    body_ += part;
    if (gs != std::string_view::npos) endBodyPacket(bytes, now, out);
  }
}

void LinkEngine::discardOverlongBody(const Instant& now, Outputs& out) {
  addActivity(out, bufferLimitLine("OMA Trace Discarded", "bytes without an end"));
  body_.clear();
  endUnstored(UploadOutcome::TooLong, 2, out);
  startBurst(now);
  discarding_ = true;  // the rest of this flood ends with its silence
}

// A packet that opens with a request means the tracer has given up on this upload and asks
// anew; it is answered as any request. Otherwise the body runs from where its packet starts:
// bytes before it are line noise or a copy cut short, and a stray FS inside it is noise too
// (the lines drop its control character). Anything that is not a whole body (noise, half a
// body cut by a stray GS, a body without the CRC its tracer uses) gets NAK, and the link goes
// on waiting for the tracer to send the body again: only a body the tracer sent is stored.
void LinkEngine::endBodyPacket(std::string_view rest, const Instant& now, Outputs& out) {
  const std::size_t last = body_.rfind(kFs);
  if (last != std::string::npos && opensWithRequest(std::string_view(body_).substr(last))) {
    addActivity(out, "OMA Trace Aborted: the tracer sent a new request");
    endUpload(UploadOutcome::Abandoned, std::nullopt, out);
    holdInput(body_.substr(last), out);
    holdInput(rest, out);
    body_.clear();
    return becomeIdle(now);
  }
  const std::size_t start = bodyStart(body_);
  const std::string_view packet = start == std::string::npos ? std::string_view() : std::string_view(body_).substr(start);
  if (const auto refusal = bodyRefusal(packet, answerWithCrc_)) {
    body_.clear();
    writeBytes(out, std::string(1, kNak));
    return addActivity(out, *refusal);
  }
  std::vector<std::string> lines = traceLinesFromBody(packet);
  body_.clear();
  // The tracer hears its ACK before the disk is asked: storing waits for the owner.
  writeBytes(out, std::string(1, kAck));
  holdInput(rest, out);
  rawData_ = std::move(lines);
  emit(out, OutputKind::RawDataCleared);
  for (const std::string& line : rawData_) emit(out, OutputKind::RawDataAdded, line);
  addActivity(out, equipmentLine(now.stamp, portNumber_, "Trace Received", jobReference_));
  storeTrace({}, job_, State::StoringTrace, out);
}

void LinkEngine::bodyTimedOut(const Instant& now, Outputs& out) {
  addActivity(out, "OMA Tracer Timeout");
  endUnstored(UploadOutcome::TimedOut, 1, out);
  body_.clear();
  becomeIdle(now);
}

}  // namespace lumora
