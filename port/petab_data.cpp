#include "petab_data.h"

#include <filesystem>
#include <map>

#include "log.h"
#include "measurement_file.h"
#include "petab_parameters.h"
#include "sbml_ids.h"

namespace kineport {
namespace {

using zymorax::ExperimentData;

// A column of the condition table: what it sets and the value of the parameter file.
struct ConditionColumn {
    std::string id;
    std::string baseValue;
};

// The ids an experiment may set, by tag: the species of a Y_START tag, or every exported
// element of a PARAM tag.
struct SettingTargets {
    std::map<std::string, std::vector<ConditionColumn>> byTag;
};

int read_all(const kinesim::ParameterFile& file, const std::vector<std::string>& paths,
             std::vector<ExperimentData>& experiments) {
    zymorax::MeasurementVocabulary vocabulary = zymorax::measurement_vocabulary(file.rows);
    experiments.resize(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        std::string error;
        if (!zymorax::read_measurement_file(paths[i], vocabulary, experiments[i], error)) {
            log_sys("%s\n", error.c_str());
            return -1;
        }
    }
    return 0;
}

int setting_targets(const DaeSource& source, const kinesim::ParameterFile& file,
                    const ModelValues& values, const ModelIds& ids, SettingTargets& targets) {
    const DaeModel& model = source.model;
    for (int row = 0; row < model.variableCount; ++row) {
        kinesim::RowValue initial{false, values.initial[row]};
        targets.byTag[model.variables[row].name].push_back(
            {ids.variables[row], table_number(initial)});
    }
    for (const ElementValue& value : values.elements) {
        bool estimated = false;
        if (is_estimated(file, value, estimated) != 0) return -1;
        std::vector<ConditionColumn>& columns = targets.byTag[value.row->tag];
        // An estimated element is marked by an empty base value: no experiment may set it.
        columns.push_back({ids.elements[value.labelRow][value.element],
                           estimated ? "" : table_number(value.row->value)});
    }
    return 0;
}

// The columns the settings of every experiment name, in the order they first appear.
int condition_columns(const std::vector<ExperimentData>& experiments, const SettingTargets& targets,
                      std::vector<ConditionColumn>& columns) {
    std::set<std::string> seen;
    for (const ExperimentData& experiment : experiments) {
        for (const zymorax::ExperimentSetting& setting : experiment.settings) {
            for (const ConditionColumn& column : targets.byTag.at(setting.tag)) {
                if (column.baseValue.empty()) {
                    log_sys("%s:%d: %s is estimated; an experiment cannot set its value.\n",
                            experiment.path.c_str(), setting.line, setting.tag.c_str());
                    return -1;
                }
                if (seen.insert(column.id).second) columns.push_back(column);
            }
        }
    }
    return 0;
}

std::string condition_table(const std::vector<ExperimentData>& experiments,
                            const std::vector<std::string>& conditionIds,
                            const SettingTargets& targets,
                            const std::vector<ConditionColumn>& columns) {
    std::string table = "conditionId\tconditionName";
    for (const ConditionColumn& column : columns) table += "\t" + column.id;
    table += "\n";
    for (size_t i = 0; i < experiments.size(); ++i) {
        std::map<std::string, std::string> cells;
        for (const zymorax::ExperimentSetting& setting : experiments[i].settings) {
            for (const ConditionColumn& column : targets.byTag.at(setting.tag))
                cells[column.id] = exact_number(setting.value);
        }
        table += conditionIds[i] + "\t" + table_text(experiments[i].path);
        for (const ConditionColumn& column : columns) {
            auto cell = cells.find(column.id);
            table += "\t" + (cell == cells.end() ? column.baseValue : cell->second);
        }
        table += "\n";
    }
    return table;
}

// The measured tags of every experiment, in the order they first appear.
std::vector<std::string> observed_tags(const std::vector<ExperimentData>& experiments) {
    std::vector<std::string> tags;
    std::set<std::string> seen;
    for (const ExperimentData& experiment : experiments) {
        for (const std::string& tag : experiment.observed) {
            if (seen.insert(tag).second) tags.push_back(tag);
        }
    }
    return tags;
}

std::string observable_table(const std::vector<std::string>& tags,
                             const std::vector<std::string>& observableIds,
                             const SettingTargets& targets) {
    std::string table =
        "observableId\tobservableName\tobservableFormula\tobservableTransformation\t"
        "noiseFormula\tnoiseDistribution\n";
    for (size_t i = 0; i < tags.size(); ++i) {
        table += observableIds[i] + "\t" + table_text(tags[i]) + "\t" +
                 targets.byTag.at(tags[i]).front().id + "\tlin\tnoiseParameter1_" +
                 observableIds[i] + "\tnormal\n";
    }
    return table;
}

std::string measurement_table(const std::vector<ExperimentData>& experiments,
                              const std::vector<std::string>& conditionIds,
                              const std::map<std::string, std::string>& observableOfTag) {
    std::string table = "observableId\tsimulationConditionId\tmeasurement\ttime\tnoiseParameters\n";
    for (size_t i = 0; i < experiments.size(); ++i) {
        for (const zymorax::Measurement& m : experiments[i].measurements) {
            const std::string& tag = experiments[i].observed[m.observable];
            double sd = experiments[i].weighted[m.observable] ? m.sd : 1.0;
            table += observableOfTag.at(tag) + "\t" + conditionIds[i] + "\t" +
                     exact_number(m.value) + "\t" + exact_number(m.time) + "\t" + exact_number(sd) +
                     "\n";
        }
    }
    return table;
}

}  // namespace

int data_tables(const DaeSource& source, const kinesim::ParameterFile& file,
                const ModelValues& values, const ModelIds& ids,
                const std::vector<std::string>& dataFiles, PetabDataTables& tables) {
    std::vector<ExperimentData> experiments;
    SettingTargets targets;
    std::vector<ConditionColumn> columns;
    if (read_all(file, dataFiles, experiments) != 0 ||
        setting_targets(source, file, values, ids, targets) != 0 ||
        condition_columns(experiments, targets, columns) != 0) {
        return -1;
    }
    std::set<std::string> taken = taken_ids(ids);
    std::vector<std::string> tags = observed_tags(experiments), names;
    for (const std::string& tag : tags) names.push_back("observable_" + tag);
    std::vector<std::string> observableIds = unique_ids(names, taken);
    taken.insert(observableIds.begin(), observableIds.end());
    names.clear();
    for (const std::string& path : dataFiles)
        names.push_back(std::filesystem::path(path).stem().string());
    std::vector<std::string> conditionIds = unique_ids(names, taken);

    std::map<std::string, std::string> observableOfTag;
    for (size_t i = 0; i < tags.size(); ++i) observableOfTag[tags[i]] = observableIds[i];
    tables.observables = observable_table(tags, observableIds, targets);
    tables.conditions = condition_table(experiments, conditionIds, targets, columns);
    tables.measurements = measurement_table(experiments, conditionIds, observableOfTag);
    for (const ConditionColumn& column : columns) tables.setByConditions.insert(column.id);
    return 0;
}

}  // namespace kineport
