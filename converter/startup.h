// rxnconv's command line: switches, run mode, output files and the model-file check.
#pragma once

#include <cstdio>
#include <string>

#include "file_replace.h"

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
    // The output files (stream() to write to) are written beside their targets and replace them
    // only when the run succeeds, so that a refused model leaves a good earlier output as it was.
    zymorax::StagedFile usageFile;
    zymorax::StagedFile daeFile;
    zymorax::StagedFile listingFile;
};

// Reads the switches into a fresh setup, checks methods and mode, opens the staged output files
// of the mode and checks that the model file exists. 0, or -1 after logging (files opened so far
// stay open until discarded).
int initialize(int argc, char** argv, RunSetup& setup);

// Puts the written output files in place of their targets; -1 when one could not be completed
// (that one's target is left as it was).
int closeOutputFiles(RunSetup& setup);

// Removes the output files of a failed run; their targets are left as they were.
void discardOutputFiles(RunSetup& setup);
