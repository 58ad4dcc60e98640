#include "app/desktop/trace_printing.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

#include "base/core/file_replace.h"
#include "base/qt/qt_text.h"
#include "view/qt/trace_sheet_printing.h"

namespace lumora {
namespace {

constexpr const char* kPrintTitle = "Print Trace";
constexpr const char* kExportTitle = "Export PDF";

void sayFailure(Questions& questions, QWidget* parent, const char* title, const Problem& problem) {
  questions.ask(parent, toQString("The trace sheet was not made: " + problem.text + "."), title, Buttons::Ok,
                Icon::Warning);
}

SheetHeading headingOf(const ShownTrace& shown) {
  return {shown.job, todaysSheetDate()};
}

}  // namespace

void printTrace(Questions& questions, QWidget* parent, const ShownTrace& shown) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(toQString("Order " + shown.job));
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(kPrintTitle);
  if (dialog.exec() != QDialog::Accepted) return;
  if (auto problem = paintTraceSheet(printer, shown.trace, Side::Right, headingOf(shown)))
    sayFailure(questions, parent, kPrintTitle, *problem);
}

void exportTracePdf(Questions& questions, QWidget* parent, const ShownTrace& shown, const std::string& folder) {
  const QString offered = QDir(toQString(folder)).filePath(toQString(shown.job + ".pdf"));
  const std::optional<QString> path = questions.saveFileName(parent, kExportTitle, offered, "PDF documents (*.pdf)");
  if (!path) return;
  const Result<QByteArray> pdf = traceSheetPdf(shown.trace, Side::Right, headingOf(shown));
  std::optional<Problem> problem = pdf ? replaceFileBytes(path->toStdString(), std::string_view(pdf->constData(),
                                                          static_cast<std::size_t>(pdf->size())))
                                       : pdf.problem();
  if (problem) sayFailure(questions, parent, kExportTitle, *problem);
}

}  // namespace lumora
