#pragma once
// The file and folder dialogs that the program's dialogs share, over the
// window layer's own: an open or save dialog with an optional folder-picker
// mode, and the folder browser.
#include <cstdint>
#include <string>
#include <vector>

#include "soui/SFileDialog.h"
#include "soui/Win32Defs.h"

// Extra flag of FileDialog: a save dialog asks before replacing a file.
constexpr unsigned kFileDialogOverwritePrompt = 0x1;

// An open or save dialog. In folder-picker mode an open dialog also accepts
// a folder: OK on a folder ends it with that folder as the chosen path, and
// its name box shows a selection's full path with the extension in lower
// case and a shortcut's ".lnk" cut.
//
// Paths are not bounded: a proposed file of any length is proposed whole
// and a chosen path of any length comes back whole.
class FileDialog {
public:
    FileDialog(bool open, std::wstring defaultExtension, const std::wstring& proposedFile,
               unsigned extraFlags, std::vector<SOUI::FileDialogFilter> filters, SOUI::HWND owner = nullptr,
               bool folderPicker = false);

    // Not zero when the user chose a file (or, in folder-picker mode, a
    // folder): `file` then holds its full path and `fileTitle` its name
    // without the folder. Zero when cancelled; nothing changes then. A
    // dialog built without an owner is modal over `owner`.
    int Run(SOUI::HWND owner);

    SOUI::FileDialogParams record;
    int32_t openFlag = 0;
    std::wstring fileTitle;
    std::wstring file;  // the proposed file before Run, the choice after
};

// The folder browser: opens with `folder` selected (empty: none) and, when
// the user chooses a file-system folder, puts its path into `folder` and
// returns true. Cancelled: false, and `folder` stays as it was. Paths are
// not bounded.
bool BrowseFolder(SOUI::HWND owner, const std::wstring& title, std::wstring& folder);
