// Conversion methods: the code chosen per layer on the command line and printed in the DAE file.
#pragma once

enum ConversionMethod {
    METHOD_NONE = 0,
    METHOD_CMA = 1,
    METHOD_TPP_STEADYSTATE_1 = 2,
    METHOD_TPP_STEADYSTATE_2 = 3,
    METHOD_TPP_RAPID = 4,
    METHOD_GMA = 5,
    METHOD_MM = 6,
    METHOD_COUNT = 7,
};

// Method families: which conversion runs for a layer.
enum MethodFamily { FAMILY_NONE = 0, FAMILY_CMA = 1, FAMILY_GMA = 5 };

// Name of a method code ("NONE" .. "MM"); "NONE" outside the table.
const char* methodName(int method);

// Family of a method code; FAMILY_NONE outside the table.
int methodFamily(int method);

// The code of a method name, compared exactly over at most 32 characters; 0 when none matches.
int methodCode(const char* name);
