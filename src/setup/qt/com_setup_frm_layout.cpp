// The setup dialog's controls, captions, tooltips and places (twips, as the form gives them).
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "base/qt/qt_text.h"
#include "base/qt/text_area.h"
#include "base/qt/twips.h"
#include "setup/qt/com_setup_frm.h"
#include "setup/qt/port_list_widget.h"

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

QPushButton* button(QWidget* parent, const char* caption, const char* tip) {
  auto* widget = new QPushButton(QString::fromLatin1(caption), parent);
  widget->setToolTip(QString::fromLatin1(tip));
  return widget;
}

}  // namespace

void ComSetupFrm::buildHelpArea() {
  Label4 = place(newTextArea(this, "Label4"), "Label4", -30, -30, 9435, 1725);
  Label4->setPlainText(help_.text);
  Label4->setToolTip(QStringLiteral("Program setup help information"));
  Label4->setFrameShape(QFrame::Panel);
}

void ComSetupFrm::buildPortFrame() {
  Frame1 = place(frame(this, "Step 1:  Select Serial Port"), "Frame1", 120, 1800, 4080, 3780);
  List1 = place(new PortListWidget(Frame1), "List1", 90, 300, 3900, 3390);
  List1->setToolTip(QStringLiteral(
      "Serial ports with check marks are currently open and ready for use. Click on a "
      "checkbox to change the port's status"));
  connect(List1, &PortListWidget::tickToggled, this, &ComSetupFrm::List1_MouseUp);
}

void ComSetupFrm::buildSaveFrame() {
  Frame6 =
      place(frame(this, "Step 2:  Verify Trace Save Location"), "Frame6", 4320, 1800, 4980, 1020);
  SaveDirectoryText = place(new QLineEdit(Frame6), "SaveDirectoryText", 120, 420, 4200, 375);
  SaveDirectoryText->setToolTip(QStringLiteral(
      "Click the browse button to select a folder or enter a new folder name here."));
  Command2 = place(button(Frame6, "<<", "Click here to select a different trace save location"),
                   "Command2", 4380, 405, 480, 405);
  connect(Command2, &QPushButton::clicked, this, &ComSetupFrm::Command2_Click);
}

void ComSetupFrm::buildOptionsFrame() {
  Frame8 = place(frame(this, "Step 3:  Verify Options"), "Frame8", 4320, 2880, 2940, 1500);
  DontShowCheck = place(new QCheckBox(QStringLiteral("Bypass Startup Notification"), Frame8),
                        "DontShowCheck", 120, 300, 2760, 330);
  DontShowCheck->setToolTip(QStringLiteral(
      "Selecting this option will prevent the program startup notification from displaying. "));
  Check1 = place(new QCheckBox(QStringLiteral("Prompt for Trace File Name"), Frame8), "Check1", 120,
                 690, 2760, 330);
  Check1->setToolTip(QStringLiteral(
      "Selecting this option will cause the program to prompt you for a file name to use when "
      "saving each trace."));
  AutoStartCheck = place(new QCheckBox(QStringLiteral("Auto-Run at Windows Startup"), Frame8),
                         "AutoStartCheck", 120, 1080, 2760, 330);
  AutoStartCheck->setToolTip(QStringLiteral(
      "Selecting this option will automatically run the program each time Windows starts."));
}

void ComSetupFrm::buildHelpFrame() {
  Frame9 = place(frame(this, "Step 4:  Help"), "Frame9", 7380, 2880, 1920, 1500);
  Command3 = place(button(Frame9, "Tracer Setup Info",
                          "Click here for help configuring your tracer for use with this "
                          "program."),
                   "Command3", 120, 270, 1680, 360);
  Command4 = place(new QPushButton(QStringLiteral("Maintenance"), Frame9), "Command4", 120, 660,
                   1680, 360);
  Command5 = place(new QPushButton(QStringLiteral("Daily Operation"), Frame9), "Command5", 120,
                   1050, 1680, 360);
  Command1 =
      place(button(this, "OK", "Click here when finished"), "Command1", 8085, 4980, 1215, 495);
  Command1->setDefault(true);
  Command1->setAutoDefault(true);
}

}  // namespace lumora
