// What the link engine asks its owner to do, returned as values in the order they happen.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

enum class OutputKind {
  Write,              // text: bytes to write to the port, in one write
  DiscardInput,       // throw away whatever the port still holds unread
  Activity,           // text: one line for the activity list
  RawDataCleared,     // empty the raw-data list
  RawDataAdded,       // text: append one line to the raw-data list
  RawDataReplaced,    // index, text: rewrite one line of the raw-data list
  OrderLabel,         // text: the order label
  StatusLabel,        // text: the status label (LF breaks lines)
  ShowBrandMessage,   // text: the wrong-brand message; answer with brandMessageClosed()
  StoreTrace,         // text: a trace file's bytes, to be stored as `name` in `folder` (empty:
                      // the save folder in force), replacing any file of that name; answer
                      // with storeFinished()
  CheckFolder,        // folder: whether a trace could be stored there at all; answer with
                      // folderChecked()
  ShowTrace,          // name: load the trace just stored under this name and draw side 0
  SaveFolderChanged,  // folder: the save folder for the rest of the run
  EnableSave,         // enable the "&Save" button
  PromptOperator,     // show the main window with "&Save" and "&Cancel"; answer with
                      // operatorChoseName() or operatorCancelled()
  PromptEnded,        // hide "&Save" and "&Cancel"
  UploadEnded,        // end: how a trace upload ended, once per accepted or refused request
};

// How a trace upload ended. An upload with the "Prompt" setting on ends when the operator
// has answered: Stored after "&Cancel" or a new name that could not be stored.
enum class UploadOutcome {
  Stored,             // stored under its job number
  Renamed,            // stored again under the operator's name
  RefusedBrand,       // another brand's tracer
  UnsupportedFormat,  // no trace format offered that is taken
  BadName,            // the job number is no safe file name
  TimedOut,           // the body stopped coming
  TooLong,            // the body outgrew the buffer limit
  Abandoned,          // the tracer sent a new request instead of the body
  StoreFailed,        // the trace could not be written
};

struct UploadEnd {
  UploadOutcome outcome = UploadOutcome::Stored;
  std::string job{};            // the job number of the request
  std::optional<int> status{};  // the tracer's final answer; none when it gave up before one
  std::string folder{};         // where the trace is stored ("" the save folder in force)
  std::string file{};           // the name it is stored under; empty when nothing is stored
  std::string bytes{};          // the stored trace's file bytes (with the job line the operator gave)
  bool operator==(const UploadEnd&) const = default;
};

struct Output {
  OutputKind kind = OutputKind::Write;
  std::string text;
  std::string name;
  std::string folder;
  std::size_t index = 0;
  UploadEnd end{};  // UploadEnded only
  bool operator==(const Output&) const = default;
};

using Outputs = std::vector<Output>;

// One line for logs and test failures: kind, then text (control characters as <FS>, <CR> ...),
// then name, folder and index where they apply.
std::string describe(const Output& output);

}  // namespace lumora
