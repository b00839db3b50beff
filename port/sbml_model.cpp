#include "sbml_model.h"

#include <sbml/SBMLTypes.h>

#include "expr_ast.h"
#include "log.h"
#include "model_rules.h"
#include "model_text.h"

namespace kineport {

const char* const kAnnotationNamespace = "urn:zymorax:kinetics:1";

namespace {

const char kXhtml[] = "http://www.w3.org/1999/xhtml";

XMLNode notes_body(const std::string& text) {
    XMLNamespaces xhtml;
    xhtml.add(kXhtml);
    XMLNode body(XMLTriple("body", kXhtml, ""), XMLAttributes(), xhtml);
    XMLNode paragraph(XMLTriple("p", kXhtml, ""), XMLAttributes());
    paragraph.addChild(XMLNode(text));
    body.addChild(paragraph);
    return body;
}

// An element of our annotation namespace with the given attributes.
XMLNode annotation_element(const std::string& name,
                           const std::vector<std::pair<std::string, std::string>>& attributes) {
    XMLNamespaces ours;
    ours.add(kAnnotationNamespace, "zx");
    XMLAttributes values;
    for (const auto& [key, value] : attributes) values.add(key, utf8_text(value));
    return XMLNode(XMLTriple(name, kAnnotationNamespace, "zx"), values, ours);
}

void add_compartment(Model& model) {
    Compartment* compartment = model.createCompartment();
    compartment->setId(kCompartmentId);
    compartment->setSize(1.0);
    compartment->setSpatialDimensions(3.0);
    compartment->setConstant(true);
}

void add_species(Model& model, const DaeSource& source, const ModelValues& values,
                 const ModelIds& ids) {
    const DaeModel& dae = source.model;
    std::vector<int> rowOfNumber(dae.variableCount + 1, 0);
    for (int row = 0; row < dae.variableCount; ++row) rowOfNumber[dae.variables[row].number] = row;
    for (int number = 1; number <= dae.variableCount; ++number) {
        int row = rowOfNumber[number];
        Species* species = model.createSpecies();
        species->setId(ids.variables[row]);
        species->setName(utf8_text(dae.variables[row].name));
        species->setCompartment(kCompartmentId);
        species->setInitialAmount(values.initial[row]);
        species->setHasOnlySubstanceUnits(true);
        species->setBoundaryCondition(false);
        species->setConstant(false);
    }
}

void add_parameters(Model& model, const DaeSource& source, const ModelValues& values,
                    const ModelIds& ids) {
    for (const ElementValue& value : values.elements) {
        Parameter* parameter = model.createParameter();
        parameter->setId(ids.elements[value.labelRow][value.element]);
        const std::string& tag =
            source.model.paramLabels[value.labelRow].elements[value.element].tag;
        if (!tag.empty()) parameter->setName(utf8_text(tag));
        if (!value.row->value.blank) parameter->setValue(value.row->value.value);
        parameter->setConstant(!values.event_sets(value.labelRow, value.element));
        XMLNode element = annotation_element(
            "element", {{"label", value.row->label}, {"index", std::to_string(value.element + 1)}});
        parameter->setAnnotation(&element);
    }
}

// time >= t
std::unique_ptr<ASTNode> reached(double time) {
    auto condition = std::make_unique<ASTNode>(AST_RELATIONAL_GEQ);
    auto now = new ASTNode(AST_NAME_TIME);
    now->setName("time");
    auto at = new ASTNode(AST_REAL);
    at->setValue(time);
    condition->addChild(now);
    condition->addChild(at);
    return condition;
}

std::unique_ptr<ASTNode> number_node(double value) {
    auto node = std::make_unique<ASTNode>(AST_REAL);
    node->setValue(value);
    return node;
}

// One event per T_EVENT row, fired when time reaches the row's time (also at the start, for an
// event at 0: the trigger is false before it). Priorities falling in row order make events of
// one time apply in that order, the last one on an element holding.
void add_events(Model& model, const ModelValues& values, const ModelIds& ids) {
    const size_t count = values.events.size();
    for (size_t k = 0; k < count; ++k) {
        const EventValue& row = values.events[k];
        Event* event = model.createEvent();
        event->setId(ids.events[k]);
        event->setUseValuesFromTriggerTime(true);
        Trigger* trigger = event->createTrigger();
        trigger->setInitialValue(false);
        trigger->setPersistent(true);
        trigger->setMath(reached(row.time).get());
        event->createPriority()->setMath(number_node(static_cast<double>(count - k)).get());
        EventAssignment* assignment = event->createEventAssignment();
        assignment->setVariable(ids.elements[row.labelRow][row.element]);
        assignment->setMath(number_node(row.value).get());
    }
}

}  // namespace

void set_model_texts(Model& model, const DaeHeader& header, const std::string& form) {
    if (!header.title.empty()) model.setName(utf8_text(header.title));
    if (!header.info.empty()) {
        XMLNode body = notes_body(utf8_text(header.info));
        model.setNotes(&body);
    }
    XMLNode conversion = annotation_element(
        "conversion",
        {{"geneProtein", header.geneProtein}, {"metabolic", header.metabolic}, {"form", form}});
    model.setAnnotation(&conversion);
}

std::unique_ptr<SBMLDocument> build_model_document(const DaeSource& source,
                                                   const ModelValues& values, const ModelIds& ids,
                                                   const ModelEvents& events) {
    auto document = std::make_unique<SBMLDocument>(3, 2);
    Model* model = document->createModel();
    set_model_texts(*model, source.header, "DAE");
    add_compartment(*model);
    add_species(*model, source, values, ids);
    add_parameters(*model, source, values, ids);
    if (add_model_rules(*model, source, ids) != 0) return nullptr;
    add_events(*model, values, ids);
    if (add_model_events(*model, source, ids, events) != 0) return nullptr;
    return document;
}

}  // namespace kineport
