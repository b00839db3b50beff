// Measured time courses: the data files of a calibration, one experiment per file. kinefit fits
// a model to them; an exporter writes them out as tables. This module owns their format
// (docs/calibration.md, "Data files"):
//
//   # an experiment with more glucose     a comment: '#' first, no '='
//   # Glc.cyt = 10                        a setting: this experiment's value of the Y_START row
//   # G6P.cyt = 0                         (initial value) or PARAM row (value) with this tag
//   time,G6P.cyt,F6P.cyt,sd(F6P.cyt)      the header: "time", variable tags as kinesim writes
//   0,0.1,0.05,0.005                      them (a tag with ',' or '"' in double quotes, '"'
//   0.5,,0.061,0.005                      doubled), and sd(<tag>): the standard deviations of
//                                         that tag's values
//
// - Settings come before the header; blank lines and comments may stand anywhere.
// - Every data row has the header's number of fields. The time is a number, at least 0 (the
//   initial values hold at time 0), larger than the time of the row before, and not closer to 0
//   than 1e-300.
// - An empty cell is a missing value. A value is a decimal number of at most 1e100 in magnitude.
//   Where a tag has an sd(...) column, every value of it has a standard deviation there, a number
//   from 1e-100 to 1e100, and lies at most 1e100 of them from 0; a tag without one has none
//   (kinefit weighs its values by 1).
// - Tags are matched exactly, blanks around a header cell aside. A column must name a variable
//   (a Y_START tag); a setting a Y_START or PARAM tag, not one that both kinds of row carry.
//
// Lines end in LF or CR LF. Nothing here logs: a fault comes back as one message that names
// the file and the line ("data.csv:4: ...").
#pragma once

#include <set>
#include <string>
#include <vector>

#include "param_row.h"

namespace zymorax {

// The tags a data file may name, taken from the model's parameter file.
struct MeasurementVocabulary {
    std::set<std::string> variables;   // tags of the Y_START rows
    std::set<std::string> parameters;  // tags of the PARAM rows
};

// The tags of the Y_START and PARAM rows among `rows` (rows with an empty tag are left out).
MeasurementVocabulary measurement_vocabulary(const std::vector<ParamRow>& rows);

// "# <tag> = <value>": the experiment's own value of a Y_START or PARAM row.
struct ExperimentSetting {
    std::string tag;
    double value = 0.0;
    bool initialValue = false;  // the tag is a Y_START row's (else a PARAM row's)
    int line = 0;
};

// One measured value. `sd` is 0 when its tag has no sd(...) column.
struct Measurement {
    double time = 0.0;
    int observable = 0;  // index into ExperimentData::observed
    double value = 0.0;
    double sd = 0.0;
    int line = 0;
};

struct ExperimentData {
    std::string path;
    std::vector<ExperimentSetting> settings;  // in file order
    std::vector<std::string> observed;        // the data columns' variable tags, in column order
    std::vector<bool> weighted;               // observed[i] has an sd(...) column
    std::vector<Measurement> measurements;    // row by row, in column order within a row
    std::vector<double> times;                // the rows' times, increasing
};

// Reads and checks the data file at `path`. True, or false with `error` set to one message
// naming the file and, where there is one, the line.
bool read_measurement_file(const std::string& path, const MeasurementVocabulary& vocabulary,
                           ExperimentData& data, std::string& error);

}  // namespace zymorax
