// The setup dialog's controls, captions, tooltips and places (twips, as the form gives them).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "base/qt/text_area.h"
#include "base/qt/twips.h"
#include "setup/core/port_list.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/port_list_widget.h"
#include "setup/qt/setup_dialog.h"

namespace lumora {
namespace {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
  return widget;
}

QGroupBox* frame(QWidget* parent, const char* caption) {
  return new QGroupBox(QString::fromLatin1(caption), parent);
}

QPushButton* button(QWidget* parent, const char* caption, const char* tip = nullptr) {
  auto* widget = new QPushButton(QString::fromLatin1(caption), parent);
  if (tip) widget->setToolTip(QString::fromLatin1(tip));
  return widget;
}

QCheckBox* checkBox(QWidget* parent, const char* caption, const char* tip) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setToolTip(QString::fromLatin1(tip));
  return box;
}

}  // namespace

void SetupDialog::buildHelpArea() {
  helpText_ = place(newTextArea(this, "helpText"), "helpText", 0, 0, 9420, 1725);
  helpText_->setPlainText(help_.text);
  helpText_->setToolTip(QStringLiteral("Program setup help information"));
  helpText_->setFrameShape(QFrame::Panel);
}

void SetupDialog::buildPortFrame() {
  QGroupBox* ports = place(frame(this, "Step 1:  Select Serial Port"), "portFrame", 120, 1800, 4080, 3780);
  portList_ = place(new PortListWidget(ports), "portList", 90, 300, 3900, 3390);
  portList_->setToolTip(QStringLiteral(
      "Serial ports with check marks are currently open and ready for use. Click on a "
      "checkbox to change the port's status"));
  connect(portList_, &PortListWidget::tickToggled, this, &SetupDialog::onPortTickToggled);
}

void SetupDialog::buildSaveFrame() {
  QGroupBox* save =
      place(frame(this, "Step 2:  Verify Trace Save Location"), "saveFrame", 4320, 1800, 4980, 1020);
  saveFolderEdit_ = place(new QLineEdit(save), "saveFolderEdit", 120, 420, 4200, 375);
  saveFolderEdit_->setToolTip(QStringLiteral(
      "Click the browse button to select a folder or enter a new folder name here."));
  browseButton_ = place(button(save, "<<", "Click here to select a different trace save location"),
                        "browseButton", 4380, 405, 480, 405);
  connect(browseButton_, &QPushButton::clicked, this, &SetupDialog::onBrowseClicked);
}

void SetupDialog::buildOptionsFrame() {
  QGroupBox* options = place(frame(this, "Step 3:  Verify Options"), "optionsFrame", 4320, 2880, 2940, 1500);
  bypassNotificationBox_ = place(
      checkBox(options, "Bypass Startup Notification",
               "Selecting this option will prevent the program startup notification from displaying. "),
      "bypassNotificationBox", 120, 300, 2760, 330);
  promptBox_ = place(checkBox(options, "Prompt for Trace File Name",
                              "Selecting this option will cause the program to prompt you for a file name to "
                              "use when saving each trace."),
                     "promptBox", 120, 690, 2760, 330);
  autoStartBox_ = place(new QCheckBox(autoStartCaption(), options), "autoStartBox", 120, 1080, 2760, 330);
  autoStartBox_->setToolTip(autoStartTip());
}

void SetupDialog::buildHelpFrame() {
  QGroupBox* help = place(frame(this, "Step 4:  Help"), "helpFrame", 7380, 2880, 1920, 1500);
  QPushButton* tracerSetup = place(button(help, "Tracer Setup Info",
                                          "Click here for help configuring your tracer for use with this "
                                          "program."),
                                   "tracerSetupButton", 120, 270, 1680, 360);
  QPushButton* maintenance = place(button(help, "Maintenance"), "maintenanceButton", 120, 660, 1680, 360);
  QPushButton* dailyOperation =
      place(button(help, "Daily Operation"), "dailyOperationButton", 120, 1050, 1680, 360);
  connect(tracerSetup, &QPushButton::clicked, this, [this] { help_.tracerSetup(this); });
  connect(maintenance, &QPushButton::clicked, this, [this] { help_.maintenance(this); });
  connect(dailyOperation, &QPushButton::clicked, this, [this] { help_.dailyOperation(this); });
  okButton_ = place(button(this, "OK", "Click here when finished"), "okButton", 8085, 4980, 1215, 495);
  okButton_->setDefault(true);
  okButton_->setAutoDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &SetupDialog::onOkClicked);
}

// The places above suit an 8-point font at 96 dots per inch. Where the text needs more room
// (a larger font, a long help text, a long port entry), the help area grows until its whole
// text shows and the port list until all 16 entries show whole, without scroll bars; the
// controls below and right of them move along and the dialog grows by as much.
void SetupDialog::fitContents() {
  portList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  helpText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // its lines wrap
  QWidget* portFrame = portList_->parentWidget();
  const int wider = std::max(0, portListWidthNeeded() - portList_->width());
  const int rowsHigh = kPortCount * portList_->sizeHintForRow(0) + 2 * portList_->frameWidth();
  const int taller = std::max(0, rowsHigh - portList_->height());
  helpText_->resize(helpText_->width() + wider, helpText_->height());
  const int down = std::max(0, helpHeightNeeded() - helpText_->height());
  helpText_->resize(helpText_->width(), helpText_->height() + down);
  for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (control == helpText_) continue;
    const int right = control->x() > portFrame->x() ? wider : 0;
    control->move(control->x() + right, control->y() + down + (control == okButton_ ? taller : 0));
  }
  portFrame->resize(portFrame->width() + wider, portFrame->height() + taller);
  portList_->resize(portList_->width() + wider, portList_->height() + taller);
  setFixedSize(width() + wider, height() + down + taller);
}

// Measured by the list itself, with the longest texts an entry can take: its check box and
// tab stops count too. The list keeps one entry, for the row height.
int SetupDialog::portListWidthNeeded() {
  portList_->clear();
  for (const std::string& text : widestEntryTexts(kProbeSpeeds.back())) {
    auto* item = new QListWidgetItem(QString::fromStdString(text), portList_);
    item->setCheckState(Qt::Checked);
  }
  const int widest = portList_->sizeHintForColumn(0);
  while (portList_->count() > 1) delete portList_->takeItem(1);
  return widest + 2 * portList_->frameWidth();
}

// The help text laid out as the area lays it out: its font, margins and width.
int SetupDialog::helpHeightNeeded() const {
  QTextDocument text;
  text.setDefaultFont(helpText_->font());
  text.setDocumentMargin(helpText_->document()->documentMargin());
  text.setPlainText(helpText_->toPlainText());
  text.setTextWidth(helpText_->width() - 2 * helpText_->frameWidth());
  const int slack = helpText_->fontMetrics().lineSpacing() / 2;
  return static_cast<int>(std::ceil(text.size().height())) + 2 * helpText_->frameWidth() + slack;
}

}  // namespace lumora
