#include "view/qt/trace_preview.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include <QDateTime>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "base/core/file_read.h"
#include "base/qt/qt_text.h"
#include "view/core/dimension_labels.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

// Room for a large lens at true size.
constexpr double kPreviewWidthMm = 80, kPreviewHeightMm = 64;
constexpr int kFactLines = 7;  // A, B, ED, Cir, DBL, date, size

// "Date: " and "Size: " of the file; nothing for a fact the file system does not give.
QStringList fileFacts(const std::string& path) {
  namespace fs = std::filesystem;
  QStringList facts;
  std::error_code error;
  const auto modified = fs::last_write_time(pathFromText(path), error);
  if (!error) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(modified).time_since_epoch());
    facts << "Date: " + QDateTime::fromSecsSinceEpoch(seconds.count()).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
  }
  const auto size = fs::file_size(pathFromText(path), error);
  if (!error) facts << QStringLiteral("Size: %1 bytes").arg(size);
  return facts;
}

}  // namespace

TracePreview::TracePreview(const ScreenCalibration& calibration, QWidget* parent)
    : QWidget(parent),
      calibration_(calibration),
      place_(new QStackedWidget(this)),
      picture_(new TracePicture(place_)),
      notice_(new QLabel(place_)),
      facts_(new QLabel(this)) {
  setObjectName(QStringLiteral("tracePreview"));
  picture_->setObjectName(QStringLiteral("previewPicture"));
  picture_->setFixedSizeMm(kPreviewWidthMm, kPreviewHeightMm);
  notice_->setObjectName(QStringLiteral("previewNotice"));
  notice_->setWordWrap(true);
  notice_->setAlignment(Qt::AlignCenter);
  place_->addWidget(picture_);
  place_->addWidget(notice_);
  facts_->setObjectName(QStringLiteral("previewFacts"));
  facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Room for every line from the start: stepping through the list never moves the controls.
  facts_->setMinimumHeight(kFactLines * facts_->fontMetrics().lineSpacing());
  facts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(place_);
  layout->addWidget(facts_);
  layout->addStretch();
  clear();
}

void TracePreview::clear() {
  picture_->clearPicture();
  place_->setCurrentWidget(picture_);
  facts_->clear();
}

void TracePreview::showNotice(const QString& text) {
  picture_->clearPicture();
  notice_->setText(text);
  place_->setCurrentWidget(notice_);
}

// The right eye, as the main window draws it; the labels are empty when it has no outline.
void TracePreview::showFile(const std::string& folder, const std::string& name) {
  TraceRecord trace;
  const auto problem = trace.load(folder, name);
  const TraceLabels labels = rightEyeLabels(trace);
  QStringList lines;
  if (problem) {
    showNotice("Not shown: " + toQString(problem->text));
  } else if (labels.boxWidth.empty()) {
    showNotice("Not shown: " + toQString(name) + " holds no trace outline");
  } else {
    place_->setCurrentWidget(picture_);
    trace.draw(*picture_, Side::Right, calibration_);
    for (const std::string* text : {&labels.boxWidth, &labels.boxHeight, &labels.effectiveDiameter,
                                    &labels.circumference, &labels.distanceBetweenLenses})
      lines << toQString(*text);
  }
  facts_->setText((lines + fileFacts(joinPath(folder, name))).join(QLatin1Char('\n')));
}

}  // namespace lumora
