#include "listing_mode.h"

#include "listing.h"
#include "log.h"
#include "model_loader.h"

int convertphp(JNIEnv* env, const RunSetup& setup) {
    Model model;
    if (ParseXML(env, setup.modelPath.c_str(), model) != 0) {
        log_sys("ParseXML failed.\n");
        return -1;
    }
    ChemicalEqsListing listing;
    buildChemicalEqs(listing, model);
    if (writeChemicalEqs(setup.listingFile.stream(), listing) != 0) {
        log_sys("writeChemicalEqs: write error on %s\n", setup.listingPath.c_str());
        return -1;
    }
    return 0;
}
