#include "setup/core/save_folder_texts.h"

namespace lumora {

std::string missingFolderQuestion(std::string_view folder) {
  return "The  '" + std::string(folder) + "'  folder does not exist.\n\nWould you like for me to create it for you?";
}

std::string folderCreatedText(std::string_view folder) {
  return "The new  '" + std::string(folder) + "'  folder has been created.";
}

std::string folderRefusesTracesText(std::string_view folder, std::string_view why) {
  return "Traces cannot be stored in the  '" + std::string(folder) + "'  folder: " + std::string(why) +
         ".\n\nPlease choose another folder.";
}

}  // namespace lumora
