// The textual split of a right-hand side into its positive part V+ and its negative part V-,
// the two rates of the S-system form.
#pragma once

#include <string>

struct RateParts {
    std::string positive;  // the added terms, joined by '+'; empty when there are none
    std::string negative;  // the subtracted terms without their signs, joined by '+'
};

// Splits a printed expression ('^' notation) at its top-level '+' and '-': bracket groups are
// copied whole without blanks, names whole (an index in [ ] stays with its name), numbers are
// read with their exponent and written back with "%g". A term takes the sign of all the signs
// in front of it, so "a + -b" subtracts b. positive - negative equals the expression.
RateParts split_rate_terms(const std::string& text);
