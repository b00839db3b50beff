// Builds the working Model from the parsed model records.
#pragma once

#include "model.h"
#include "records.h"

// Copies texts, reads numbers from their text form and merges the transcription reactions of
// one gene in each layer.
void buildModel(const JModel_t& source, Model& model);

// Merges, per layer, later transcription reactions with the same groupID into the first one and
// drops reactions of type 0.
void mergeTranscriptions(ReactionLayer& layer);
