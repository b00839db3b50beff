#include "petab_files.h"

#include <cstdio>
#include <map>
#include <memory>

#include "log.h"
#include "text_io.h"

namespace kinefit {

int PetabTable::column(const std::string& name) const {
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c] == name) return static_cast<int>(c);
    }
    return -1;
}

const std::string& PetabTable::cell(size_t r, int c) const {
    static const std::string kEmpty;
    return c < 0 ? kEmpty : rows[r][static_cast<size_t>(c)];
}

std::string PetabTable::where(size_t r) const {
    return path + ":" + std::to_string(lines[r]);
}

namespace {

using FilePointer = std::unique_ptr<FILE, int (*)(FILE*)>;

std::vector<std::string> split_tabs(const std::string& line) {
    std::vector<std::string> cells;
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        cells.push_back(zymorax::trim(line.substr(from, tab - from)));
    cells.push_back(zymorax::trim(line.substr(from)));
    return cells;
}

bool all_blank(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells) {
        if (!cell.empty()) return false;
    }
    return true;
}

int read_table(const std::string& path, PetabTable& table) {
    FilePointer in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in) {
        log_sys("%s: cannot be opened.\n", path.c_str());
        return -1;
    }
    table.path = path;
    std::string line;
    for (int number = 1; zymorax::read_line(in.get(), line); ++number) {
        std::vector<std::string> cells = split_tabs(zymorax::without_line_end(line));
        if (table.columns.empty()) {
            // A UTF-8 byte order mark before the first column name belongs to no name.
            if (cells[0].compare(0, 3, "\xEF\xBB\xBF") == 0) cells[0].erase(0, 3);
            table.columns = cells;
            continue;
        }
        if (all_blank(cells)) continue;
        if (cells.size() > table.columns.size()) {
            log_sys("%s:%d: %zu cells under %zu column names.\n", path.c_str(), number,
                    cells.size(), table.columns.size());
            return -1;
        }
        cells.resize(table.columns.size());
        table.rows.push_back(std::move(cells));
        table.lines.push_back(number);
    }
    if (table.columns.empty()) {
        log_sys("%s: the table is empty; its first line names its columns.\n", path.c_str());
        return -1;
    }
    return 0;
}

// The few shapes of YAML a PEtab problem file takes: top-level "key: value", and under
// "problems:" one list item of keys, each with a list of file names (block or [a, b] style).
struct YamlProblem {
    std::map<std::string, std::string> top;
    std::map<std::string, std::vector<std::string>> lists;
    int problems = 0;
};

std::string unquoted(std::string text) {
    text = zymorax::trim(text);
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
        return text.substr(1, text.size() - 2);
    return text;
}

void add_flow_list(const std::string& text, std::vector<std::string>& list) {
    std::string inner = text.substr(1, text.size() - 2);
    size_t from = 0;
    for (size_t comma; from <= inner.size(); from = comma + 1) {
        comma = inner.find(',', from);
        if (comma == std::string::npos) comma = inner.size();
        std::string item = unquoted(inner.substr(from, comma - from));
        if (!item.empty()) list.push_back(item);
    }
}

std::string without_comment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.substr(0, i);
    }
    return line;
}

int read_yaml(const std::string& path, YamlProblem& yaml) {
    FilePointer in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in) {
        log_sys("%s: cannot be opened.\n", path.c_str());
        return -1;
    }
    std::string line, listKey;
    bool inProblems = false;
    for (int number = 1; zymorax::read_line(in.get(), line); ++number) {
        std::string text = without_comment(zymorax::without_line_end(line));
        size_t indent = text.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        std::string content = zymorax::trim(text);
        bool item = content.compare(0, 2, "- ") == 0 || content == "-";
        if (item) content = zymorax::trim(content.substr(1));
        size_t colon = content.find(':');
        bool keyed = colon != std::string::npos &&
                     (colon + 1 == content.size() || content[colon + 1] == ' ');
        if (indent == 0 && !item) {
            if (!keyed) {
                log_sys("%s:%d: 'key: value' expected.\n", path.c_str(), number);
                return -1;
            }
            std::string key = content.substr(0, colon);
            yaml.top[key] = unquoted(content.substr(colon + 1));
            inProblems = key == "problems";
            listKey.clear();
            continue;
        }
        if (!inProblems) continue;  // nested parts of keys PEtab adds beside the problems
        if (item && keyed) ++yaml.problems;
        if (keyed) {
            listKey = content.substr(0, colon);
            std::string rest = zymorax::trim(content.substr(colon + 1));
            std::vector<std::string>& list = yaml.lists[listKey];
            if (rest.size() >= 2 && rest.front() == '[' && rest.back() == ']') {
                add_flow_list(rest, list);
            } else if (!rest.empty()) {
                list.push_back(unquoted(rest));
            }
        } else if (item && !listKey.empty()) {
            yaml.lists[listKey].push_back(unquoted(content));
        } else {
            log_sys("%s:%d: a file name ('- name') or a key expected.\n", path.c_str(), number);
            return -1;
        }
    }
    return 0;
}

std::string folder_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string resolved(const std::string& folder, const std::string& name) {
    return !name.empty() && name[0] == '/' ? name : folder + name;
}

int read_tables(const std::string& yamlPath, const std::string& folder,
                const std::vector<std::string>& names, const char* key,
                std::vector<PetabTable>& tables) {
    if (names.empty()) {
        log_sys("%s: the problem names no %s.\n", yamlPath.c_str(), key);
        return -1;
    }
    for (const std::string& name : names) {
        tables.emplace_back();
        if (read_table(resolved(folder, name), tables.back()) != 0) return -1;
    }
    return 0;
}

int check_header(const YamlProblem& yaml, const std::string& path) {
    auto version = yaml.top.find("format_version");
    if (version == yaml.top.end() || (version->second != "1" && version->second != "1.0.0")) {
        log_sys("%s: format_version %s; kinefit reads PEtab problems of format_version 1.\n",
                path.c_str(),
                version == yaml.top.end() ? "is missing" : ("is " + version->second).c_str());
        return -1;
    }
    if (yaml.problems != 1) {
        log_sys("%s: %d problems under 'problems:'; kinefit fits one.\n", path.c_str(),
                yaml.problems);
        return -1;
    }
    auto parameters = yaml.top.find("parameter_file");
    if (parameters == yaml.top.end() || parameters->second.empty()) {
        log_sys("%s: no parameter_file.\n", path.c_str());
        return -1;
    }
    return 0;
}

const std::vector<std::string>& list_of(const YamlProblem& yaml, const std::string& key) {
    static const std::vector<std::string> kNone;
    auto found = yaml.lists.find(key);
    return found == yaml.lists.end() ? kNone : found->second;
}

}  // namespace

int read_petab_files(const std::string& yamlPath, PetabFiles& files) {
    YamlProblem yaml;
    if (read_yaml(yamlPath, yaml) != 0 || check_header(yaml, yamlPath) != 0) return -1;
    std::string folder = folder_of(yamlPath);
    files.yamlPath = yamlPath;
    const std::vector<std::string>& sbml = list_of(yaml, "sbml_files");
    if (sbml.size() != 1) {
        log_sys("%s: %zu sbml_files; a problem has one model.\n", yamlPath.c_str(), sbml.size());
        return -1;
    }
    files.sbmlFile = resolved(folder, sbml[0]);
    if (read_table(resolved(folder, yaml.top.at("parameter_file")), files.parameters) != 0 ||
        read_tables(yamlPath, folder, list_of(yaml, "condition_files"), "condition_files",
                    files.conditions) != 0 ||
        read_tables(yamlPath, folder, list_of(yaml, "measurement_files"), "measurement_files",
                    files.measurements) != 0 ||
        read_tables(yamlPath, folder, list_of(yaml, "observable_files"), "observable_files",
                    files.observables) != 0) {
        return -1;
    }
    return 0;
}

}  // namespace kinefit
