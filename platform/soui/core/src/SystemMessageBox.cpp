#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "AttrParse.h"
#include "MessageBoxHook.h"
#include "QtApp.h"
#include "soui/SHostWnd.h"
#include "soui/SystemApi.h"

namespace SOUI {

namespace detail {

namespace {

IMessageBoxHook* g_hook = nullptr;

class LogFileHook : public IMessageBoxHook {
public:
    explicit LogFileHook(std::string path) : path_(std::move(path)) {}

    int OnSystemBox(const std::wstring& text, const std::wstring&, UINT type) override {
        Append(text);
        return MessageBoxButtonIds(type).front();
    }

    void OnFrameworkBox(SHostDialog& box, const std::wstring& text, const std::wstring&,
                        const std::vector<int>& buttonIds) override {
        Append(text);
        box.EndDialog(buttonIds.front());
    }

private:
    void Append(const std::wstring& text) {
        if (std::FILE* file = std::fopen(path_.c_str(), "a")) {
            const std::string line = WideToUtf8(text) + "\n";
            std::fwrite(line.data(), 1, line.size(), file);
            std::fclose(file);
        }
    }

    std::string path_;
};

}  // namespace

void SetMessageBoxHook(IMessageBoxHook* hook) {
    g_hook = hook;
}

IMessageBoxHook* GetMessageBoxHook() {
    if (g_hook) return g_hook;
    static const char* logPath = std::getenv("SOUI_MESSAGEBOX_LOG");
    if (logPath == nullptr || *logPath == 0) return nullptr;
    static LogFileHook logHook(logPath);
    return &logHook;
}

}  // namespace detail

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    const std::wstring body = text ? text : L"";
    const std::wstring title = caption ? caption : L"";
    if (detail::IMessageBoxHook* hook = detail::GetMessageBoxHook())
        return hook->OnSystemBox(body, title, type);
    detail::EnsureQtApplication();
    QMessageBox box((type & MB_ICONINFORMATION) ? QMessageBox::Information : QMessageBox::NoIcon,
                    detail::ToQString(title), detail::ToQString(body));
    struct Choice {
        QMessageBox::StandardButton button;
        int id;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_ABORTRETRYIGNORE:
            choices = {{QMessageBox::Abort, IDABORT},
                       {QMessageBox::Retry, IDRETRY},
                       {QMessageBox::Ignore, IDIGNORE}};
            break;
        case MB_YESNOCANCEL:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MB_RETRYCANCEL:
            choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        default:
            choices = {{QMessageBox::Ok, IDOK}};
            break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    const int pressed = box.exec();
    for (const auto& c : choices) {
        if (pressed == c.button) return c.id;
    }
    // Closed without a button: a one-button box gives its button.
    return choices.size() == 1 ? choices[0].id : IDCANCEL;
}

}  // namespace SOUI
