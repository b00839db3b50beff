// rxnconv's command line: switches, run mode, output files and the model-file check.
#pragma once

#include <cstdio>
#include <string>

// Mode bits set by -N and -C.
enum ProcessingMode { MODE_CONVERT = 1, MODE_LISTING = 4 };

// What `initialize` hands back for the run.
struct RunSetup {
    int processingMode = 0;
    int geneProteinMethod = 0;
    int metabolicMethod = 0;
    std::string modelPath;
    std::string usagePath;
    std::string daePath;
    std::string listingPath;
    FILE* usageFile = nullptr;
    FILE* daeFile = nullptr;
    FILE* listingFile = nullptr;
};

// Reads the switches, checks methods and mode, creates the output files of the mode and checks
// that the model file exists. 0, or -1 after logging (files created so far stay open).
int initialize(int argc, char** argv, RunSetup& setup);

// Closes the output files that were opened; -1 when a close failed to write buffered data.
int closeOutputFiles(RunSetup& setup);
