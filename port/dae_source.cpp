#include "dae_source.h"

#include <cstring>

#include "dae_reader.h"
#include "dae_symbols.h"
#include "expr_text.h"
#include "expr_walk.h"
#include "expression_setup.h"
#include "log.h"
#include "own_kinetics.h"
#include "private_folder.h"
#include "section_files.h"
#include "text_io.h"

namespace kineport {
namespace {

// The Model section's lines as the reader kept them ("head.tmp").
void read_header(DaeHeader& header) {
    FILE* in = std::fopen(kHeadFile, "r");
    if (in == nullptr) return;
    std::string line;
    while (zymorax::read_line(in, line)) {
        std::string text = zymorax::without_line_end(line);
        std::string trimmed = zymorax::trim(text);
        if (text.rfind("TITLE:", 0) == 0) header.title = text.substr(6);
        if (text.rfind("INFO:", 0) == 0) header.info = text.substr(5);
        if (trimmed.rfind("GENE-PROTEIN:", 0) == 0) header.geneProtein = trimmed.substr(13);
        if (trimmed.rfind("METABOLIC:", 0) == 0) header.metabolic = trimmed.substr(10);
        const size_t key = std::strlen(zymorax::kEventCountKey);
        if (trimmed.rfind(zymorax::kEventCountKey, 0) == 0 &&
            !zymorax::parse_whole_number(trimmed.substr(key), header.eventCount)) {
            header.eventCount = -1;  // unreadable: no events file can match it
        }
    }
    std::fclose(in);
}

// Resolves every name leaf of a tree and marks what it names used.
class UseMarker : public ExprVisitor {
  public:
    explicit UseMarker(DaeModel& model) : model_(model) {}
    int leave(ExprNode* node, const NodePlace&) override {
        if (node->leftKind == OPERAND_NAME && mark(node->leftText) != 0) return -1;
        if (node->op != 0 && node->rightKind == OPERAND_NAME) return mark(node->rightText);
        return 0;
    }
    void unwind(const ExprNode*) override {}
    std::string problem;

  private:
    int mark(const std::string& name) {
        Symbol symbol;
        if (resolve_name(model_, name, symbol, problem) != 0) return -1;
        if (symbol.kind == SymbolKind::Variable) model_.variables[symbol.row].used = 1;
        if (symbol.kind == SymbolKind::Element) {
            model_.paramLabels[symbol.row].elements[symbol.element].used = 1;
        }
        return 0;
    }
    DaeModel& model_;
};

int parse_rows(DaeSource& source, const std::vector<ExprEntry>& rows, bool temporaries,
               std::vector<ExprNode*>& trees) {
    UseMarker marker(source.model);
    trees.assign(rows.size(), nullptr);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string place = temporaries ? "the temporary expression " + rows[i].name
                                        : equation_place(source.model, static_cast<int>(i));
        if (Make_node(&trees[i], rows[i].text) != 0) {
            log_sys("%s: %s cannot be parsed.\n", source.path.c_str(), place.c_str());
            return -1;
        }
        if (walk_children_first(trees[i], marker) != 0) {
            log_sys("%s: in %s: %s.\n", source.path.c_str(), place.c_str(), marker.problem.c_str());
            return -1;
        }
    }
    return 0;
}

// Each differential equation belongs to a y variable of its own.
int check_differential_names(const DaeSource& source) {
    const DaeModel& model = source.model;
    for (int row = model.algebraicCount; row < model.equationCount; ++row) {
        const std::string& name = model.equations[row].name;
        int variable = find_row(model.variableRows, name);
        const char* problem = nullptr;
        if (variable < 0) {
            problem = "names no variable";
        } else if (model.variables[variable].isAlgebraic) {
            problem = "names an algebraic variable (x)";
        } else if (find_row(model.differentialRows, name) != row) {
            problem = "is the second differential equation of that variable";
        }
        if (problem != nullptr) {
            log_sys("%s: dydt[%s] %s.\n", source.path.c_str(), name.c_str(), problem);
            return -1;
        }
    }
    return 0;
}

// Whether the Model section marks the file as kinelaw's, in the extended dialect.
bool own_kinetics(const std::string& path) {
    FILE* in = std::fopen(path.c_str(), "r");
    if (in == nullptr) return false;
    std::string line;
    bool inModel = false, marked = false;
    while (!marked && zymorax::read_line(in, line)) {
        std::string trimmed = zymorax::trim(zymorax::without_line_end(line));
        if (trimmed.rfind("==", 0) == 0) {
            if (inModel) break;
            inModel = trimmed.rfind("== Mod", 0) == 0;
        }
        marked = inModel && trimmed == zymorax::kOwnKineticsLine;
    }
    std::fclose(in);
    return marked;
}

int read_in_work_folder(const std::string& absolutePath, DaeSource& source) {
    set_extended_dialect(own_kinetics(absolutePath));
    if (read_data(source.model, absolutePath) != 0) {
        log_sys("%s: the DAE file cannot be read.\n", source.path.c_str());
        return -1;
    }
    read_header(source.header);
    return 0;
}

}  // namespace

std::string equation_place(const DaeModel& model, int row) {
    if (row < model.algebraicCount) return "algebraic equation " + std::to_string(row + 1);
    return "the differential equation of " + model.equations[row].name;
}

int read_dae_source(const std::string& path, DaeSource& source) {
    source.path = path;
    if (path.empty()) {
        log_sys("No DAE file is given (-D).\n");
        return -1;
    }
    std::string absolutePath = absolute_path(path);
    if (run_in_private_folder([&] { return read_in_work_folder(absolutePath, source); }) != 0 ||
        parse_rows(source, source.model.temporaries, true, source.temporaryTrees) != 0 ||
        parse_rows(source, source.model.equations, false, source.equationTrees) != 0 ||
        check_differential_names(source) != 0) {
        return -1;
    }
    mark_used_labels(source.model);
    if (set_variable_index(source.model) != 0) {
        log_sys("%s: the variables do not match the equations.\n", path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace kineport
