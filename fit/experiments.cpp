#include "experiments.h"

#include <map>

#include "format.h"
#include "log.h"
#include "measurement_file.h"

namespace kinefit {

namespace {

// The rows of one kind by tag; a tag of two rows keeps both lines, so that using it can be
// refused by naming them.
template <typename Row>
struct TagIndex {
    std::map<std::string, const Row*> rows;
    std::map<std::string, std::pair<int, int>> twice;  // tag -> two of its lines

    explicit TagIndex(const std::vector<Row>& all) {
        for (const Row& row : all) {
            auto [at, added] = rows.emplace(row.tag, &row);
            if (!added) twice.emplace(row.tag, std::make_pair(at->second->line, row.line));
        }
    }

    // The row of `tag`, or nullptr after setting `fault` when two rows carry it.
    const Row* find(const std::string& tag, const char* kind, const std::string& paramPath,
                    std::string& fault) const {
        auto two = twice.find(tag);
        if (two != twice.end()) {
            fault = zymorax::format("the tag '%s' names two %s rows of %s (lines %d and %d)",
                                    tag.c_str(), kind, paramPath.c_str(), two->second.first,
                                    two->second.second);
            return nullptr;
        }
        return rows.at(tag);
    }
};

struct ModelTags {
    explicit ModelTags(const kinesim::ParameterFile& file)
        : file(file), starts(file.starts), params(file.params) {}
    const kinesim::ParameterFile& file;
    TagIndex<kinesim::StartRow> starts;
    TagIndex<kinesim::ParamValueRow> params;
};

int fault_at(const std::string& path, int line, const std::string& what) {
    log_sys("%s:%d: %s\n", path.c_str(), line, what.c_str());
    return -1;
}

int bind_setting(const zymorax::ExperimentSetting& setting, const ModelTags& tags,
                 const std::vector<EstimatedParameter>& estimated, ExperimentPlan& plan) {
    std::string fault;
    if (setting.initialValue) {
        const kinesim::StartRow* row =
            tags.starts.find(setting.tag, "Y_START", tags.file.path, fault);
        if (row == nullptr) return fault_at(plan.path, setting.line, fault);
        plan.initialValues.emplace_back(row->index - 1, setting.value);
        return 0;
    }
    const kinesim::ParamValueRow* row =
        tags.params.find(setting.tag, "PARAM", tags.file.path, fault);
    if (row == nullptr) return fault_at(plan.path, setting.line, fault);
    for (const EstimatedParameter& parameter : estimated) {
        if (parameter.line == row->line) {
            return fault_at(
                plan.path, setting.line,
                zymorax::format("'%s' is estimated (line %d of %s); an experiment "
                                "cannot set it",
                                setting.tag.c_str(), row->line, tags.file.path.c_str()));
        }
    }
    plan.parameterValues.push_back({label_slot(tags.file, row->label), row->index, setting.value});
    return 0;
}

int bind_columns(const zymorax::ExperimentData& data, const ModelTags& tags, ExperimentPlan& plan) {
    std::string fault;
    for (const std::string& tag : data.observed) {
        const kinesim::StartRow* row = tags.starts.find(tag, "Y_START", tags.file.path, fault);
        if (row == nullptr) {
            log_sys("%s: the column '%s': %s\n", plan.path.c_str(), tag.c_str(), fault.c_str());
            return -1;
        }
        plan.observed.push_back(row->index - 1);
    }
    size_t time = 0;
    for (const zymorax::Measurement& measured : data.measurements) {
        while (data.times[time] < measured.time) ++time;
        double weight = measured.sd > 0.0 ? 1.0 / measured.sd : 1.0;
        plan.points.push_back({static_cast<int>(time), plan.observed[measured.observable],
                               measured.value, weight, measured.sd});
    }
    plan.times = data.times;
    return 0;
}

}  // namespace

int plan_experiments(const std::vector<std::string>& dataFiles, const kinesim::ParameterFile& file,
                     const std::vector<EstimatedParameter>& estimated,
                     std::vector<ExperimentPlan>& plans) {
    ModelTags tags(file);
    zymorax::MeasurementVocabulary vocabulary = zymorax::measurement_vocabulary(file.rows);
    plans.clear();
    for (const std::string& path : dataFiles) {
        zymorax::ExperimentData data;
        std::string error;
        if (!zymorax::read_measurement_file(path, vocabulary, data, error)) {
            log_sys("%s\n", error.c_str());
            return -1;
        }
        plans.emplace_back();
        plans.back().path = path;
        for (const zymorax::ExperimentSetting& setting : data.settings) {
            if (bind_setting(setting, tags, estimated, plans.back()) != 0) return -1;
        }
        if (bind_columns(data, tags, plans.back()) != 0) return -1;
    }
    return 0;
}

int check_data_depend_on_parameters(const std::vector<ExperimentPlan>& plans, int algebraicCount) {
    for (const ExperimentPlan& plan : plans) {
        for (const DataPoint& point : plan.points) {
            if (plan.times[point.time] > 0.0 || point.variable < algebraicCount) return 0;
        }
    }
    log_sys(
        "Every measured value lies at time 0 and is a differential variable's, which its initial "
        "value fixes whatever the parameters: the data cannot determine the estimated "
        "parameters. Give values measured after time 0.\n");
    return -1;
}

}  // namespace kinefit
