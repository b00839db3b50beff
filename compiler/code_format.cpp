#include "code_format.h"

#include <cstdarg>
#include <cstdio>

std::string code_format(const char* format, ...) {
    char small[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (size >= 0 && static_cast<size_t>(size) < sizeof small) {
        out.assign(small, size);
    } else if (size > 0) {
        out.resize(size);
        std::vsnprintf(out.data(), out.size() + 1, format, again);
    }
    va_end(again);
    return out;
}

void write_number_lines(FILE* out, const std::vector<int>& numbers, const char* separator,
                        int offset) {
    constexpr size_t kNumbersPerLine = 16;
    for (size_t k = 0; k < numbers.size(); ++k) {
        const bool lineStart = k % kNumbersPerLine == 0;
        if (lineStart) std::fputs(k == 0 ? "\t" : "\n\t", out);
        std::fprintf(out, "%s%d", k == 0 || lineStart ? "" : " ", numbers[k] + offset);
        if (k + 1 < numbers.size()) std::fputs(separator, out);
    }
    std::fputs("\n", out);
}

std::string element_symbol(const char* base, int n) {
    std::string symbol = base;
    symbol += '[';
    symbol += std::to_string(n);
    symbol += ']';
    return symbol;
}
