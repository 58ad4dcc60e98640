// One trace upload end to end through the engine: answers, lines, labels, stored bytes.
#include <gtest/gtest.h>

#include "link/core/link_engine.h"
#include "link/core/link_texts.h"
#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;
using State = LinkEngine::State;
using Lines = std::vector<std::string>;

const std::string BrandText =
    "This tracer is a brand other than Corvane.  This ordering system can only be used with "
    "Corvane OMA Tracing equipment.\n\nContact Corvane at (800)555-0142 for information on "
    "obtaining a tracer compatible with this system.";

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

std::string answer(const std::string& job, int status, const std::string& format = {}) {
  std::string a =
      "\x1c"
      "ANS=TRC\r\nJOB=" +
      job + "\r\n";
  if (!format.empty()) a += "TRCFMT=" + format + "\r\nZFMT=" + format + "\r\n";
  return a + "STATUS=" + std::to_string(status) + "\r\n\x1e\x1d";
}

class UploadTest : public LinkTest {
 protected:
  // A request that is accepted; the link then waits for the body.
  void accept(const std::string& job = "12345") {
    request(trcRequest(job));
    ASSERT_EQ(link.state(), State::ReceivingBody);
  }
  std::string received() const { return EquipMsg(stamp(), 1, "Trace Received", 12345); }
  static Outputs rawData(const Lines& lines) {
    Outputs out{make(OutputKind::RawDataCleared)};
    for (const std::string& l : lines) out.push_back(make(OutputKind::RawDataAdded, l));
    return out;
  }
  static Outputs stored(const std::string& name, const std::string& folder = "/saves") {
    return {make(OutputKind::TraceStored, name, folder + "/" + name),
            make(OutputKind::StatusLabel,
                 name + " Trace Data Saved to Disk.\n\nWaiting for Next Trace..."),
            make(OutputKind::OrderLabel, "Order: " + name)};
  }
  static Outputs join(std::initializer_list<Outputs> parts) {
    Outputs all;
    for (const Outputs& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  }
};

TEST_F(UploadTest, Request_AcceptedWithAckAndStatusZero) {
  EXPECT_EQ(request(trcRequest()),
            (Outputs{activity("OMA Tracer"), Ack, make(OutputKind::DiscardInput),
                     activity("Ready for OMA Trace"), write(answer("12345", 0, "1;400;E;R;F"))}));
  EXPECT_EQ(link.deadline(), micros + 6'000'001);
}

TEST_F(UploadTest, Request_FirstAcceptableFormatIsEchoed) {
  const Outputs out =
      request(trcRequest("1", "CORVANE", {"TRCFMT=1;360;E;R;F", "TRCFMT=1;1000;E;L;F"}));
  EXPECT_EQ(writes(out).back(), answer("1", 0, "1;1000;E;L;F"));
}

TEST_F(UploadTest, Request_UnsupportedFormatRefusedWithSeventeen) {
  for (const char* format : {"TRCFMT=1;399;E;R;F", "TRCFMT=2;400;E;R;F", "TRCFMT=1;400;U;R;F"}) {
    EXPECT_EQ(request(trcRequest("12345", "CORVANE", {format})),
              (Outputs{activity("OMA Tracer"), Ack, activity("Unsupported TRC Format!"),
                       write(answer("12345", 17))}))
        << format;
    EXPECT_EQ(link.state(), State::Idle);
  }
}

TEST_F(UploadTest, Request_WithoutFormatLineRefused) {
  EXPECT_EQ(writes(request(trcRequest("12345", "CORVANE", {}))),
            (Lines{std::string(1, ACK), answer("12345", 17)}));
}

TEST_F(UploadTest, Request_VendorIsTrimmedAndUpperCased) {
  request(trcRequest("1", "corvane"));
  EXPECT_EQ(link.state(), State::ReceivingBody);
}

TEST_F(UploadTest, Request_QuotedJobIsAnsweredQuoted) {
  EXPECT_EQ(writes(request(trcRequest("\"12345\""))).back(), answer("\"12345\"", 0, "1;400;E;R;F"));
}

TEST_F(UploadTest, Request_AnswersCarryCrcWhenRequestDid) {
  const Outputs out = request(trcRequest("12345", "CORVANE", {"TRCFMT=1;400;E;R;F"}, true));
  const std::string records =
      "ANS=TRC\r\nJOB=12345\r\nTRCFMT=1;400;E;R;F\r\nZFMT=1;400;E;R;F\r\nSTATUS=0\r\n\x1e";
  EXPECT_EQ(writes(out).back(),
            "\x1c" + records + "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d");
}

TEST_F(UploadTest, Request_UnsafeJobNumberRefusedWithSixAndNeverStored) {
  EXPECT_EQ(request(trcRequest("..\\evil")),
            (Outputs{activity("OMA Tracer"), Ack,
                     activity("Invalid Job ID: \"..\\evil\" contains a path separator"),
                     write(answer("..\\evil", 6))}));
  EXPECT_EQ(activities(request(trcRequest(""))).back(), "Invalid Job ID: \"\" is empty");
  EXPECT_EQ(activities(request(trcRequest("CON"))).back(),
            "Invalid Job ID: \"CON\" is a reserved device name");
  EXPECT_EQ(link.state(), State::Idle);
  EXPECT_TRUE(store.calls.empty());
}

TEST_F(UploadTest, Brand_OtherVendorGetsNakAndMessage) {
  EXPECT_EQ(request(trcRequest("12345", "OTHER")),
            (Outputs{activity("OMA Tracer"), Nak, make(OutputKind::ShowBrandMessage, BrandText)}));
  EXPECT_EQ(link.state(), State::BrandMessage);
  EXPECT_EQ(link.deadline(), std::nullopt);
}

TEST_F(UploadTest, Brand_ClosingMessageAbortsAndRefuses) {
  request(trcRequest("12345", "OTHER"));
  EXPECT_TRUE(send(trcRequest()).empty());  // waits in the port while the message shows
  wait(30'000'000);
  EXPECT_EQ(link.brandMessageClosed(now()),
            (Outputs{make(OutputKind::DiscardInput), activity("Trace has been aborted."),
                     make(OutputKind::StatusLabel,
                          "Unable to Capture Trace!\n\nAn Corvane Tracer is Required."),
                     write(answer("12345", 17))}));
  EXPECT_EQ(link.state(), State::Idle);
  EXPECT_TRUE(wait(1'000'000).empty());  // the held request was discarded
}

TEST_F(UploadTest, Body_CompleteExchangeWithPromptOff) {
  accept();
  const Outputs out = send(traceBody());
  EXPECT_EQ(out, join({{Ack},
                       rawData(BodyLines),
                       {activity(received())},
                       stored("12345"),
                       {write(answer("12345", 0)), make(OutputKind::OrderLabel, "Order: 12345"),
                        activity(received()), make(OutputKind::ShowTrace, "12345", "/saves/12345"),
                        make(OutputKind::EnableSave), make(OutputKind::StatusLabel, ""),
                        make(OutputKind::PromptEnded)},
                       stored("12345")}));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].path, "/saves/12345");
  EXPECT_EQ(store.calls[0].bytes, StoredBytes);
  EXPECT_EQ(store.calls[1].bytes, StoredBytes);
  EXPECT_EQ(link.RawData(), BodyLines);
  EXPECT_EQ(link.JobNumberText(), "12345");
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, Body_EquipmentLinesCarryPortAndStampOfArrival) {
  link.setPortNumber(4);
  accept();
  micros += 1'234;
  const Lines lines = activities(send(traceBody()));
  EXPECT_EQ(lines, (Lines{EquipMsg(stamp(), 4, "Trace Received", 12345),
                          EquipMsg(stamp(), 4, "Trace Received", 12345)}));
  EXPECT_EQ(lines[0], "06.12.2026 @" + std::to_string(micros) + " COM:4 Trace Received: 12345");
}

TEST_F(UploadTest, Body_QuotedJobStoredAndLabelledWithoutQuotes) {
  request(trcRequest("\"12345\""));
  const Outputs out = send(traceBody("\"12345\""));
  EXPECT_EQ(writes(out)[1], answer("\"12345\"", 0));
  EXPECT_EQ(store.calls.at(0).path, "/saves/12345");
  EXPECT_NE(std::find(out.begin(), out.end(), make(OutputKind::OrderLabel, "Order: 12345")),
            out.end());
}

TEST_F(UploadTest, Body_InPiecesWithShortPausesIsReceivedWhole) {
  accept();
  const std::string body = traceBody();
  EXPECT_TRUE(send(body.substr(0, 20)).empty());
  EXPECT_TRUE(wait(6'000'000).empty());  // exactly 6 s is not "more than 6 s"
  EXPECT_TRUE(send(body.substr(20, 30)).empty());
  EXPECT_EQ(link.deadline(), micros + 6'000'001);
  EXPECT_TRUE(wait(5'999'999).empty());
  send(body.substr(50));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].bytes, StoredBytes);
}

TEST_F(UploadTest, Body_TimesOutAfterSixSecondsWithStatusOne) {
  accept();
  send(traceBody().substr(0, 30));
  EXPECT_TRUE(wait(6'000'000).empty());
  EXPECT_EQ(wait(1), (Outputs{activity("OMA Tracer Timeout"), write(answer("12345", 1))}));
  EXPECT_EQ(link.state(), State::Idle);
  EXPECT_TRUE(store.calls.empty());
  EXPECT_TRUE(send(traceBody().substr(30)).empty());  // the rest is a stray burst now
  EXPECT_TRUE(wait(250'001).empty());
}

TEST_F(UploadTest, Body_TimeOutWithoutAnyByte) {
  accept();
  EXPECT_TRUE(wait(6'000'000).empty());
  EXPECT_EQ(writes(wait(1)), Lines{answer("12345", 1)});
}

TEST_F(UploadTest, Body_LateByteAfterTimeOutDoesNotRevive) {
  accept();
  micros += 6'000'001;
  const Outputs out = send(traceBody());
  EXPECT_EQ(out, (Outputs{activity("OMA Tracer Timeout"), write(answer("12345", 1))}));
  EXPECT_TRUE(store.calls.empty());
}

TEST_F(UploadTest, Body_BytesAfterGsBelongToTheNextPacket) {
  accept();
  send(traceBody() + tracerPacket({"REQ=INI"}));
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
  EXPECT_EQ(link.state(), State::Gathering);
  EXPECT_TRUE(wait(250'000).empty());
  EXPECT_EQ(wait(1), (Outputs{Ack}));
}

TEST_F(UploadTest, Body_AckGoesOutBeforeTheTraceIsStored) {
  accept();
  EXPECT_EQ(link.receive(traceBody(), now()), (Outputs{Ack}));  // nothing waits for the disk
  EXPECT_TRUE(store.calls.empty());
  EXPECT_EQ(link.state(), State::Storing);
  EXPECT_EQ(link.deadline(), micros);  // due at once
  link.expire(now());
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, Body_MatchingCrcIsStored) {
  accept();
  send(traceBody("12345", true));
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);  // the CRC line is left out
}

TEST_F(UploadTest, Body_BadCrcGetsNakAndLinkWaitsForNewCopy) {
  accept();
  std::string bad = traceBody("12345", true);
  bad[bad.find("R=2500") + 2] = '9';
  EXPECT_EQ(send(bad), (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  EXPECT_EQ(link.state(), State::ReceivingBody);
  EXPECT_TRUE(store.calls.empty());
  micros += 1'000'000;
  send(traceBody("12345", true));
  EXPECT_EQ(store.calls.at(0).bytes, StoredBytes);
}

TEST_F(UploadTest, Body_WithoutJobRecordIsStillStored) {
  accept();
  send(tracerPacket({"ANS=TRC", "R=1;2;3"}));
  EXPECT_EQ(store.calls.at(0).bytes, "REQ=FIL\r\nR=1;2;3\r\n");
}

TEST_F(UploadTest, Body_OverOneMiBIsDroppedWithStatusTwo) {
  accept();
  std::string flood(MaxLinkBuffer, 'R');
  EXPECT_TRUE(send(flood).empty());
  EXPECT_EQ(send("R" + traceBody()),
            (Outputs{activity("OMA Trace Discarded: more than 1048576 bytes without an end"),
                     write(answer("12345", 2))}));
  EXPECT_TRUE(store.calls.empty());
  EXPECT_TRUE(send(tracerPacket({"REQ=INI"})).empty());  // the flood's tail is dropped
  EXPECT_TRUE(wait(250'001).empty());
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, Store_FailureIsNeverReportedAsStored) {
  store.failure = "cannot write /saves/Temp.tmp: No space left on device";
  accept();
  const Outputs out = send(traceBody());
  EXPECT_EQ(
      out,
      join({{Ack},
            rawData(BodyLines),
            {activity(received())},
            {activity("Cant Store Data: cannot write /saves/Temp.tmp: No space left on device"),
             make(OutputKind::StatusLabel,
                  "12345 Trace Data NOT Saved!\n\nWaiting for Next Trace..."),
             write(answer("12345", 2))}}));
  EXPECT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(UploadTest, Store_SecondSaveFailureIsReportedNotClaimed) {
  store.failure = "cannot replace /saves/12345: Permission denied";
  store.failFromCall = 1;
  accept();
  const Outputs out = send(traceBody());
  EXPECT_EQ(writes(out).back(), answer("12345", 0));  // the first save had succeeded
  const Outputs tail(out.end() - 3, out.end());
  EXPECT_EQ(tail,
            (Outputs{make(OutputKind::PromptEnded),
                     activity("Cant Store Data: cannot replace /saves/12345: Permission denied"),
                     make(OutputKind::StatusLabel,
                          "12345 Trace Data NOT Saved!\n\nWaiting for Next Trace...")}));
  EXPECT_EQ(store.calls.size(), 2u);
}

TEST_F(UploadTest, Labels_ZeroJobWithPromptOff) {
  request(trcRequest("0"));
  Lines orders;
  for (const Output& o : send(traceBody("0")))
    if (o.kind == OutputKind::OrderLabel) orders.push_back(o.text);
  EXPECT_EQ(orders, (Lines{"Order: 0", "Order: ?", "Order: 0"}));
}

TEST_F(UploadTest, Labels_NonNumericJobKeepsSaveLabel) {
  request(trcRequest("AB12"));
  Lines orders;
  for (const Output& o : send(traceBody("AB12")))
    if (o.kind == OutputKind::OrderLabel) orders.push_back(o.text);
  EXPECT_EQ(orders, (Lines{"Order: AB12", "Order: AB12"}));
}

class PromptTest : public UploadTest {
 protected:
  void SetUp() override { link.setPrompt(true); }
  void receiveTrace(const std::string& job = "12345") {
    accept(job);
    const Outputs out = send(traceBody(job));
    ASSERT_FALSE(out.empty());
    ASSERT_EQ(out.back(), make(OutputKind::PromptOperator));
  }
};

TEST_F(PromptTest, Prompt_WaitsWithoutDeadline) {
  receiveTrace();
  EXPECT_EQ(link.state(), State::AwaitingOperator);
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(wait(3'600'000'000).empty());
  EXPECT_EQ(store.calls.size(), 1u);
}

TEST_F(PromptTest, Prompt_TracerIsAnsweredBeforeTheOperator) {
  accept();
  const Lines w = writes(send(traceBody()));
  EXPECT_EQ(w, (Lines{std::string(1, ACK), answer("12345", 0)}));
}

TEST_F(PromptTest, Prompt_NewNameStoresAgainWithRewrittenJobLine) {
  receiveTrace();
  EXPECT_EQ(link.operatorChoseName("/other", "777", now()),
            join({{Output{OutputKind::RawDataReplaced, "JOB=777", {}, 1},
                   make(OutputKind::OrderLabel, "Order: 777"), make(OutputKind::PromptEnded)},
                  stored("777", "/other")}));
  ASSERT_EQ(store.calls.size(), 2u);
  EXPECT_EQ(store.calls[0].path, "/saves/12345");
  EXPECT_EQ(store.calls[1].path, "/other/777");
  std::string expected = StoredBytes;
  expected.replace(expected.find("JOB=12345"), 9, "JOB=777");
  EXPECT_EQ(store.calls[1].bytes, expected);
  EXPECT_EQ(link.SavePath(), "/other");
  EXPECT_EQ(link.JobNumberText(), "777");
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(PromptTest, Prompt_NewNameKeepsQuotesOfTheTracer) {
  request(trcRequest("\"12345\""));
  send(traceBody("\"12345\""));
  const Outputs out = link.operatorChoseName("/saves", "NEW", now());
  EXPECT_EQ(out.front(), (Output{OutputKind::RawDataReplaced, "JOB=\"NEW\"", {}, 1}));
}

TEST_F(PromptTest, Prompt_UnsafeNewNameIsNotWritten) {
  receiveTrace();
  const Outputs out = link.operatorChoseName("/saves", "a:b", now());
  EXPECT_EQ(activities(out),
            Lines{"Cant Store Data: \"a:b\" contains a drive or stream separator"});
  EXPECT_EQ(out.back(), make(OutputKind::StatusLabel,
                             "a:b Trace Data NOT Saved!\n\nWaiting for Next Trace..."));
  EXPECT_EQ(store.calls.size(), 1u);
}

TEST_F(PromptTest, Prompt_CancelKeepsFirstFileOnly) {
  receiveTrace();
  EXPECT_EQ(link.operatorCancelled(now()), (Outputs{make(OutputKind::PromptEnded)}));
  EXPECT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(PromptTest, Prompt_ZeroJobShowsQuestionMarkWhileDeciding) {
  request(trcRequest("0"));
  Lines orders;
  for (const Output& o : send(traceBody("0")))
    if (o.kind == OutputKind::OrderLabel) orders.push_back(o.text);
  EXPECT_EQ(orders, (Lines{"Order: 0", "Order: ?"}));
}

TEST_F(PromptTest, Prompt_BytesMeanwhileStartTheNextBurst) {
  receiveTrace();
  send(tracerPacket({"REQ=INI"}));
  wait(10'000'000);
  link.operatorCancelled(now());
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
}

TEST_F(PromptTest, Prompt_InputBeyondOneMiBMeanwhileIsDropped) {
  receiveTrace();
  EXPECT_TRUE(send(std::string(MaxLinkBuffer, 'x')).empty());
  EXPECT_EQ(send("x"), (Outputs{activity("OMA Input Discarded: more than 1048576 bytes waiting")}));
  link.operatorCancelled(now());
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(PromptTest, Prompt_AnswersOutsideThePromptStoreNothing) {
  EXPECT_TRUE(link.operatorCancelled(now()).empty());
  EXPECT_TRUE(link.brandMessageClosed(now()).empty());
  EXPECT_EQ(link.SavePath(), "/saves");
  // A name chosen with no trace waiting still makes its folder the save folder.
  EXPECT_TRUE(link.operatorChoseName("/x", "1", now()).empty());
  EXPECT_EQ(link.SavePath(), "/x");
  EXPECT_EQ(link.JobNumberText(), "");
}

}  // namespace
}  // namespace lumora
