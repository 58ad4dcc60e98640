// What the setup dialog tells the user about the save folder typed or chosen.
#pragma once

#include <string>
#include <string_view>

namespace lumora {

// The question for a folder that does not exist (two blanks on each side of the name).
std::string missingFolderQuestion(std::string_view folder);
std::string folderCreatedText(std::string_view folder);
inline constexpr std::string_view kFolderNotCreatedText = "Unable to create folder!\n\nPlease enter a valid folder name.";
inline constexpr std::string_view kFolderNotCreatedTitle = "Folder Creation Error";
inline constexpr std::string_view kFolderCreatedTitle = "New Folder Created";

// A folder that exists but takes no files: every trace would be answered "not saved".
// `why` is the system's reason ("Permission denied").
std::string folderRefusesTracesText(std::string_view folder, std::string_view why);

}  // namespace lumora
