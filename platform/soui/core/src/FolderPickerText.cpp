#include "soui/SFileDialog.h"

#include <cwctype>

namespace SOUI {

std::wstring FolderPickerBoxText(const std::wstring& selectedPath) {
    std::wstring text = selectedPath;
    if (text.size() < 4) return text;
    const size_t nameStart =
        text.find_last_of(L"/\\") == std::wstring::npos ? 0 : text.find_last_of(L"/\\") + 1;
    const size_t dot = text.rfind(L'.');
    if (dot == std::wstring::npos || dot < nameStart) return text;
    for (size_t i = dot; i < text.size(); ++i) text[i] = static_cast<wchar_t>(std::towlower(text[i]));
    if (text.compare(dot, std::wstring::npos, L".lnk") == 0) text.resize(text.size() - 4);
    return text;
}

}  // namespace SOUI
