#include "common/JsonText.h"

#include <cctype>

#include "common/ResponseBuffer.h"
#include "common/TextEncoding.h"

namespace {

// The writer spells \u escapes in lower case; the service's old clients sent
// upper case. Backslashes only occur inside strings, each starting an escape.
void UpperCaseUnicodeEscapes(std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '\\') continue;
        if (text[i + 1] == 'u') {
            for (size_t k = i + 2; k < i + 6 && k < text.size(); ++k) {
                text[k] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[k])));
            }
            i += 5;
        } else {
            ++i;
        }
    }
}

bool ParseWithReader(const char* begin, const char* end, Json::Value& root) {
    // The classic reader with its default features (comments accepted).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Json::Reader reader;
#pragma GCC diagnostic pop
    return reader.parse(begin, end, root);
}

}  // namespace

std::string StyledJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["commentStyle"] = "None";
    // Pass text bytes through; the older styled writer would re-encode them.
    builder["emitUTF8"] = true;
    std::string text = Json::writeString(builder, value);
    UpperCaseUnicodeEscapes(text);
    text += '\n';
    return text;
}

bool ReadResponseJson(Json::Value& root) {
    if (ResponseWasCut()) return false;
    const std::string text = Utf8ToOem(ResponseBuffer);
    const size_t brace = text.find('{');
    if (brace == std::string::npos) return false;
    return ParseWithReader(text.data() + brace, text.data() + text.size(), root);
}
