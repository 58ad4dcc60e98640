// What the main window needs from outside: the questions it asks, the settings, the setup
// dialog and the upload history. Tests hand in scripted answers and a setup step that writes settings.
#pragma once

#include <functional>

class QWidget;

namespace lumora {

class AutoStart;
class HistoryStore;
struct HelpTexts;
class Questions;
class SettingsStore;

struct DesktopServices {
  Questions& questions;
  SettingsStore& settings;
  HelpTexts& texts;
  // Shows the setup dialog modally over `parent` and returns when it is closed. `portNotOpen`
  // is the port (1 to 16) the link lost or could not open, 0 for none.
  std::function<void(QWidget* parent, int portNotOpen)> runSetupDialog;
  // Where each upload is recorded and what the "Trace History" window lists; none keeps no
  // history (tests about other things).
  HistoryStore* history = nullptr;
};

}  // namespace lumora
