// One trace upload through the engine: answers, lines, labels, stored bytes.
#include <gtest/gtest.h>

#include "link/core/link_engine.h"
#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;
using State = LinkEngine::State;
using Lines = std::vector<std::string>;

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

const Lines BodyLines{"REQ=FIL",          "JOB=12345",        "TRCFMT=1;400;E;R;F",
                      "R=2500;2510;2520", "ZFMT=1;400;E;R;F", "Z=10;11;12"};
const std::string StoredBytes =
    "REQ=FIL\r\nJOB=12345\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\nZFMT=1;400;E;R;F\r\nZ=10;11;"
    "12\r\n";

// The link's trace answer, written out by hand.
std::string answer(const std::string& job, int status, const std::string& format = {},
                   bool withCrc = false) {
  std::string records = "ANS=TRC\r\nJOB=" + job + "\r\n";
  if (!format.empty()) records += "TRCFMT=" + format + "\r\nZFMT=" + format + "\r\n";
  records += "STATUS=" + std::to_string(status) + "\r\n\x1e";
  return "\x1c" + records + (withCrc ? "CRC=" + std::to_string(CRC16(records)) + "\r\n" : "") +
         "\x1d";
}

Outputs stored(const std::string& name, const std::string& folder = "/saves") {
  return {make(OutputKind::TraceStored, name, folder + "/" + name),
          make(OutputKind::StatusLabel,
               name + " Trace Data Saved to Disk.\n\nWaiting for Next Trace..."),
          make(OutputKind::OrderLabel, "Order: " + name)};
}

Output notSaved(const std::string& name) {
  return make(OutputKind::StatusLabel,
              name + " Trace Data NOT Saved!\n\nWaiting for Next Trace...");
}

Lines orderLabels(const Outputs& out) {
  Lines labels;
  for (const Output& o : out)
    if (o.kind == OutputKind::OrderLabel) labels.push_back(o.text);
  return labels;
}

class UploadTest : public LinkTest {
 protected:
  // A request that is accepted; the link then waits for the body.
  void accept(const std::string& job = "12345") {
    request(trcRequest(job));
    ASSERT_EQ(link.state(), State::ReceivingBody);
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
      {trcRequest("\"12345\""), accepted("\"12345\"")},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;400;E;R;F"}, true), accepted("12345", true)},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;399;E;R;F"}),
       refused("Unsupported TRC Format!", "12345", 17)},
      {trcRequest("12345", "CORVANE", {}), refused("Unsupported TRC Format!", "12345", 17)},
      // A job number that is not a safe file name never reaches the disk.
      {trcRequest("..\\evil"),
       refused("Invalid Job ID: \"..\\evil\" contains a path separator", "..\\evil", 6)},
      {trcRequest(""), refused("Invalid Job ID: \"\" is empty", "", 6)},
      {trcRequest("CON"), refused("Invalid Job ID: \"CON\" is a reserved device name", "CON", 6)},
  };
  for (const auto& c : cases) EXPECT_EQ(alone(c.request), c.out) << Describe(write(c.request));
  EXPECT_TRUE(store.calls.empty());
}

TEST_F(UploadTest, OtherBrandGetsNakThenStatus17WhenTheMessageIsClosed) {
  const Outputs out = request(trcRequest("12345", "OTHER"));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[1], Nak);
  EXPECT_EQ(out[2].kind, OutputKind::ShowBrandMessage);
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(send(trcRequest()).empty());  // waits in the port while the message shows
  wait(30'000'000);
  EXPECT_EQ(link.brandMessageClosed(now()),
            (Outputs{make(OutputKind::DiscardInput), activity("Trace has been aborted."),
                     make(OutputKind::StatusLabel,
                          "Unable to Capture Trace!\n\nAn Corvane Tracer is Required."),
                     write(answer("12345", 17))}));
  EXPECT_TRUE(wait(1'000'000).empty());  // the held request was discarded
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, CompleteExchangeWithPromptOff) {
  link.setPortNumber(4);
  accept();
  micros += 1'234;
  const Output received =
      activity("06.12.2026 @" + std::to_string(micros) + " COM:4 Trace Received: 12345");
  Outputs raw{make(OutputKind::RawDataCleared)};
  for (const std::string& l : BodyLines) raw.push_back(make(OutputKind::RawDataAdded, l));
  EXPECT_EQ(
      send(traceBody()),
      (Outputs{Ack} + raw + Outputs{received} + stored("12345") +
       Outputs{write(answer("12345", 0)), make(OutputKind::OrderLabel, "Order: 12345"), received,
               make(OutputKind::ShowTrace, "12345", "/saves/12345"), make(OutputKind::EnableSave),
               make(OutputKind::StatusLabel, ""), make(OutputKind::PromptEnded)} +
       stored("12345")));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].path, "/saves/12345");
  EXPECT_EQ(store.calls[0].bytes, StoredBytes);
  EXPECT_EQ(store.calls[1].bytes, StoredBytes);
  EXPECT_EQ(link.state(), State::Idle);
}

// The tracer hears its ACK at once; the store, which waits for the disk, follows in the
// owner's next call.
TEST_F(UploadTest, AckGoesOutBeforeTheTraceIsStored) {
  accept();
  EXPECT_EQ(link.receive(traceBody(), now()), (Outputs{Ack}));
  EXPECT_TRUE(store.calls.empty());
  EXPECT_EQ(link.deadline(), micros);  // due at once
  link.expire(now());
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
}

// The file is named, and the order label shows, the job without the tracer's quotes.
TEST_F(UploadTest, StoredNameAndOrderLabelsFollowTheJobNumber) {
  const struct {
    std::string job;
    bool prompt;
    std::string path;
    Lines labels;
  } cases[] = {
      {"\"12345\"", false, "/saves/12345", {"Order: 12345", "Order: 12345", "Order: 12345"}},
      {"0", false, "/saves/0", {"Order: 0", "Order: ?", "Order: 0"}},
      {"0", true, "/saves/0", {"Order: 0", "Order: ?"}},
      {"AB12", false, "/saves/AB12", {"Order: AB12", "Order: AB12"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.job);
    link.setPrompt(c.prompt);
    link.operatorCancelled(now());
    store.calls.clear();
    accept(c.job);
    EXPECT_EQ(orderLabels(send(traceBody(c.job))), c.labels);
    EXPECT_EQ(store.calls.at(0).path, c.path);
  }
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
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
}

TEST_F(UploadTest, BodyTimesOutAfterSixSecondsWithStatus1) {
  const Outputs timeout{activity("OMA Tracer Timeout"), write(answer("12345", 1))};
  accept();
  send(traceBody().substr(0, 30));
  EXPECT_TRUE(wait(6'000'000).empty());
  EXPECT_EQ(wait(1), timeout);
  EXPECT_TRUE(send(traceBody().substr(30)).empty());  // the rest is a stray burst now
  EXPECT_TRUE(wait(250'001).empty());
  accept();
  micros += 6'000'001;  // a late timer: the whole body arrives after the limit
  EXPECT_EQ(send(traceBody()), timeout);
  EXPECT_TRUE(store.calls.empty());
}

TEST_F(UploadTest, BytesAfterTheBodysGsBelongToTheNextPacket) {
  accept();
  send(traceBody() + tracerPacket({"REQ=INI"}));
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
  EXPECT_EQ(link.state(), State::Gathering);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

TEST_F(UploadTest, BodyWithBadCrcGetsNakAndTheLinkWaitsForANewCopy) {
  accept();
  std::string bad = traceBody("12345", true);
  bad[bad.find("R=2500") + 2] = '9';
  EXPECT_EQ(send(bad), (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  EXPECT_EQ(link.state(), State::ReceivingBody);
  micros += 1'000'000;
  send(traceBody("12345", true));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].bytes, StoredBytes);  // without the CRC line
}

TEST_F(UploadTest, BodyOverOneMiBIsDroppedWithStatus2) {
  accept();
  EXPECT_TRUE(send(std::string(MaxLinkBuffer, 'R')).empty());
  EXPECT_EQ(send("R" + traceBody()),
            (Outputs{activity("OMA Trace Discarded: more than 1048576 bytes without an end"),
                     write(answer("12345", 2))}));
  EXPECT_TRUE(send(tracerPacket({"REQ=INI"})).empty());  // the flood's tail is dropped
  EXPECT_TRUE(wait(250'001).empty());
  EXPECT_TRUE(store.calls.empty());
}

// A trace that is not on disk is never reported to the tracer as stored.
TEST_F(UploadTest, FailedStoreAnswersStatus2) {
  store.failure = "cannot write /saves/Temp.tmp: No space left on device";
  accept();
  const Outputs out = send(traceBody());
  ASSERT_EQ(out.size(), BodyLines.size() + 6);  // ACK, raw data, the received line, then:
  EXPECT_EQ(Outputs(out.end() - 3, out.end()),
            (Outputs{activity("Cant Store Data: " + store.failure), notSaved("12345"),
                     write(answer("12345", 2))}));
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, FailedSecondStoreIsReportedNotClaimed) {
  store.failure = "cannot replace /saves/12345: Permission denied";
  store.failFromCall = 1;
  accept();
  const Outputs out = send(traceBody());
  EXPECT_EQ(writes(out).back(), answer("12345", 0));  // the first store had succeeded
  EXPECT_EQ(Outputs(out.end() - 3, out.end()),
            (Outputs{make(OutputKind::PromptEnded), activity("Cant Store Data: " + store.failure),
                     notSaved("12345")}));
}

class PromptTest : public UploadTest {
 protected:
  void SetUp() override { link.setPrompt(true); }
  void receiveTrace(const std::string& job = "12345") {
    accept(job);
    const Outputs out = send(traceBody(job));
    EXPECT_EQ(writes(out), (Lines{std::string(1, ACK), answer(job, 0)}));  // tracer first
    ASSERT_EQ(out.back(), make(OutputKind::PromptOperator));
  }
};

TEST_F(PromptTest, WaitsForTheOperatorWithoutDeadline) {
  receiveTrace();
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(wait(3'600'000'000).empty());
  EXPECT_EQ(link.operatorCancelled(now()), (Outputs{make(OutputKind::PromptEnded)}));
  EXPECT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(PromptTest, NewNameStoresAgainWithTheJobLineRewrittenInTheTracersQuotes) {
  receiveTrace("\"12345\"");
  EXPECT_EQ(link.operatorChoseName("/other", "777", now()),
            (Outputs{Output{OutputKind::RawDataReplaced, "JOB=\"777\"", {}, 1},
                     make(OutputKind::OrderLabel, "Order: 777"), make(OutputKind::PromptEnded)} +
             stored("777", "/other")));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].path, "/saves/12345");
  EXPECT_EQ(store.calls[1].path, "/other/777");
  std::string expected = StoredBytes;
  expected.replace(expected.find("JOB=12345"), 9, "JOB=\"777\"");
  EXPECT_EQ(store.calls[1].bytes, expected);
  EXPECT_EQ(link.SavePath(), "/other");
}

TEST_F(PromptTest, UnsafeNewNameIsNotWritten) {
  receiveTrace();
  const Outputs out = link.operatorChoseName("/saves", "a:b", now());
  EXPECT_EQ(activities(out),
            Lines{"Cant Store Data: \"a:b\" contains a drive or stream separator"});
  EXPECT_EQ(out.back(), notSaved("a:b"));
  EXPECT_EQ(store.calls.size(), 1u);
}

TEST_F(PromptTest, InputMeanwhileIsHeldUpToOneMiBAndStartsTheNextBurst) {
  receiveTrace();
  EXPECT_TRUE(send(std::string(MaxLinkBuffer, 'x')).empty());
  EXPECT_EQ(send("x"), (Outputs{activity("OMA Input Discarded: more than 1048576 bytes waiting")}));
  send(tracerPacket({"REQ=INI"}));
  wait(10'000'000);
  link.operatorCancelled(now());
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

// "&Save" with no trace waiting still makes its folder the save folder, and stores nothing.
TEST_F(PromptTest, AnswersOutsideThePromptStoreNothing) {
  EXPECT_TRUE(link.operatorCancelled(now()).empty());
  EXPECT_TRUE(link.brandMessageClosed(now()).empty());
  EXPECT_TRUE(link.operatorChoseName("/x", "1", now()).empty());
  EXPECT_EQ(link.SavePath(), "/x");
  EXPECT_EQ(link.JobNumberText(), "");
}

}  // namespace
}  // namespace lumora
