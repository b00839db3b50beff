#include "compiled_residual.h"

#include "kinesim.h"
#include "model_functions.h"
#include "workspace.h"

namespace zymorax::testkit {

struct CompiledResidual::Loaded {
    kinesim::ParameterFile file;
    kinesim::ModelInputs inputs;
    kinesim::CompiledModel compiled;
};

CompiledResidual::CompiledResidual() : loaded_(std::make_unique<Loaded>()) {}
CompiledResidual::~CompiledResidual() = default;

bool CompiledResidual::load(const std::string& codeFile, const std::string& paramFile) {
    kinesim::SimOptions options;
    options.codeFile = codeFile;
    options.paramFile = paramFile;
    return kinesim::prepare_inputs(options, loaded_->file, loaded_->inputs) == 0 &&
           loaded_->compiled.load(codeFile, "", "", source_path("sim"), loaded_->inputs.variableCount,
                                  kinesim::CodeCompiler::TinyCC) == 0;
}

void CompiledResidual::operator()(const std::vector<double>& y, std::vector<double>& fvec) {
    kinesim::ModelFunctions code(loaded_->compiled.fvec, loaded_->compiled.fjac,
                                 loaded_->inputs.parameters.record(),
                                 loaded_->inputs.variableCount);
    fvec.resize(y.size());
    code.rhs(y.data(), fvec.data());
}

int CompiledResidual::algebraic_count() const {
    return loaded_->inputs.algebraicCount;
}
const std::vector<std::string>& CompiledResidual::tags() const {
    return loaded_->inputs.tags;
}
const std::vector<double>& CompiledResidual::initial() const {
    return loaded_->inputs.initial;
}

}  // namespace zymorax::testkit
