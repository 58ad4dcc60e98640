// The tracer link as a state machine without I/O.
//
// Design: the owner feeds received bytes with the current time (`receive`), wakes the engine
// when `deadline()` passes (`expire`), and reports the operator's answers (brand message
// closed, Save with a new name, Cancel) and the results of the disk work it was asked for
// (a trace stored, a folder checked). Each call returns the outputs it caused, in order:
// bytes to write, activity lines, raw-data list and label changes, traces to store, requests
// to show something. The engine never sleeps, never reads a clock or a file and never calls
// its owner. Every wait is a deadline (0.25 s of burst silence, the 0.33 s pause before the
// initialization answer, 6 s without a body byte) or a state (the brand message, the
// operator prompt, the disk). A timed wait ends when strictly more than its time has passed,
// so its deadline is the first microsecond after it. Bytes handed over after a deadline
// count only once the expired wait has been handled, so results depend on the time stamps
// alone, not on the owner's timer. A burst starts with its first byte: there is no poll
// period to wait for. Bytes that arrive while the engine waits for the pause, the operator
// or the disk are held, as the port would hold them, and start the next burst when the wait
// ends.
// An owner on an event loop needs one "bytes arrived" handler calling receive(), one
// single-shot precise timer armed from deadline() after every call (disarmed when there is
// none), and the operator's buttons; it applies the returned outputs in order, and answers
// a StoreTrace or CheckFolder output once the outputs before it are applied.
// Safety rules kept here: an incoming "CRC=" is checked over the bytes after FS through RS,
// or up to it (NAK and "OMA Bad Packet CRC" on a mismatch); a job number that is not a safe
// file name is refused with status 6 before the body is sent; the body is the packet its GS
// ends, from its FS, and only a whole one is taken (anything else gets NAK and the link waits
// for the body again; a new request ends the upload); the tracer hears
// ACK as soon as the body is complete, and status 0 only once the trace is stored (a failed
// store answers status 2); no buffer exceeds kMaxLinkBuffer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/problem.h"
#include "link/core/link_output.h"

namespace lumora {

// One moment, as the owner's clocks tell it.
struct Instant {
  std::int64_t micros = 0;  // steady clock, microseconds; never goes back
  std::string stamp;        // local date and time as the system writes it (short date,
                            // blank, long time), used in equipment lines
};

inline constexpr std::int64_t kBurstSilenceMicros = 250'000;
inline constexpr std::int64_t kInitPauseMicros = 330'000;
inline constexpr std::int64_t kBodyInactivityMicros = 6'000'000;

// What the link is doing, as the windows show it.
enum class LinkPhase {
  Listening,         // between uploads
  Receiving,         // an accepted upload: its body, its store
  AwaitingOperator,  // the file-name prompt or the wrong-brand message waits
};

class LinkEngine {
 public:
  enum class State {
    Idle,                 // nothing received
    GatheringBurst,       // a burst is being gathered until 0.25 s of silence
    InitPause,            // ACK sent to "REQ=INI"; the answer follows after 0.33 s
    BrandMessageShown,    // wrong vendor: waiting for the operator to close the message
    ReceivingBody,        // trace accepted: reading the body until GS (6 s inactivity limit)
    StoringTrace,         // body acknowledged: waiting for its store under the job number
    AwaitingOperator,     // "Prompt" on: waiting for Save with a new name, or Cancel
    StoringUnderNewName,  // waiting for the store under the operator's name
    CheckingChosenFolder,  // not stored under the new name: does its folder take files at all?
  };

  // `portNumber` appears in equipment lines; `prompt` is the "Prompt" setting (on: the
  // operator may store each trace again under a new name).
  LinkEngine(int portNumber, bool prompt);

  Outputs receive(std::string_view bytes, const Instant& now);
  // The first moment (steady microseconds) at which expire() has something to do.
  std::optional<std::int64_t> deadline() const;
  Outputs expire(const Instant& now);

  // Operator answers; each is ignored outside the state that asks for it, except that Save
  // with no trace waiting still makes its folder the save folder.
  Outputs brandMessageClosed(const Instant& now);
  Outputs operatorChoseName(const std::string& folder, const std::string& name);
  Outputs operatorCancelled(const Instant& now);

  // The trace of the last StoreTrace output is on disk, or `problem` says why not.
  Outputs storeFinished(const std::optional<Problem>& problem, const Instant& now);
  // Whether the folder of the last CheckFolder output takes traces at all (`problem` says why
  // not). `saveFolder` is the save folder in force, which stays when that folder is not taken.
  Outputs folderChecked(const std::optional<Problem>& problem, const std::string& saveFolder,
                        const Instant& now);

  State state() const { return state_; }
  LinkPhase phase() const;
  // The job number of the upload under way; meaningless while listening.
  const std::string& currentJob() const { return job_; }
  // From an accepted trace request until the tracer has its answer and, with "Prompt" on, the
  // operator has answered too: closing the port meanwhile loses the trace or its new name.
  // (The wrong-brand message waits for the operator too, but its upload is refused already.)
  bool uploadInProgress() const { return phase() == LinkPhase::Receiving || state_ == State::AwaitingOperator; }

 private:
  // Bursts and dispatch (link_engine.cpp).
  void startBurst(const Instant& now);
  void appendBurst(std::string_view bytes, const Instant& now, Outputs& out);
  void endBurst(const Instant& now, Outputs& out);
  void holdInput(std::string_view bytes, Outputs& out);
  void becomeIdle(const Instant& now);
  void answerRequest(std::string packet, const Instant& now, Outputs& out);
  void finishInitPause(const Instant& now, Outputs& out);

  // The trace request and its body (trace_upload.cpp).
  void startUpload(const std::string& packet, const Instant& now, Outputs& out);
  void appendBody(std::string_view bytes, const Instant& now, Outputs& out);
  void discardOverlongBody(const Instant& now, Outputs& out);
  // The body's GS has arrived; `rest` is what followed it.
  void endBodyPacket(std::string_view rest, const Instant& now, Outputs& out);
  void bodyTimedOut(const Instant& now, Outputs& out);
  // "ANS=TRC", the job, "TRCFMT=" and "ZFMT=" when `acceptedFormat` is given, the status.
  void writeTraceAnswer(int status, Outputs& out, const std::string& acceptedFormat = {});
  // Says how the upload of job_ ended: `status` is the tracer's final answer, `file` the
  // name of its stored trace in `folder` (empty when none). Comes before that status's answer,
  // so an owner that records it has done so before the tracer hears it.
  void endUpload(UploadOutcome outcome, std::optional<int> status, Outputs& out, std::string folder = {},
                 std::string file = {});
  // An upload that ends with nothing stored: said as `outcome`, then answered with `status`.
  void endUnstored(UploadOutcome outcome, int status, Outputs& out);

  // Storing the trace, and the operator's new name for it (trace_storing.cpp).
  void storeTrace(std::string folder, std::string name, State waiting, Outputs& out);
  void traceStored(const Instant& now, Outputs& out);
  void reportNotStored(const std::string& why, Outputs& out);
  void showStoredLabels(Outputs& out) const;  // status and order labels
  void checkChosenFolder(Outputs& out);

  int portNumber_;
  bool prompt_;

  State state_ = State::Idle;
  std::string burst_;        // bytes of the burst being gathered
  bool discarding_ = false;  // the burst outgrew the buffer limit: drop it to its end
  std::int64_t lastRx_ = 0;  // when the last byte of a burst or body arrived
  std::int64_t pauseStart_ = 0;
  std::string held_;  // bytes received while waiting, not yet read

  // Of the last upload request: answers carry a CRC record when it had one, and the job
  // number in double quotes when it had any.
  bool answerWithCrc_ = false;
  std::string jobQuote_;

  std::string job_;  // job number text of the current request
  std::int32_t jobReference_ = 0;
  std::string body_;                  // trace body received so far
  std::vector<std::string> rawData_;  // the raw-data list: lines of the last trace body
  std::string storedName_;            // the name the trace is being stored under
  std::string chosenFolder_;          // the operator's folder for it
};

}  // namespace lumora
