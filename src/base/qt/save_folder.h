// The folder traces are saved in, for the whole run: the one owner that the link, the
// windows and the dialogs ask, and that tells them when it changes. The program starts it
// from the "SavePath" setting; a folder chosen with "&Save" in the file-name prompt takes its
// place for the rest of the run, and the setup dialog's choice when the link starts again.
#pragma once

#include <QObject>
#include <string>

namespace lumora {

class SaveFolder : public QObject {
  Q_OBJECT

 public:
  explicit SaveFolder(std::string path = {}, QObject* parent = nullptr);

  // A UTF-8 path text, as every path of the Qt-free code.
  const std::string& path() const { return path_; }
  void setPath(std::string path);

 signals:
  void changed();  // path() is another folder now

 private:
  std::string path_;
};

}  // namespace lumora
