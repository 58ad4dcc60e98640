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

TEST_F(UploadTest, OtherBrandGetsNakThenStatus17WhenTheMessageIsClosed) {
  const Outputs out = request(trcRequest("12345", "OTHER"));
  EXPECT_EQ(Outputs(out.begin() + 1, out.end()),
            (Outputs{Nak, make(OutputKind::ShowBrandMessage, out.back().text)}));
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(send(trcRequest()).empty());  // waits in the port while the message shows
  wait(30'000'000);
  EXPECT_EQ(texts(link.brandMessageClosed(now()), OutputKind::Write), Lines{answer("12345", 17)});
  EXPECT_TRUE(wait(1'000'000).empty());  // the held request was discarded
  EXPECT_TRUE(store.calls.empty());
}

// Without the prompt the trace is stored, answered, shown and stored again.
TEST_F(UploadTest, CompleteExchangeStoresUnderTheJobNumber) {
  link.setPortNumber(4);
  accept();
  micros += 1'234;
  const std::string received =
      "06.12.2026 @" + std::to_string(micros) + " COM:4 Trace Received: 12345";
  const Outputs out = send(traceBody());
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, ACK), answer("12345", 0)}));
  EXPECT_EQ(texts(out, OutputKind::Activity), (Lines{received, received}));
  EXPECT_EQ(texts(out, OutputKind::ShowTrace), Lines{"12345"});
  EXPECT_EQ(store.calls, (Calls{Stored, Stored}));
  EXPECT_EQ(link.state(), State::Idle);
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

TEST_F(UploadTest, BodyInPiecesWithPausesUpToSixSecondsIsReceivedWhole) {
  accept();
  const std::string body = traceBody();
  EXPECT_TRUE(send(body.substr(0, 20)).empty());
  EXPECT_TRUE(wait(6'000'000).empty());  // exactly 6 s is not "more than 6 s"
  EXPECT_TRUE(send(body.substr(20, 30)).empty());
  EXPECT_EQ(link.deadline(), micros + 6'000'001);
  EXPECT_TRUE(wait(5'999'999).empty());
  send(body.substr(50));
  EXPECT_EQ(store.calls.at(0), Stored);
}

TEST_F(UploadTest, BodyTimesOutAfterSixSecondsWithStatus1) {
  const Outputs timeout{activity("OMA Tracer Timeout"), write(answer("12345", 1))};
  accept();
  send(traceBody().substr(0, 30));
  EXPECT_TRUE(wait(6'000'000).empty());
  EXPECT_EQ(wait(1), timeout);
  EXPECT_TRUE(request(traceBody().substr(30)).empty());  // the rest is a stray burst now
  accept();
  micros += 6'000'001;  // a late timer: the whole body arrives after the limit
  EXPECT_EQ(send(traceBody()), timeout);
  EXPECT_TRUE(store.calls.empty());
}

TEST_F(UploadTest, BytesAfterTheBodysGsBelongToTheNextPacket) {
  accept();
  send(traceBody() + tracerPacket({"REQ=INI"}));
  EXPECT_EQ(store.calls.at(0), Stored);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

TEST_F(UploadTest, BodyWithBadCrcGetsNakAndTheLinkWaitsForANewCopy) {
  accept();
  std::string bad = traceBody("12345", true);
  bad[bad.find("R=2500") + 2] = '9';
  EXPECT_EQ(send(bad), (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  micros += 1'000'000;
  send(traceBody("12345", true));
  EXPECT_EQ(store.calls, (Calls{Stored, Stored}));  // without the CRC line
}

TEST_F(UploadTest, BodyOverOneMiBIsDroppedWithStatus2) {
  accept();
  EXPECT_TRUE(send(std::string(MaxLinkBuffer, 'R')).empty());
  EXPECT_EQ(send("R" + traceBody()),
            (Outputs{activity("OMA Trace Discarded: more than 1048576 bytes without an end"),
                     write(answer("12345", 2))}));
  EXPECT_TRUE(request(tracerPacket({"REQ=INI"})).empty());  // the flood's tail is dropped
  EXPECT_TRUE(store.calls.empty());
}

// A trace that is not on disk is never reported to the tracer as stored.
TEST_F(UploadTest, FailedStoreAnswersStatus2) {
  store.failure = "cannot write /saves/Temp.tmp: No space left on device";
  const Outputs out = upload();
  EXPECT_EQ(Outputs(out.end() - 3, out.end()),
            (Outputs{activity("Cant Store Data: " + store.failure), notSaved("12345"),
                     write(answer("12345", 2))}));
  EXPECT_EQ(texts(out, OutputKind::Write).size(), 2u);  // the ACK, then only status 2
}

TEST_F(UploadTest, FailedSecondStoreIsReportedNotClaimed) {
  store.failure = "cannot replace /saves/12345: Permission denied";
  store.failFromCall = 1;
  const Outputs out = upload();
  EXPECT_EQ(texts(out, OutputKind::Write).back(), answer("12345", 0));  // the first store held
  EXPECT_EQ(Outputs(out.end() - 2, out.end()),
            (Outputs{activity("Cant Store Data: " + store.failure), notSaved("12345")}));
}

// With the prompt on, the tracer hears status 0 after the first store, and the operator
// may store the trace again under a new name, without a time limit.
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

TEST_F(UploadTest, PromptNewNameStoresAgainWithTheJobLineInTheTracersQuotes) {
  link.setPrompt(true);
  upload("\"12345\"");
  EXPECT_EQ(texts(link.operatorChoseName("/other", "777", now()), OutputKind::TraceStored),
            Lines{"777"});
  const auto withJob = [](const std::string& job) {
    std::string bytes = StoredBytes;
    return bytes.replace(bytes.find("12345"), 5, job);
  };
  EXPECT_EQ(store.calls, (Calls{{"/saves/12345", withJob("\"12345\"")},
                                {"/other/777", withJob("\"777\"")}}));
  EXPECT_EQ(link.SavePath(), "/other");
}

TEST_F(UploadTest, PromptUnsafeNewNameIsNotWritten) {
  link.setPrompt(true);
  upload();
  const Outputs out = link.operatorChoseName("/saves", "a:b", now());
  EXPECT_EQ(texts(out, OutputKind::Activity),
            Lines{"Cant Store Data: \"a:b\" contains a drive or stream separator"});
  EXPECT_EQ(out.back(), notSaved("a:b"));
  EXPECT_EQ(store.calls, Calls{Stored});
}

TEST_F(UploadTest, PromptHoldsInputUpToOneMiBForTheNextBurst) {
  link.setPrompt(true);
  upload();
  EXPECT_TRUE(send(std::string(MaxLinkBuffer, 'x')).empty());
  EXPECT_EQ(send("x"),
            (Outputs{activity("OMA Input Discarded: more than 1048576 bytes waiting")}));
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
  EXPECT_TRUE(link.operatorChoseName("/x", "1", now()).empty());
  EXPECT_EQ(link.SavePath(), "/x");
  EXPECT_TRUE(store.calls.empty());
}

}  // namespace
}  // namespace lumora
