// What the link engine asks its owner to do, returned as values in the order they happen.
#pragma once

#include <cstddef>
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
};

struct Output {
  OutputKind kind = OutputKind::Write;
  std::string text;
  std::string name;
  std::string folder;
  std::size_t index = 0;
  bool operator==(const Output&) const = default;
};

using Outputs = std::vector<Output>;

// One line for logs and test failures: kind, then text (control characters as <FS>, <CR> ...),
// then name, folder and index where they apply.
std::string describe(const Output& output);

}  // namespace lumora
