// The per-user Run key value HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run,
// named with the application title, holding the program's full path.
#pragma once

#include "setup/qt/auto_start.h"

namespace lumora {

class RunKeyAutoStart : public AutoStart {
 public:
  explicit RunKeyAutoStart(QString programPath);
  void add() override;
  void remove() override;
  bool present() const override;

 private:
  QString program_;
};

}  // namespace lumora
