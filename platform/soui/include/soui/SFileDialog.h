#pragma once
// The platform's file and folder dialogs, as the program's windows ask for
// them: open or save a file, optionally accepting a folder too, and browse
// for a folder. They are modal and return when the user has answered.
#include <string>
#include <vector>

#include "soui/Win32Defs.h"

namespace SOUI {

struct FileDialogFilter {
    std::wstring name;     // shown to the user
    std::wstring pattern;  // one or more patterns separated by ';', as given
};

struct FileDialogParams {
    bool open = true;               // false: a save dialog
    std::wstring proposedFile;      // the dialog opens on its folder and name
    std::wstring defaultExtension;  // "iso" or ".iso": added to a name typed without one
    std::vector<FileDialogFilter> filters;
    bool overwritePrompt = false;  // save: ask before replacing a file
    // Open: the user may also accept a folder (typed, or selected, then OK).
    // The name box then shows a selection's full path, its extension in lower
    // case, and a shortcut ("x.lnk") without its extension.
    bool folderPicker = false;
    HWND owner = nullptr;  // the window the dialog is modal over
};

struct FileDialogChoice {
    bool accepted = false;   // false: cancelled, or no dialog could be shown
    std::wstring path;       // full path of the chosen file or folder
    std::wstring fileTitle;  // its name without the folder
};

FileDialogChoice RunFileDialog(const FileDialogParams& params);

struct FolderBrowserParams {
    std::wstring title;
    std::wstring initialSelection;  // a folder, or empty for none
    HWND owner = nullptr;
};

// The chosen folder's path; empty when cancelled. Only folders of the file
// system can be chosen.
std::wstring BrowseForFolder(const FolderBrowserParams& params);

// The name-box text of the folder-picker mode for a selected path.
std::wstring FolderPickerBoxText(const std::wstring& selectedPath);

}  // namespace SOUI
