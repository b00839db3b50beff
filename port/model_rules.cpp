#include "model_rules.h"

#include <sbml/SBMLTypes.h>

#include <functional>
#include <queue>

#include "log.h"
#include "model_text.h"

namespace kineport {

std::unique_ptr<ASTNode> dae_math(const DaeSource& source, const ModelIds& ids, ExprNode* tree,
                                  const std::string& place, std::vector<int>* temporaries) {
    NameTranslator name_math = [&](const std::string& name, std::string& problem) {
        Symbol symbol;
        if (resolve_name(source.model, name, symbol, problem) != 0)
            return std::unique_ptr<ASTNode>();
        std::string id = id_of_symbol(ids, symbol);
        if (id.empty()) {
            problem = "'" + name + "' has no PARAM row in the parameter file";
            return std::unique_ptr<ASTNode>();
        }
        if (temporaries != nullptr && symbol.kind == SymbolKind::Temporary) {
            temporaries->push_back(symbol.row);
        }
        auto leaf = std::make_unique<ASTNode>(AST_NAME);
        leaf->setName(id.c_str());
        return leaf;
    };
    std::string problem;
    std::unique_ptr<ASTNode> math = expression_math(tree, name_math, problem);
    if (!math) log_sys("%s: in %s: %s.\n", source.path.c_str(), place.c_str(), problem.c_str());
    return math;
}

bool temporary_order(const DaeSource& source, const std::vector<std::vector<int>>& named,
                     std::vector<int>& order) {
    const size_t count = named.size();
    std::vector<int> waitingFor(count, 0);
    std::vector<std::vector<int>> namedBy(count);
    for (size_t row = 0; row < count; ++row) {
        for (int input : named[row]) {
            ++waitingFor[row];
            namedBy[input].push_back(static_cast<int>(row));
        }
    }
    std::priority_queue<int, std::vector<int>, std::greater<int>> ready;
    for (size_t row = 0; row < count; ++row) {
        if (waitingFor[row] == 0) ready.push(static_cast<int>(row));
    }
    order.clear();
    while (!ready.empty()) {
        int row = ready.top();
        ready.pop();
        order.push_back(row);
        for (int user : namedBy[row]) {
            if (--waitingFor[user] == 0) ready.push(user);
        }
    }
    if (order.size() == count) return true;
    std::string circle;
    for (size_t row = 0; row < count; ++row) {
        if (waitingFor[row] > 0)
            circle += (circle.empty() ? "" : ", ") + source.model.temporaries[row].name;
    }
    log_sys("%s: the temporary expressions %s name each other in a circle.\n", source.path.c_str(),
            circle.c_str());
    return false;
}

namespace {

int add_temporaries(Model& model, const DaeSource& source, const ModelIds& ids) {
    const std::vector<ExprEntry>& rows = source.model.temporaries;
    std::vector<std::unique_ptr<ASTNode>> maths(rows.size());
    std::vector<std::vector<int>> named(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        maths[row] = dae_math(source, ids, source.temporaryTrees[row],
                              "the temporary expression " + rows[row].name, &named[row]);
        if (!maths[row]) return -1;
        Parameter* parameter = model.createParameter();
        parameter->setId(ids.temporaries[row]);
        parameter->setName(utf8_text(rows[row].name));
        parameter->setConstant(false);
    }
    std::vector<int> order;
    if (!temporary_order(source, named, order)) return -1;
    for (int row : order) {
        AssignmentRule* rule = model.createAssignmentRule();
        rule->setVariable(ids.temporaries[row]);
        rule->setMath(maths[row].get());
    }
    return 0;
}

std::unique_ptr<ASTNode> equation_math(const DaeSource& source, const ModelIds& ids, int row) {
    return dae_math(source, ids, source.equationTrees[row], equation_place(source.model, row));
}

// The rate rules first: libSBML's check for an overdetermined system depends on the order of
// the rules and refuses well-determined models whose algebraic rules come first.
int add_equations(Model& model, const DaeSource& source, const ModelIds& ids) {
    const DaeModel& dae = source.model;
    for (int row = dae.algebraicCount; row < dae.equationCount; ++row) {
        std::unique_ptr<ASTNode> math = equation_math(source, ids, row);
        if (!math) return -1;
        RateRule* rule = model.createRateRule();
        rule->setVariable(ids.variables[find_row(dae.variableRows, dae.equations[row].name)]);
        rule->setMath(math.get());
    }
    for (int row = 0; row < dae.algebraicCount; ++row) {
        std::unique_ptr<ASTNode> math = equation_math(source, ids, row);
        if (!math) return -1;
        model.createAlgebraicRule()->setMath(math.get());
    }
    return 0;
}

}  // namespace

int add_model_rules(Model& model, const DaeSource& source, const ModelIds& ids) {
    if (add_temporaries(model, source, ids) != 0) return -1;
    return add_equations(model, source, ids);
}

}  // namespace kineport
