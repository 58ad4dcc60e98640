// The trace sheet put on paper or into a PDF document with Qt's own printing, at true size
// whatever the device's resolution.
#pragma once

#include <QByteArray>
#include <string>

#include "base/core/problem.h"
#include "view/core/trace_sheet.h"

class QPagedPaintDevice;

namespace lumora {

// Today's date as a sheet prints it (ISO 8601).
std::string todaysSheetDate();

// Lays the sheet out on the device's printable area and paints it as one page.
std::optional<Problem> paintTraceSheet(QPagedPaintDevice& device, const TraceRecord& trace, Side side,
                                       const SheetHeading& heading);

// The sheet as the bytes of a one-page A4 PDF document.
Result<QByteArray> traceSheetPdf(const TraceRecord& trace, Side side, const SheetHeading& heading);

}  // namespace lumora
