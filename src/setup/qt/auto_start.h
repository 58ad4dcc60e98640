// Starting the program when the user logs on: one entry named with the application title
// that starts the program's full path. On Windows a value of the per-user Run key
// (auto_start_windows.cpp), elsewhere an XDG autostart entry (auto_start_posix.cpp).
// Failures are silent: the box is an option, not a promise.
#pragma once

#include <QString>
#include <memory>

namespace lumora {

class AutoStart {
 public:
  virtual ~AutoStart() = default;
  // Writes the entry (again) for the running program.
  virtual void add() = 0;
  // Deletes the entry; a missing entry is no error.
  virtual void remove() = 0;
  virtual bool present() const = 0;
};

// The setup dialog's caption and tip for the auto-start box, in this platform's words.
QString autoStartCaption();
QString autoStartTip();

// The mechanism of this platform for the running program: the Run key on Windows, else the
// autostart folder of $XDG_CONFIG_HOME (default ~/.config).
std::unique_ptr<AutoStart> platformAutoStart();

// Elsewhere than Windows: the XDG autostart entry
// "<folder>/Lumora Corvane Trace Server.desktop" that runs `programPath`.
class XdgAutoStart : public AutoStart {
 public:
  XdgAutoStart(QString autostartFolder, QString programPath);
  void add() override;
  void remove() override;
  bool present() const override;
  QString entryPath() const;

 private:
  QString folder_;
  QString program_;
};

// The Exec line's program, quoted for a desktop entry: inside double quotes '"', '`', '$'
// and '\' are escaped, then the string escape doubles each '\'; '%' becomes "%%".
QString desktopExecQuoted(const QString& programPath);

}  // namespace lumora
