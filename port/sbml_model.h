// The kinetic model of a DAE file as an SBML Level 3 Version 2 document: one compartment of size
// 1; a species per variable (amounts: hasOnlySubstanceUnits, initial amount from Y_START); a
// constant parameter per PARAM row, constant players included; a parameter and an assignment rule
// per temporary expression (in an order in which each rule's inputs come first); an algebraic rule
// per algebraic equation and a rate rule per differential equation, in file order; the title as
// the model's name, the information as its notes, the conversion methods in an annotation.
#pragma once

#include <sbml/SBMLDocument.h>

#include <memory>
#include <string>

#include "dae_source.h"
#include "model_events.h"
#include "model_ids.h"
#include "model_values.h"

namespace kineport {

// Namespace and element of the annotation that says how the model was made.
extern const char* const kAnnotationNamespace;

// The document, or null after logging what cannot be written.
std::unique_ptr<SBMLDocument> build_model_document(const DaeSource& source,
                                                   const ModelValues& values, const ModelIds& ids,
                                                   const ModelEvents& events = {});

// Sets the model's name, notes and the annotation <zx:conversion geneProtein= metabolic= form=>.
void set_model_texts(Model& model, const DaeHeader& header, const std::string& form);

}  // namespace kineport
