// The trace on screen on paper or in a PDF file: the system's print dialog, or a file name
// asked for, then the trace sheet at true size.
#pragma once

#include <string>

#include "base/qt/questions.h"
#include "view/core/trace_sheet.h"

class QWidget;

namespace lumora {

// The trace shown and its job number; the sheet is dated when it is made.
struct ShownTrace {
  TraceRecord trace;
  std::string job;
};

// The print dialog, then the right eye's sheet on the chosen printer. A failure is said in a
// message; Cancel prints nothing.
void printTrace(Questions& questions, QWidget* parent, const ShownTrace& shown);

// Asks for a PDF file name in `folder` (the job number offered) and writes the right eye's
// sheet there, replacing a file of that name whole. A failure is said in a message.
void exportTracePdf(Questions& questions, QWidget* parent, const ShownTrace& shown, const std::string& folder);

}  // namespace lumora
