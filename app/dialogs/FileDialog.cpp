#include "app/dialogs/FileDialog.h"

#include <utility>

FileDialog::FileDialog(bool open, std::wstring defaultExtension, const std::wstring& proposedFile,
                       unsigned extraFlags, std::vector<SOUI::FileDialogFilter> filters, SOUI::HWND owner,
                       bool folderPicker)
    : openFlag(open ? 1 : 0), file(proposedFile) {
    record.open = open;
    record.defaultExtension = std::move(defaultExtension);
    record.filters = std::move(filters);
    record.overwritePrompt = (extraFlags & kFileDialogOverwritePrompt) != 0;
    record.folderPicker = folderPicker;
    record.owner = owner;
}

int FileDialog::Run(SOUI::HWND owner) {
    if (record.owner == nullptr) record.owner = owner;
    record.open = openFlag != 0;
    record.proposedFile = file;
    const SOUI::FileDialogChoice choice = SOUI::RunFileDialog(record);
    if (!choice.accepted) return 0;
    file = choice.path;
    fileTitle = choice.fileTitle;
    return 1;
}

bool BrowseFolder(SOUI::HWND owner, const std::wstring& title, std::wstring& folder) {
    SOUI::FolderBrowserParams params;
    params.owner = owner;
    params.title = title;
    params.initialSelection = folder;
    std::wstring chosen = SOUI::BrowseForFolder(params);
    if (chosen.empty()) return false;
    folder = std::move(chosen);
    return true;
}
