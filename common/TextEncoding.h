#pragma once
#include <string>

// Conversions between the process's code pages (ANSI, OEM: narrow, see
// os/CodePage.h), UTF-8 and wide text. Each returns a new string and throws a
// std::runtime_error on failure, with one of the messages of
// TextEncodingFailure.h. Characters the target cannot hold are substituted,
// which is no failure. A NUL in the source ends the text there.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToOem(const std::wstring& text);
std::string Utf8ToOem(const std::string& text);
std::wstring AnsiToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string AnsiToUtf8(const std::string& text);
