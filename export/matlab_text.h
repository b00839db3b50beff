// Field texts as MATLAB code: which texts may stand where, and how they are written.
#pragma once

#include <string>

namespace valscribe {

// A MATLAB identifier: a letter, then letters, digits and '_'.
bool is_identifier(const std::string& text);

// Text without control characters (a tab aside), which could end a line or a comment.
bool is_printable(const std::string& text);

// A value for a right-hand side: the literal, or [] for a blank field, which the script then
// holds as an empty value that the simulation driver reports as missing.
std::string value_or_empty(const std::string& text);

// The text inside single quotes, each quote doubled.
std::string quoted(const std::string& text);

}  // namespace valscribe
