#include "model_text.h"

#include <iconv.h>

#include <cerrno>

namespace kineport {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool is_forbidden_in_xml(unsigned char c) {
    return c < 0x20 && c != '\t';
}

// Converts what it can; a byte iconv cannot take is replaced and skipped.
std::string converted(iconv_t converter, const std::string& text) {
    std::string out;
    std::string input = text;
    char* in = input.data();
    size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* next = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &next, &outLeft);
        out.append(buffer, next - buffer);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

}  // namespace

std::string utf8_text(const std::string& ms932) {
    std::string utf8;
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        utf8 = converted(converter, ms932);
        iconv_close(converter);
    } else {
        for (char c : ms932)
            utf8 += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : kReplacement;
    }
    // UTF-8 bytes of characters beyond ASCII are all 0x80 or more.
    std::string result;
    for (char c : utf8) {
        if (is_forbidden_in_xml(static_cast<unsigned char>(c))) {
            result += kReplacement;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace kineport
