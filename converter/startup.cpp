#include "startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include "log.h"
#include "methods.h"

namespace {

// Paths were held in 256-byte buffers; a longer one would silently name another file, so it is
// refused instead of being cut.
constexpr size_t kMaxPathLength = 255;

int takePath(const char* argument, std::string& path) {
    path = argument + 2;
    if (path.size() <= kMaxPathLength) return 0;
    log_sys("initialize: too long path (at most %zu characters) !!\n\t%s\n", kMaxPathLength, argument);
    return -1;
}

// Takes one "-Xvalue" switch into the setup; -1 after logging.
int takeSwitch(const char* argument, RunSetup& setup) {
    switch (argument[1]) {
        case 'N':
            setup.processingMode |= MODE_CONVERT;
            return takePath(argument, setup.modelPath);
        case 'C':
            setup.processingMode |= MODE_LISTING;
            return takePath(argument, setup.modelPath);
        case 'U': return takePath(argument, setup.usagePath);
        case 'D': return takePath(argument, setup.daePath);
        case 'P': return takePath(argument, setup.listingPath);
        case 'g': setup.geneProteinMethod = methodCode(argument + 2); return 0;
        case 'm': setup.metabolicMethod = methodCode(argument + 2); return 0;
        case 'd': return 0;
        default:
            log_sys("initialize: invarid argument !!\n");
            return -1;
    }
}

// Opens one staged output file; -1 after logging with the given message template. A target the
// user may not write is refused here, as opening it for writing would be.
int createOutput(const std::string& path, const char* errorTemplate, zymorax::StagedFile& file) {
    bool writable = access(path.c_str(), F_OK) != 0 || access(path.c_str(), W_OK) == 0;
    if (writable && file.open(path)) return 0;
    log_sys(errorTemplate, path.c_str());
    return -1;
}

int prepareConvertMode(RunSetup& setup) {
    if (methodFamily(setup.geneProteinMethod) == FAMILY_NONE && setup.metabolicMethod == METHOD_NONE) {
        log_sys("initialize: The conversion method is not specified to both Gene-Protein and Metabolic layer.\n");
        return -1;
    }
    if (methodFamily(setup.geneProteinMethod) == FAMILY_GMA) {
        log_sys("initialize: 'GMA' and 'MM' are not allowed for Gene-Protein layer.\n");
        return -1;
    }
    if (setup.usagePath.empty() || setup.daePath.empty()) {
        log_sys("initialize: invalid outputfile name!!\n");
        return -1;
    }
    if (createOutput(setup.usagePath, "initialize: usagefile[%s] open err!!\n", setup.usageFile) != 0) {
        return -1;
    }
    return createOutput(setup.daePath, "initialize: daefile[%s] open err!!\n", setup.daeFile);
}

int prepareListingMode(RunSetup& setup) {
    if (setup.listingPath.empty()) {
        log_sys("initialize: invalid outputfile name!!\n");
        return -1;
    }
    return createOutput(setup.listingPath, "initialize: convertphpfile[%s] open err!!\n",
                        setup.listingFile);
}

}  // namespace

int initialize(int argc, char** argv, RunSetup& setup) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') continue;
        if (takeSwitch(argv[i], setup) != 0) return -1;
    }
    int prepared;
    if (setup.processingMode == MODE_CONVERT) {
        prepared = prepareConvertMode(setup);
    } else if (setup.processingMode == MODE_LISTING) {
        prepared = prepareListingMode(setup);
    } else {
        log_sys("initialize: The processing method is not set up correctly.\n");
        return -1;
    }
    if (prepared != 0) return -1;
    struct stat status;
    if (stat(setup.modelPath.c_str(), &status) != 0) {
        log_sys("initialize: xmlfile[%s] open err!!\n", setup.modelPath.c_str());
        return -1;
    }
    return 0;
}

int closeOutputFiles(RunSetup& setup) {
    int result = 0;
    for (zymorax::StagedFile* staged : {&setup.usageFile, &setup.daeFile, &setup.listingFile}) {
        zymorax::ReplaceFailure failure;
        if (staged->stream() != nullptr && !staged->commit(failure)) result = -1;
    }
    return result;
}

void discardOutputFiles(RunSetup& setup) {
    for (zymorax::StagedFile* staged : {&setup.usageFile, &setup.daeFile, &setup.listingFile}) {
        staged->abandon();
    }
}
