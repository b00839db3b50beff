// What the species and reaction numbers in rxnconv's messages stand for in the model file. The
// model reader describes every number; once they are installed, the system log follows each
// line that names a number ("reactionID=3", "specieID=7") with a line saying what it is.
#pragma once

#include <string>

// Takes the reader's descriptions, one line each: "S<number> <text>" for a species,
// "R<number> <text>" for a reaction; other lines are ignored. Replaces earlier ones.
void setModelOrigins(const std::string& lines);

// Registers originNote with the system log.
void installOriginNotes();

// The note for one log line: "  reactionID=3: <text>; specieID=7: <text>\n" for the numbers
// the line names that have a description, each once, in line order; empty when there are none.
std::string originNote(const std::string& line);
