// One tracer-initiated upload: brand and format checks, the body, storing, the prompt.
#include <algorithm>
#include <utility>

#include "link/core/control_chars.h"
#include "link/core/framing.h"
#include "link/core/labels.h"
#include "link/core/link_engine.h"
#include "link/core/link_outputs_make.h"
#include "link/core/link_texts.h"
#include "link/core/upload_rules.h"
#include "base/core/ascii_text.h"
#include "trace/core/trace_name.h"

namespace lumora {
namespace {

constexpr const char* BrandMessageText =
    "This tracer is a brand other than Corvane.  This ordering system can only be used with "
    "Corvane OMA Tracing equipment.\n\nContact Corvane at (800)555-0142 for information on "
    "obtaining a tracer compatible with this system.";

}  // namespace

void LinkEngine::writeTraceAnswer(int status, Outputs& out, const std::string& acceptedFormat) {
  std::vector<Record> records{{"ANS=", "TRC"}, {"JOB=", QuoteChar_ + job_ + QuoteChar_}};
  if (!acceptedFormat.empty()) {
    records.push_back({"TRCFMT=", acceptedFormat});
    records.push_back({"ZFMT=", acceptedFormat});
  }
  records.push_back({"STATUS=", std::to_string(status)});
  writeBytes(out, FramePacket(records, CrcMode_));
}

void LinkEngine::OMATracer(std::string& packet, const Instant& now, Outputs& out) {
  std::vector<std::string> packetLines(1);  // split by the first label found
  job_ = ValueFromLabel("JOB=", packet, packetLines);
  const std::string vendor = asciiUpper(trimBlanks(ValueFromLabel("VEN=", packet, packetLines)));
  JobRef_ = JobRefFromText(job_);
  if (vendor != VendorCode) {
    writeBytes(out, std::string(1, NAK));
    emit(out, OutputKind::ShowBrandMessage, BrandMessageText);
    state_ = State::BrandMessage;
    return;
  }
  writeBytes(out, std::string(1, ACK));
  const std::optional<std::string> format = AcceptedTraceFormat(packetLines);
  if (!format) {
    AddEvent(out, "Unsupported TRC Format!");
    return writeTraceAnswer(17, out);
  }
  // The job number becomes a file name: one that could leave the save folder or that the
  // file system would refuse is turned down before the tracer sends the body.
  if (const auto problem = traceNameProblem(job_)) {
    AddEvent(out, "Invalid Job ID: \"" + job_ + "\" " + problem->text);
    return writeTraceAnswer(6, out);
  }
  held_.clear();
  emit(out, OutputKind::DiscardInput);
  AddEvent(out, "Ready for OMA Trace");
  writeTraceAnswer(0, out, *format);
  state_ = State::ReceivingBody;
  body_.clear();
  lastRx_ = now.micros;
}

Outputs LinkEngine::brandMessageClosed(const Instant& now) {
  Outputs out;
  if (state_ != State::BrandMessage) return out;
  held_.clear();
  emit(out, OutputKind::DiscardInput);
  AddEvent(out, "Trace has been aborted.");
  emit(out, OutputKind::StatusLabel, "Unable to Capture Trace!\n\nAn Corvane Tracer is Required.");
  writeTraceAnswer(17, out);
  becomeIdle(now);
  return out;
}

// The body ends at its first GS; what follows belongs to the next packet. A body whose CRC
// record does not match is refused with NAK and the link keeps listening for a new copy.
void LinkEngine::appendBody(std::string_view bytes, const Instant& now, Outputs& out) {
  lastRx_ = now.micros;
  while (state_ == State::ReceivingBody && !bytes.empty()) {
    const std::size_t gs = bytes.find(GS);
    const std::string_view part =
        bytes.substr(0, gs == std::string_view::npos ? bytes.size() : gs + 1);
    bytes.remove_prefix(part.size());
    if (body_.size() + part.size() > MaxLinkBuffer) return discardOverlongBody(now, out);
    body_ += part;
    if (gs != std::string_view::npos) endBodyPacket(bytes, now, out);
  }
}

void LinkEngine::discardOverlongBody(const Instant& now, Outputs& out) {
  AddEvent(out, BufferLimitText("OMA Trace Discarded", "bytes without an end"));
  body_.clear();
  writeTraceAnswer(2, out);
  startBurst(now);
  discarding_ = true;  // the rest of this flood ends with its silence
}

// A packet that opens with a request means the tracer has given up on this upload and asks
// anew; it is answered as any request. Otherwise the body runs from where its packet starts:
// bytes before it are line noise or a copy cut short, and a stray FS inside it is noise too
// (the lines drop its control character). Without an FS, or without a line, it is all noise,
// and the link goes on waiting for the body, as it does after a NAK.
void LinkEngine::endBodyPacket(std::string_view rest, const Instant& now, Outputs& out) {
  const std::size_t last = body_.rfind(FS);
  if (last != std::string::npos && OpensWithRequest(std::string_view(body_).substr(last))) {
    AddEvent(out, "OMA Trace Aborted: the tracer sent a new request");
    holdInput(body_.substr(last), out);
    holdInput(rest, out);
    body_.clear();
    return becomeIdle(now);
  }
  const std::size_t start = BodyStart(body_);
  std::vector<std::string> lines;
  if (start != std::string::npos) lines = TraceLinesFromBody(std::string_view(body_).substr(start));
  if (lines.empty()) {
    AddEvent(out, "OMA Input Discarded: line noise while waiting for the trace");
    body_.clear();
    return;
  }
  body_.erase(0, start);
  const bool crcBad = CheckIncomingCrc(body_) == CrcCheck::Bad;
  body_.clear();
  if (crcBad) {
    writeBytes(out, std::string(1, NAK));
    AddEvent(out, "OMA Bad Packet CRC");
    return;
  }
  // The tracer hears its ACK at once; storing (which waits for the disk) follows in the
  // owner's next call, due immediately.
  writeBytes(out, std::string(1, ACK));
  holdInput(rest, out);
  rawData_ = std::move(lines);
  state_ = State::Storing;
  bodyEnd_ = now.micros;
}

void LinkEngine::bodyTimedOut(const Instant& now, Outputs& out) {
  AddEvent(out, "OMA Tracer Timeout");
  writeTraceAnswer(1, out);
  body_.clear();
  becomeIdle(now);
}

void LinkEngine::finishBody(const Instant& now, Outputs& out) {
  emit(out, OutputKind::RawDataCleared);
  for (const std::string& line : rawData_) emit(out, OutputKind::RawDataAdded, line);
  JobNumberText_ = job_;
  AddEvent(out, EquipMsg(now.stamp, portNumber_, "Trace Received", JobRef_));
  // Stored before the tracer is told: a trace that is not on disk is never reported as stored.
  if (!SaveRawOMATraceData(JobNumberText_, out)) {
    writeTraceAnswer(2, out);
    return becomeIdle(now);
  }
  writeTraceAnswer(0, out);
  if (auto label = ShowOrderNumber(JobNumberText_)) emit(out, OutputKind::OrderLabel, *label);
  AddEvent(out, EquipMsg(now.stamp, portNumber_, "Trace Received", JobRef_));
  emit(out, OutputKind::ShowTrace, JobNumberText_, store_.TracePath(SavePath_, JobNumberText_));
  emit(out, OutputKind::EnableSave);
  emit(out, OutputKind::StatusLabel, "");
  if (prompt_) {
    emit(out, OutputKind::PromptOperator);
    state_ = State::AwaitingOperator;
    return;
  }
  emit(out, OutputKind::PromptEnded);
  // The same bytes under the same name are on disk already: writing them a second time could
  // only fail (a full disk) and call a stored trace unsaved. The labels are set again, as a
  // store sets them after the prompt's own order label.
  showStoredLabels(JobNumberText_, out);
  becomeIdle(now);
}

bool LinkEngine::SaveRawOMATraceData(const std::string& JN, Outputs& out) {
  std::string why;
  if (const auto problem = traceNameProblem(JN))
    why = "\"" + JN + "\" " + problem->text;
  else
    why = store_.StoreTrace(SavePath_, JN, rawData_);
  if (!why.empty()) {
    AddEvent(out, "Cant Store Data: " + why);
    emit(out, OutputKind::StatusLabel, NotSavedStatusText(JN));
    return false;
  }
  showStoredLabels(JN, out);
  return true;
}

void LinkEngine::showStoredLabels(const std::string& JN, Outputs& out) const {
  emit(out, OutputKind::StatusLabel, SavedStatusText(JN));
  emit(out, OutputKind::OrderLabel, "Order: " + JN);
}

Outputs LinkEngine::operatorChoseName(const std::string& folder, const std::string& name,
                                      const Instant& now) {
  Outputs out;
  // "&Save" makes the chosen folder the save folder for the rest of the run, also when no
  // trace is waiting; only a waiting trace is stored again under the new name.
  if (state_ != State::AwaitingOperator) {
    SavePath_ = folder;
    emit(out, OutputKind::SaveFolderChanged, {}, SavePath_);
    return out;
  }
  JobNumberText_ = name;
  if (auto index = ReplaceJobNumber(rawData_, name, QuoteChar_))
    out.push_back(Output{OutputKind::RawDataReplaced, rawData_[*index], {}, *index});
  if (auto label = ShowOrderNumber(JobNumberText_)) emit(out, OutputKind::OrderLabel, *label);
  emit(out, OutputKind::PromptEnded);
  // A folder that is missing or takes no files is not taken: every later trace of the run
  // would fail there. A name refused on its own leaves the folder choice standing.
  const std::string previous = std::exchange(SavePath_, folder);
  if (SaveRawOMATraceData(JobNumberText_, out) || store_.FolderProblem(folder).empty()) {
    emit(out, OutputKind::SaveFolderChanged, {}, SavePath_);
  } else {
    SavePath_ = previous;
    if (folder != previous) AddEvent(out, "Traces are still saved in " + previous);
  }
  becomeIdle(now);
  return out;
}

Outputs LinkEngine::operatorCancelled(const Instant& now) {
  Outputs out;
  if (state_ != State::AwaitingOperator) return out;
  emit(out, OutputKind::PromptEnded);
  becomeIdle(now);
  return out;
}

}  // namespace lumora
