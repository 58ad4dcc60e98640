// What the link engine asks its owner to do, returned as values in the order they happen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

enum class OutputKind {
  Write,             // text: bytes to write to the port, in one write
  DiscardInput,      // throw away whatever the port still holds unread
  Activity,          // text: one line for the activity list
  RawDataCleared,    // empty the raw-data list
  RawDataAdded,      // text: append one line to the raw-data list
  RawDataReplaced,   // index, text: rewrite one line of the raw-data list
  OrderLabel,        // text: the order label
  StatusLabel,       // text: the status label (LF breaks lines)
  ShowBrandMessage,  // text: the wrong-brand message; answer with brandMessageClosed()
  ShowTrace,         // text: the trace name; path: load this stored trace and draw side 0
  SaveFolderChanged, // path: the save folder for the rest of the run
  EnableSave,        // enable the "&Save" button
  PromptOperator,    // show the main window with "&Save" and "&Cancel"; answer with
                     // operatorChoseName() or operatorCancelled()
  PromptEnded,       // hide "&Save" and "&Cancel"
};

struct Output {
  OutputKind kind = OutputKind::Write;
  std::string text;
  std::string path;
  std::size_t index = 0;
  bool operator==(const Output&) const = default;
};

using Outputs = std::vector<Output>;

std::string_view KindName(OutputKind kind);

// One line for logs and test failures: kind, then text (control characters as <FS>, <CR> ...),
// then path and index where they apply.
std::string Describe(const Output& output);

}  // namespace lumora
