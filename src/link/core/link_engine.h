// The tracer link as a state machine without I/O.
//
// Design: the owner feeds received bytes with the current time (`receive`), wakes the engine
// when `deadline()` passes (`expire`), and reports the operator's answers (brand message
// closed, Save with a new name, Cancel). Each call returns the outputs it caused, in order:
// bytes to write, activity lines, raw-data list and label changes, requests to show
// something. The engine never sleeps, never reads a clock and never calls its owner; the
// only thing it reaches out to is the TraceStore that writes trace files. Every wait is a
// deadline (0.25 s of burst silence, the 0.33 s pause before the initialization answer,
// 6 s without a body byte) or a state (the brand message, the operator prompt). A wait
// ends when strictly more than its time has passed, so its deadline is the first
// microsecond after it. Bytes handed over after a deadline count only once the expired wait
// has been handled, so results depend on the time stamps alone, not on the owner's timer.
// A burst starts with its first byte: there is no poll period to wait for.
// Bytes that arrive while the engine waits for the pause or the operator are held, as the
// port would hold them, and start the next burst when the wait ends.
// An owner on an event loop needs one "bytes arrived" handler calling receive(), one
// single-shot precise timer armed from deadline() after every call (disarmed when there is
// none), and the operator's buttons; it applies the returned outputs in order.
// Safety rules kept here: an incoming "CRC=" is checked over the bytes after FS through RS,
// or up to it (NAK and "OMA Bad Packet CRC" on a mismatch); a job number that is not a safe
// file name is refused with status 6 before the body is sent; the body is the packet its GS
// ends, from its FS (noise alone is dropped, a new request ends the upload); a trace is
// stored before the tracer hears status 0, and a failed store answers status 2; no buffer
// exceeds MaxLinkBuffer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/link_output.h"
#include "link/core/trace_store.h"

namespace lumora {

// One moment, as the owner's clocks tell it.
struct Instant {
  std::int64_t micros = 0;  // steady clock, microseconds; never goes back
  std::string stamp;        // local date and time as the system writes it (short date,
                            // blank, long time), used in equipment lines
};

inline constexpr std::int64_t BurstSilenceMicros = 250'000;
inline constexpr std::int64_t InitPauseMicros = 330'000;
inline constexpr std::int64_t BodyInactivityMicros = 6'000'000;

class LinkEngine {
 public:
  enum class State {
    Idle,              // nothing received
    Gathering,         // a burst is being gathered until 0.25 s of silence
    InitPause,         // ACK sent to "REQ=INI"; the answer follows after 0.33 s
    BrandMessage,      // wrong vendor: waiting for the operator to close the message
    ReceivingBody,     // trace accepted: reading the body until GS (6 s inactivity limit)
    Storing,           // body acknowledged: stored and answered at once, in the next call
    AwaitingOperator,  // "Prompt" on: waiting for Save with a new name, or Cancel
  };

  // `portNumber` appears in equipment lines; `savePath` is the save folder; `prompt` is the
  // "Prompt" setting (on: the operator may store each trace again under a new name).
  LinkEngine(TraceStore& store, int portNumber, std::string savePath, bool prompt);

  Outputs receive(std::string_view bytes, const Instant& now);
  // The first moment (steady microseconds) at which expire() has something to do.
  std::optional<std::int64_t> deadline() const;
  Outputs expire(const Instant& now);

  // Operator answers; each is ignored outside the state that asks for it.
  Outputs brandMessageClosed(const Instant& now);
  // Save under `name` in `folder` (the folder stays the save folder for later traces).
  Outputs operatorChoseName(const std::string& folder, const std::string& name, const Instant& now);
  Outputs operatorCancelled(const Instant& now);

  void setPortNumber(int portNumber) { portNumber_ = portNumber; }
  void setSavePath(std::string savePath) { SavePath_ = std::move(savePath); }
  void setPrompt(bool prompt) { prompt_ = prompt; }

  State state() const { return state_; }
  const std::string& QuoteChar() const { return QuoteChar_; }
  const std::string& JobNumberText() const { return JobNumberText_; }
  const std::string& SavePath() const { return SavePath_; }

 private:
  // Bursts and dispatch (link_engine.cpp).
  void startBurst(const Instant& now);
  void appendBurst(std::string_view bytes, const Instant& now, Outputs& out);
  void endBurst(const Instant& now, Outputs& out);
  void holdInput(std::string_view bytes, Outputs& out);
  void becomeIdle(const Instant& now);
  void OMAResponse(std::string packet, const Instant& now, Outputs& out);
  void finishInitPause(const Instant& now, Outputs& out);

  // One upload (trace_upload.cpp).
  void OMATracer(std::string& packet, const Instant& now, Outputs& out);
  void appendBody(std::string_view bytes, const Instant& now, Outputs& out);
  void discardOverlongBody(const Instant& now, Outputs& out);
  // The body's GS has arrived; `rest` is what followed it.
  void endBodyPacket(std::string_view rest, const Instant& now, Outputs& out);
  void finishBody(const Instant& now, Outputs& out);
  void bodyTimedOut(const Instant& now, Outputs& out);
  bool SaveRawOMATraceData(const std::string& JN, Outputs& out);
  void showStoredLabels(const std::string& JN, Outputs& out) const;  // status and order labels
  // "ANS=TRC", the job, "TRCFMT=" and "ZFMT=" when `acceptedFormat` is given, the status.
  void writeTraceAnswer(int status, Outputs& out, const std::string& acceptedFormat = {});

  TraceStore& store_;
  int portNumber_;
  std::string SavePath_;
  bool prompt_;

  State state_ = State::Idle;
  std::string burst_;        // bytes of the burst being gathered
  bool discarding_ = false;  // the burst outgrew the buffer limit: drop it to its end
  std::int64_t lastRx_ = 0;  // when the last byte of a burst or body arrived
  std::int64_t bodyEnd_ = 0;  // when the body's GS arrived
  std::int64_t pauseStart_ = 0;
  std::string held_;  // bytes received while waiting, not yet read

  bool CrcMode_ = false;
  std::string QuoteChar_;

  std::string job_;  // job number text of the current request
  std::int32_t JobRef_ = 0;
  std::string body_;                  // trace body received so far
  std::vector<std::string> rawData_;  // the raw-data list: lines of the last trace body
  std::string JobNumberText_;
};

}  // namespace lumora
