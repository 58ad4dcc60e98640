#include "base/qt/save_folder.h"

#include <utility>

namespace lumora {

SaveFolder::SaveFolder(std::string path, QObject* parent) : QObject(parent), path_(std::move(path)) {}

void SaveFolder::setPath(std::string path) {
  if (path == path_) return;
  path_ = std::move(path);
  emit changed();
}

}  // namespace lumora
