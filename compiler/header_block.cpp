#include "header_block.h"

#include "format.h"
#include "log.h"
#include "section_files.h"
#include "text_io.h"

bool checkCcomment(const std::string& line, std::string& safe) {
    safe.clear();
    char previous = 0;
    for (char c : line) {
        if ((previous == '*' && c == '/') || (previous == '/' && c == '*')) safe += '_';
        safe += c;
        previous = c;
        if (safe.size() > kMaxCommentLength) {
            log_sys("#  Too long!! leng=%d, Max=%d\n", static_cast<int>(safe.size()),
                    static_cast<int>(kMaxLineLength + 1));
            log_sys("## Error in checkCcomment.\n");
            return false;
        }
    }
    return true;
}

int write_header_block(FILE* out, bool cNotation, bool matlab) {
    if (cNotation) std::fputs("/*\n", out);
    FILE* head = open_logged(kHeadFile, "r");
    if (head == nullptr) return -1;
    FileCloser closeHead(head);
    std::string line, safe;
    while (zymorax::read_line(head, line)) {
        if (cNotation) {
            if (checkCcomment(line, safe)) zymorax::print(out, " * %s", safe.c_str());
        } else {
            zymorax::print(out, matlab ? "%% %s" : "# %s", line.c_str());
        }
    }
    if (cNotation) std::fputs(" */\n", out);
    return 0;
}

void write_param_declarations(FILE* out, const DaeModel& model, bool matlab) {
    int number = 0;
    for (const ParamLabel& row : model.paramLabels) {
        if (!row.used) continue;
        const char* label = row.label.c_str();
        if (!matlab) {
            zymorax::print(out, "\tdouble *%s\t= p->val[%d];\n", label, ++number);
            continue;
        }
        zymorax::print(out, "\t%s_len = length(p.%s);\n", label, label);
        zymorax::print(out, "\tfor i=1:1:%s_len\n", label);
        zymorax::print(out, "\t\t%s(i) = p.%s(i).value;\n", label, label);
        std::fputs("\tend\n", out);
    }
}

std::string matlab_text(std::string text) {
    for (char& c : text) {
        if (c == '[') c = '(';
        if (c == ']') c = ')';
    }
    return text;
}
