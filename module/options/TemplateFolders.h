#pragma once

#include <string>
#include <vector>

class CZqWindow;

// The host's template folders (numbered from 1), its fixed option files
// and the template files of a folder, shared by the template dialogs.
namespace templates {

constexpr std::size_t kMaxStemBytes = 251;

int folderCount();
int currentFolder();
// The folder's directory text (ends with its separator), empty when none.
std::string directory(int folder);
// Its display name: its name, or its directory when it has none.
std::string displayName(int folder);
// Fills drop-down list `control` with every folder's display name and
// selects `folder` (the first when there is no such folder).
void fillFolderList(CZqWindow& window, int control, int folder);

// System file `kind` (1 standard, 3 default) and the template extension.
std::string systemFileName(int kind);
std::string extension();
std::string currentTemplate();
// True in login-user mode (each user has a template of his own).
bool loginUserMode();
// The login user's template path, and its file name and stem.
std::string loginTemplatePath();
std::string loginTemplateFile();

// The valid template files (names with extension) of `dir`, sorted by name.
std::vector<std::string> templateFiles(const std::string& dir);
// The name without its last four characters (the dot and the extension).
std::string stem(const std::string& file);
// `file` in `dir`, with a separator between them when `dir` has none.
std::string joinPath(const std::string& dir, const std::string& file);

// Empty when `name` can be a template's file name; else the character that
// cannot (a path separator, a control character or one the file system
// refuses), for the message.
std::string refusedCharacter(const std::string& name);

}  // namespace templates
