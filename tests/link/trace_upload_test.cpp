// One trace upload through the engine: answers, stored bytes and names, failures.
#include <gtest/gtest.h>

#include "link/core/link_engine.h"
#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;
using State = LinkEngine::State;
using Lines = std::vector<std::string>;
using Calls = std::vector<RecordingStore::Call>;

std::string trcRequest(const std::string& job = "12345", const std::string& vendor = "CORVANE",
                       const Lines& formats = {"TRCFMT=1;400;E;R;F", "TRCFMT=1;400;E;L;F"},
                       bool withCrc = false) {
  Lines records{"REQ=TRC", "JOB=" + job, "VEN=" + vendor};
  records.insert(records.end(), formats.begin(), formats.end());
  return tracerPacket(records, withCrc);
}

std::string traceBody(const std::string& job = "12345", bool withCrc = false) {
  return tracerPacket({"ANS=TRC", "JOB=" + job, "TRCFMT=1;400;E;R;F", "R=2500;2510;2520",
                       "ZFMT=1;400;E;R;F", "Z=10;11;12"},
                      withCrc);
}

const std::string StoredBytes =
    "REQ=FIL\r\nJOB=12345\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\nZFMT=1;400;E;R;F\r\nZ=10;11;"
    "12\r\n";
const RecordingStore::Call Stored{"/saves/12345", StoredBytes};

// The link's trace answer, written out by hand.
std::string answer(const std::string& job, int status, const std::string& format = {},
                   bool withCrc = false) {
  std::string records = "ANS=TRC\r\nJOB=" + job + "\r\n";
  if (!format.empty()) records += "TRCFMT=" + format + "\r\nZFMT=" + format + "\r\n";
  records += "STATUS=" + std::to_string(status) + "\r\n\x1e";
  return "\x1c" + records + (withCrc ? "CRC=" + std::to_string(CRC16(records)) + "\r\n" : "") +
         "\x1d";
}

Output notSaved(const std::string& name) {
  return make(OutputKind::StatusLabel,
              name + " Trace Data NOT Saved!\n\nWaiting for Next Trace...");
}

class UploadTest : public LinkTest {
 protected:
  // A request that is accepted; the link then waits for the body.
  void accept(const std::string& job = "12345") {
    request(trcRequest(job));
    ASSERT_EQ(link.state(), State::ReceivingBody);
  }
  // A whole upload; with the prompt on, the link then waits for the operator.
  Outputs upload(const std::string& job = "12345") {
    accept(job);
    return send(traceBody(job));
  }
};

TEST_F(UploadTest, RequestIsAcceptedOrRefusedBeforeTheBody) {
  auto accepted = [](const std::string& job, bool crc = false) {
    return Outputs{activity("OMA Tracer"), Ack, make(OutputKind::DiscardInput),
                   activity("Ready for OMA Trace"), write(answer(job, 0, "1;400;E;R;F", crc))};
  };
  auto refused = [](const std::string& line, const std::string& job, int status) {
    return Outputs{activity("OMA Tracer"), Ack, activity(line), write(answer(job, status))};
  };
  const struct {
    std::string request;
    Outputs out;
  } cases[] = {
      {trcRequest(), accepted("12345")},
      {trcRequest("1", " corvane "), accepted("1")},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;400;E;R;F"}, true), accepted("12345", true)},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;399;E;R;F"}),
       refused("Unsupported TRC Format!", "12345", 17)},
      // A job number that is not a safe file name never reaches the disk.
      {trcRequest("..\\evil"),
       refused("Invalid Job ID: \"..\\evil\" contains a path separator", "..\\evil", 6)},
  };
  for (const auto& c : cases) EXPECT_EQ(alone(c.request), c.out) << Describe(write(c.request));
  EXPECT_TRUE(store.calls.empty());
}

// Without the prompt the trace is stored, answered and shown; bytes after the body's GS are
// the next packet. Mended fault: it was then written a second time, whose failure on a full
// disk called the stored trace unsaved.
TEST_F(UploadTest, CompleteExchangeStoresUnderTheJobNumber) {
  link.setPortNumber(4);
  accept();
  const Outputs out = send(traceBody() + tracerPacket({"REQ=INI"}));
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, ACK), answer("12345", 0)}));
  EXPECT_EQ(texts(out, OutputKind::Activity).back(), "06.12.2026 @" + std::to_string(micros) +
                                                        " COM:4 Trace Received: 12345");
  EXPECT_EQ(texts(out, OutputKind::ShowTrace), Lines{"12345"});
  EXPECT_EQ(texts(out, OutputKind::StatusLabel).back(), "12345 Trace Data Saved to Disk.\n\nWaiting for Next Trace...");
  EXPECT_EQ(texts(out, OutputKind::OrderLabel).back(), "Order: 12345");
  EXPECT_EQ(store.calls, Calls{Stored});
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

// Mended fault: the store waited for the disk before the ACK. The tracer now hears it at
// once; the store follows in the owner's next call.
TEST_F(UploadTest, AckGoesOutBeforeTheTraceIsStored) {
  accept();
  EXPECT_EQ(link.receive(traceBody(), now()), (Outputs{Ack}));
  EXPECT_TRUE(store.calls.empty());
  EXPECT_EQ(link.deadline(), micros);  // due at once
  link.expire(now());
  EXPECT_EQ(store.calls.at(0), Stored);
}

// The body may pause up to 6 s; a longer pause, even one a late timer missed, ends it with
// status 1.
TEST_F(UploadTest, BodyPausesUpToSixSecondsAndTimesOutAfterThem) {
  const Outputs timeout{activity("OMA Tracer Timeout"), write(answer("12345", 1))};
  accept();
  const std::string body = traceBody();
  EXPECT_TRUE(send(body.substr(0, 20)).empty());
  EXPECT_TRUE(wait(6'000'000).empty());  // exactly 6 s is not "more than 6 s"
  EXPECT_TRUE(send(body.substr(20, 30)).empty());
  EXPECT_EQ(link.deadline(), micros + 6'000'001);
  EXPECT_EQ(wait(6'000'001), timeout);
  EXPECT_TRUE(request(body.substr(50)).empty());  // the rest is a stray burst now
  const auto pausedWithoutTimer = [&](std::int64_t pause) {
    accept();
    send(body.substr(0, 20));
    micros += pause;
    return send(body.substr(20));
  };
  pausedWithoutTimer(6'000'000);
  EXPECT_EQ(store.calls, Calls{Stored});
  EXPECT_EQ(pausedWithoutTimer(6'000'001), timeout);
}

TEST_F(UploadTest, BodyWithBadCrcGetsNakAndTheLinkWaitsForANewCopy) {
  accept();
  std::string bad = traceBody("12345", true);
  bad[bad.find("R=2500") + 2] = '9';
  EXPECT_EQ(send(bad), (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  micros += 1'000'000;
  send(traceBody("12345", true));
  EXPECT_EQ(store.calls, Calls{Stored});  // without the CRC line
}

// Mended fault: whatever ended in a GS while the body was awaited was stored as the trace and
// answered with status 0 (a stray GS stored an empty file). Now the body runs from its first
// FS; noise alone, or an empty packet, is dropped and the link goes on waiting. A stray FS
// inside the body is noise too: it once cut the trace's head off, or (just before the GS)
// stored an empty file over the trace.
TEST_F(UploadTest, BodyRunsFromItsFirstFsAndNoiseAloneIsDropped) {
  const Outputs noise{activity("OMA Input Discarded: line noise while waiting for the trace")};
  accept();
  EXPECT_EQ(send("\xff\xfe\x1d"), noise);
  EXPECT_EQ(send("\x1c\x1e\x1d"), noise);
  EXPECT_EQ(link.state(), State::ReceivingBody);
  EXPECT_TRUE(store.calls.empty());
  send("xyz" + traceBody());
  EXPECT_EQ(store.calls, Calls{Stored});
  for (const std::size_t at : {traceBody().find("R=2500"), traceBody().size() - 1}) {
    store.calls.clear();
    accept();
    std::string body = traceBody();
    body.insert(at, 1, FS);
    send(body);
    EXPECT_EQ(store.calls, Calls{Stored}) << at;
  }
  // A tracer whose GS was lost sends the whole packet again: one copy is stored.
  store.calls.clear();
  accept();
  send(traceBody().substr(0, 40) + traceBody());
  EXPECT_EQ(store.calls, Calls{Stored});
}

// Mended fault: a tracer that gave up (a body cut short, a request sent again) had its new
// request stored as the old job's trace, answered with status 0. The request now ends the
// upload, nothing is stored, and it is answered as any request.
TEST_F(UploadTest, ARequestInsteadOfTheBodyEndsTheUploadAndIsAnswered) {
  accept("8008");
  const std::string cutShort = traceBody("8008").substr(0, 30);
  EXPECT_EQ(send(cutShort + trcRequest("8009")),
            (Outputs{activity("OMA Trace Aborted: the tracer sent a new request")}));
  const Outputs out = wait(BurstSilenceMicros + 1);
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, ACK), answer("8009", 0, "1;400;E;R;F")}));
  EXPECT_TRUE(store.calls.empty());
  send(traceBody("8009"));
  ASSERT_FALSE(store.calls.empty());
  EXPECT_EQ(store.calls.front().first, "/saves/8009");
}

// A trace that is not on disk is never reported to the tracer as stored; a failed store of
// the operator's new name is reported too.
TEST_F(UploadTest, FailedStoreIsReportedNeverClaimed) {
  store.failure = "cannot write /saves/Temp.tmp: No space left on device";
  const Outputs out = upload();
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, ACK), answer("12345", 2)}));
  EXPECT_EQ(texts(out, OutputKind::Activity).back(), "Cant Store Data: " + store.failure);
  EXPECT_EQ(texts(out, OutputKind::StatusLabel).back(), notSaved("12345").text);

  store.failure.clear();
  link.setPrompt(true);
  upload();
  store.failure = "cannot create a temporary file in /other: No such file or directory";
  store.missingFolder = "/other";
  const Outputs renamed = link.operatorChoseName("/other", "J9", now());
  EXPECT_EQ(texts(renamed, OutputKind::Activity),
            (Lines{"Cant Store Data: " + store.failure, "Traces are still saved in /saves"}));
  EXPECT_EQ(texts(renamed, OutputKind::StatusLabel).back(), notSaved("J9").text);
  // Mended fault: a folder where nothing could be stored became the save folder, and every
  // later trace of the run failed there. A folder that works is taken, also with a name
  // that is refused on its own.
  EXPECT_EQ(link.SavePath(), "/saves");
  store.failure.clear();
  upload();
  const Outputs refusedName = link.operatorChoseName("/third", "CON", now());
  EXPECT_EQ(link.SavePath(), "/third");
  EXPECT_EQ(refusedName.back().kind, OutputKind::SaveFolderChanged);
}

// With the prompt on, the tracer hears status 0 after the first store, and the operator
// may store the trace again under a new name (the window tests do), without a time limit.
TEST_F(UploadTest, PromptWaitsForTheOperatorWithoutDeadline) {
  link.setPrompt(true);
  const Outputs out = upload();
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, ACK), answer("12345", 0)}));
  EXPECT_EQ(out.back(), make(OutputKind::PromptOperator));
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(wait(3'600'000'000).empty());
  EXPECT_EQ(link.operatorCancelled(now()), (Outputs{make(OutputKind::PromptEnded)}));
  EXPECT_EQ(store.calls, Calls{Stored});
}

TEST_F(UploadTest, PromptUnsafeNewNameIsNotWritten) {
  link.setPrompt(true);
  upload();
  const Outputs out = link.operatorChoseName("/saves", "a:b", now());
  EXPECT_EQ(texts(out, OutputKind::Activity),
            Lines{"Cant Store Data: \"a:b\" contains a drive or stream separator"});
  EXPECT_EQ(texts(out, OutputKind::StatusLabel).back(), notSaved("a:b").text);
  EXPECT_EQ(store.calls, Calls{Stored});
}

// What the tracer sends meanwhile waits for the operator, then starts the next burst.
TEST_F(UploadTest, PromptHoldsInputForTheNextBurst) {
  link.setPrompt(true);
  upload();
  send(tracerPacket({"REQ=INI"}));
  wait(10'000'000);
  link.operatorCancelled(now());
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

// Kept from a mended fault: "&Save" with no trace waiting still makes its folder the save
// folder, and stores nothing.
TEST_F(UploadTest, PromptAnswersOutsideThePromptStoreNothing) {
  link.setPrompt(true);
  EXPECT_TRUE(link.operatorCancelled(now()).empty());
  EXPECT_TRUE(link.brandMessageClosed(now()).empty());
  EXPECT_EQ(link.operatorChoseName("/x", "1", now()), (Outputs{{OutputKind::SaveFolderChanged, "", "/x", 0}}));
  EXPECT_EQ(link.SavePath(), "/x");
  EXPECT_TRUE(store.calls.empty());
}

}  // namespace
}  // namespace lumora
