#include "view/qt/trace_sheet_printing.h"

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "view/qt/drawing_painter.h"

namespace lumora {
namespace {

constexpr double kMmPerInch = 25.4;
// A pixel width of the drawing becomes this on paper: the screen's 2-pixel outline is a
// 0.4 mm line, visible but thin enough to measure by.
constexpr double kPaperMmPerPixel = 0.2;
constexpr double kTextPoints = 10;
constexpr int kPdfDotsPerInch = 1200;
constexpr double kPdfMarginMm = 15;

}  // namespace

std::string todaysSheetDate() { return QDate::currentDate().toString(Qt::ISODate).toStdString(); }

std::optional<Problem> paintTraceSheet(QPagedPaintDevice& device, const TraceRecord& trace, Side side,
                                       const SheetHeading& heading) {
  const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
  const Result<TraceSheet> sheet = layOutTraceSheet(trace, side, heading, area.width(), area.height());
  if (!sheet) return sheet.problem();
  const double pxPerMmX = device.logicalDpiX() / kMmPerInch, pxPerMmY = device.logicalDpiY() / kMmPerInch;
  QPainter painter;
  if (!painter.begin(&device)) return Problem{"the page cannot be started"};
  paintDrawing(painter, sheet->drawing, {pxPerMmX, pxPerMmY, kPaperMmPerPixel * pxPerMmX});
  QFont font = painter.font();
  font.setPointSizeF(kTextPoints);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (const SheetText& text : sheet->texts)
    painter.drawText(QPointF(text.xMm * pxPerMmX, text.yMm * pxPerMmY), toQString(text.text));
  if (!painter.end()) return Problem{"the page cannot be finished"};
  return std::nullopt;
}

Result<QByteArray> traceSheetPdf(const TraceRecord& trace, Side side, const SheetHeading& heading) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfDotsPerInch);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                  QPageLayout::Millimeter));
    pdf.setCreator(toQString(kApplicationTitle));
    pdf.setTitle(toQString("Order " + heading.job));
    if (auto problem = paintTraceSheet(pdf, trace, side, heading)) return *problem;
  }  // the writer finishes the document when it goes
  return bytes;
}

}  // namespace lumora
