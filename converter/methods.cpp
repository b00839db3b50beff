#include "methods.h"

#include <cstring>

namespace {

const char* const kMethodNames[METHOD_COUNT] = {
    "NONE", "CMA", "TPP_STEADYSTATE_1", "TPP_STEADYSTATE_2", "TPP_RAPID", "GMA", "MM",
};

const int kMethodFamily[METHOD_COUNT] = {0, 1, 1, 1, 1, 5, 5};

}  // namespace

const char* methodName(int method) {
    if (method < 0 || method >= METHOD_COUNT) return kMethodNames[METHOD_NONE];
    return kMethodNames[method];
}

int methodFamily(int method) {
    if (method < 0 || method >= METHOD_COUNT) return FAMILY_NONE;
    return kMethodFamily[method];
}

int methodCode(const char* name) {
    for (int code = 0; code < METHOD_COUNT; ++code) {
        if (std::strncmp(name, kMethodNames[code], 32) == 0) return code;
    }
    return METHOD_NONE;
}
