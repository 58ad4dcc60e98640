// One trace upload through the engine: answers, what is stored under which name, failures,
// the operator's prompt. The tests play the disk by answering the engine's stores.
#include <gtest/gtest.h>

#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;

// The link's trace answer, written out by hand.
std::string answer(const std::string& job, int status, const std::string& format = {}, bool withCrc = false) {
  std::string records = "ANS=TRC\r\nJOB=" + job + "\r\n";
  if (!format.empty()) records += "TRCFMT=" + format + "\r\nZFMT=" + format + "\r\n";
  records += "STATUS=" + std::to_string(status) + "\r\n\x1e";
  return "\x1c" + records + (withCrc ? "CRC=" + std::to_string(crc16(records)) + "\r\n" : "") + "\x1d";
}

const std::string kFileBytes = "REQ=FIL\r\nJOB=12345\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\n";
const Output kStoreJob{OutputKind::StoreTrace, kFileBytes, "12345", {}, 0};

class UploadTest : public LinkTest {
 protected:
  // A request that is accepted; the link then waits for the body.
  void accept(const std::string& job = "12345") {
    request(trcRequest(job));
    ASSERT_EQ(link.state(), State::ReceivingBody);
  }
  // An upload stored under its job number with the prompt on: the link then waits for the operator.
  void uploadAndStore() {
    link = LinkEngine{1, true};
    accept();
    send(traceBody());
    stored();
  }
};

TEST_F(UploadTest, RequestIsAcceptedOrRefusedBeforeTheBody) {
  auto accepted = [](const std::string& job, bool crc = false) {
    return Outputs{activity("OMA Tracer"), kAckOut, make(OutputKind::DiscardInput), activity("Ready for OMA Trace"),
                   write(answer(job, 0, "1;400;E;R;F", crc))};
  };
  auto refused = [](const std::string& line, const std::string& job, int status) {
    return Outputs{activity("OMA Tracer"), kAckOut, activity(line), write(answer(job, status))};
  };
  const struct { std::string request; Outputs out; } cases[] = {
      {trcRequest(), accepted("12345")}, {trcRequest("\"12345\""), accepted("\"12345\"")},
      {trcRequest("1", " corvane "), accepted("1")},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;400;E;R;F"}, true), accepted("12345", true)},
      {trcRequest("12345", "CORVANE", {"TRCFMT=1;399;E;R;F"}), refused("Unsupported TRC Format!", "12345", 17)},
      // A job number that is not a safe file name never reaches the disk.
      {trcRequest("..\\evil"), refused("Invalid Job ID: \"..\\evil\" contains a path separator", "..\\evil", 6)},
  };
  for (const auto& c : cases) EXPECT_EQ(alone(c.request), c.out) << describe(write(c.request));
}

// Mended fault: the store waited for the disk before the ACK. The tracer hears it as soon as
// the body is complete; status 0 only once the trace is stored. Without the prompt the trace
// is then shown and not written a second time (once, a failed second write on a full disk
// called the stored trace unsaved). Bytes after the body's GS are the next packet.
TEST_F(UploadTest, AckAtOnceStatusZeroOnlyOnceStored) {
  link = LinkEngine{4, false};
  accept();
  const Output line = activity("06.12.2026 @" + std::to_string(micros) + " COM:4 Trace Received: 12345");
  EXPECT_EQ(send(traceBody() + tracerPacket({"REQ=INI"})),
            (Outputs{kAckOut, make(OutputKind::RawDataCleared), make(OutputKind::RawDataAdded, "REQ=FIL"),
                     make(OutputKind::RawDataAdded, "JOB=12345"), make(OutputKind::RawDataAdded, "TRCFMT=1;400;E;R;F"),
                     make(OutputKind::RawDataAdded, "R=2500;2510;2520"), line, kStoreJob}));
  EXPECT_EQ(link.deadline(), std::nullopt);  // the disk has no time limit
  const Output savedLabel =
      make(OutputKind::StatusLabel, "12345 Trace Data Saved to Disk.\n\nWaiting for Next Trace...");
  const Output orderLabel = make(OutputKind::OrderLabel, "Order: 12345");
  EXPECT_EQ(stored(), (Outputs{savedLabel, orderLabel, write(answer("12345", 0)), orderLabel, line,
                               {OutputKind::ShowTrace, {}, "12345", {}, 0}, make(OutputKind::EnableSave),
                               make(OutputKind::StatusLabel), make(OutputKind::PromptEnded), savedLabel, orderLabel}));
  EXPECT_EQ(wait(kBurstSilenceMicros + 1), Outputs{kAckOut});
}

TEST_F(UploadTest, BodyWithBadCrcGetsNakAndTheLinkWaitsForANewCopy) {
  accept();
  std::string bad = traceBody("12345", true);
  bad[bad.find("R=2500") + 2] = '9';
  EXPECT_EQ(send(bad), (Outputs{kNakOut, activity("OMA Bad Packet CRC")}));
  micros += 1'000'000;
  EXPECT_EQ(last(send(traceBody("12345", true))), kStoreJob);  // without the CRC line
}

// Mended faults: whatever ended in a GS while the body was awaited was stored as the trace and
// answered with status 0: line noise ("GARBAGE" between FS and GS, with CRC in use too), half
// a body cut by a stray GS, a body without the CRC record its tracer uses. Only a whole body
// is taken; anything else gets NAK and the link waits for the body again. The body runs from
// its packet's FS: noise before it and a stray FS inside it (once it cut the trace's head
// off) change nothing, and a tracer whose GS was lost sends the whole packet again: one copy
// is stored.
TEST_F(UploadTest, OnlyAWholeBodyIsTakenAnythingElseGetsNak) {
  const auto refused = [](const std::string& why) { return Outputs{kNakOut, activity("OMA Trace Refused: " + why)}; };
  const std::string body = traceBody();
  accept();
  EXPECT_EQ(send("\xff\xfe\x1d"), refused("line noise, not a packet"));
  EXPECT_EQ(send("\x1c" "GARBAGE\x1d"), refused("no RS before the GS"));
  EXPECT_EQ(send("\x1c\x1e\x1d"), refused("no trace records"));
  EXPECT_EQ(send(body.substr(0, 40) + "\x1d"), refused("no RS before the GS"));
  EXPECT_EQ(send(body.substr(40)), refused("line noise, not a packet"));
  EXPECT_EQ(send("\x1c" "ANS=TRC\r\nR=1\x1eX\x1d"), refused("more than a CRC record after the RS"));
  std::string strayFs = body, strayFsAtEnd = body;
  strayFs.insert(strayFs.find("R=2500"), 1, kFs);
  strayFsAtEnd.insert(strayFsAtEnd.size() - 1, 1, kFs);  // once stored an empty file over the trace
  EXPECT_EQ(send(strayFsAtEnd), refused("more than a CRC record after the RS"));
  EXPECT_EQ(last(send("\x1cxyz" + body)), kStoreJob);
  for (const std::string& copy : {strayFs, body.substr(0, 40) + body}) {
    stored();
    accept();
    EXPECT_EQ(last(send(copy)), kStoreJob) << describe(write(copy));
  }
  stored();
  request(trcRequest("12345", "CORVANE", {"TRCFMT=1;400;E;R;F"}, true));
  std::string strayFsWithCrc = traceBody("12345", true);
  strayFsWithCrc.insert(strayFsWithCrc.find("R=2500"), 1, kFs);
  EXPECT_EQ(send("\x1cGARBAGE\x1e\x1d"), refused("no trace records"));
  EXPECT_EQ(send(body), refused("no CRC record"));
  EXPECT_EQ(send(strayFsWithCrc), (Outputs{kNakOut, activity("OMA Bad Packet CRC")}));
  std::string digitsAfterCrc = traceBody("12345", true);  // the fuzzer's find: stored as records
  digitsAfterCrc.insert(digitsAfterCrc.size() - 2, "570\n2510");
  EXPECT_EQ(send(digitsAfterCrc), refused("more than a CRC record after the RS"));
  EXPECT_EQ(last(send(traceBody("12345", true))), kStoreJob);
}

// Mended fault: a tracer that gave up (a body cut short, a request sent again) had its new
// request stored as the old job's trace, answered with status 0. The request now ends the
// upload, nothing is stored, and it is answered as any request.
TEST_F(UploadTest, ARequestInsteadOfTheBodyEndsTheUploadAndIsAnswered) {
  accept("8008");
  EXPECT_EQ(send(traceBody("8008").substr(0, 30) + trcRequest("8009")),
            Outputs{activity("OMA Trace Aborted: the tracer sent a new request")});
  const Outputs out = wait(kBurstSilenceMicros + 1);
  EXPECT_EQ(texts(out, OutputKind::Write), (Lines{std::string(1, kAck), answer("8009", 0, "1;400;E;R;F")}));
  EXPECT_EQ(last(send(traceBody("8009"))).name, "8009");
}

// No buffer grows past the limit: exactly the limit is read; one byte more drops a body with
// status 2 (and the rest of that flood, up to its silence), a burst or input held for later
// with an activity line.
TEST_F(UploadTest, NoBufferGrowsPastTheLimit) {
  const std::string fill(kMaxLinkBuffer - traceBody().size(), 'R');
  accept();
  send(fill);
  EXPECT_EQ(last(send(traceBody())), kStoreJob);
  stored();
  accept();
  send(fill + "R");
  EXPECT_EQ(send(traceBody()), (Outputs{activity("OMA Trace Discarded: more than 1048576 bytes without an end"),
                                        write(answer("12345", 2))}));
  EXPECT_TRUE(request(tracerPacket({"REQ=INI"})).empty());
  EXPECT_EQ(send(std::string(kMaxLinkBuffer + 1, 'x')),
            Outputs{activity("OMA Input Discarded: more than 1048576 bytes without a pause")});
  uploadAndStore();
  send(std::string(kMaxLinkBuffer, 'x'));
  EXPECT_EQ(send("x"), Outputs{activity("OMA Input Discarded: more than 1048576 bytes waiting")});
}

// With the prompt on, the tracer hears status 0 after the first store and the operator
// decides without a time limit; what the tracer sends meanwhile starts the next burst.
TEST_F(UploadTest, PromptWaitsForTheOperatorAndHoldsInput) {
  uploadAndStore();
  EXPECT_EQ(link.state(), State::AwaitingOperator);
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(send(tracerPacket({"REQ=INI"})).empty());
  EXPECT_TRUE(wait(3'600'000'000).empty());
  EXPECT_EQ(seen(link.operatorCancelled(now())), Outputs{make(OutputKind::PromptEnded)});
  EXPECT_EQ(wait(kBurstSilenceMicros + 1), Outputs{kAckOut});
}

// "&Save" stores the raw data again, its job line rewritten, under the new name in the chosen
// folder, which becomes the save folder. A job number of 0 reads "Order: ?" until stored.
TEST_F(UploadTest, PromptStoresUnderTheNewNameInTheChosenFolder) {
  uploadAndStore();
  const Outputs out = link.operatorChoseName("/other", "0");
  EXPECT_EQ(out, (Outputs{{OutputKind::RawDataReplaced, "JOB=0", {}, {}, 1},
                          make(OutputKind::OrderLabel, "Order: ?"),
                          make(OutputKind::PromptEnded),
                          {OutputKind::StoreTrace, "REQ=FIL\r\nJOB=0\r\nTRCFMT=1;400;E;R;F\r\nR=2500;2510;2520\r\n",
                           "0", "/other", 0}}));
  EXPECT_EQ(stored(), (Outputs{make(OutputKind::StatusLabel, "0 Trace Data Saved to Disk.\n\nWaiting for Next Trace..."),
                               make(OutputKind::OrderLabel, "Order: 0"),
                               withFolder(OutputKind::SaveFolderChanged, "/other")}));
  EXPECT_EQ(link.state(), State::Idle);
}

// Mended fault: a folder where nothing could be stored became the save folder, and every
// later trace of the run failed there. A failed store asks whether the folder takes files at
// all: one that does not is not taken; one that does is, also with a name refused on its own
// (never written).
TEST_F(UploadTest, PromptTakesTheChosenFolderOnlyWhenItTakesFiles) {
  const Problem noFolder{"No such file or directory"};
  const std::string notSaved = " Trace Data NOT Saved!\n\nWaiting for Next Trace...";
  uploadAndStore();
  link.operatorChoseName("/other", "J9");
  EXPECT_EQ(stored(Problem{"cannot create a temporary file in /other: No such file or directory"}),
            (Outputs{activity("Cant Store Data: cannot create a temporary file in /other: No such file or directory"),
                     make(OutputKind::StatusLabel, "J9" + notSaved), withFolder(OutputKind::CheckFolder, "/other")}));
  EXPECT_EQ(link.folderChecked(noFolder, "/saves", now()), Outputs{activity("Traces are still saved in /saves")});
  uploadAndStore();
  link.operatorChoseName("/saves", "J9");
  stored(noFolder);
  EXPECT_TRUE(link.folderChecked(noFolder, "/saves", now()).empty());  // the folder it is already
  uploadAndStore();
  const Outputs refused = link.operatorChoseName("/third", "a:b");
  EXPECT_EQ(texts(refused, OutputKind::Activity),
            Lines{"Cant Store Data: \"a:b\" contains a drive or stream separator"});
  EXPECT_EQ(last(refused), withFolder(OutputKind::CheckFolder, "/third"));
  EXPECT_TRUE(texts(refused, OutputKind::StoreTrace).empty());
  EXPECT_EQ(link.folderChecked(std::nullopt, "/saves", now()),
            Outputs{withFolder(OutputKind::SaveFolderChanged, "/third")});
  EXPECT_EQ(link.state(), State::Idle);
}

// Kept from a mended fault: "&Save" with no trace waiting still makes its folder the save
// folder, and stores nothing; the other answers and disk results out of turn change nothing.
TEST_F(UploadTest, AnswersOutOfTurnStoreNothing) {
  link = LinkEngine{1, true};
  EXPECT_TRUE(link.operatorCancelled(now()).empty());
  EXPECT_TRUE(link.brandMessageClosed(now()).empty());
  EXPECT_TRUE(stored().empty());
  EXPECT_TRUE(link.folderChecked(std::nullopt, "/saves", now()).empty());
  EXPECT_EQ(link.operatorChoseName("/x", "1"), Outputs{withFolder(OutputKind::SaveFolderChanged, "/x")});
  EXPECT_EQ(link.state(), State::Idle);
}

}  // namespace
}  // namespace lumora
