// Listing mode: load the model and write its chemical equations.
#pragma once

#include <jni.h>

#include "startup.h"

// 0, or -1 after logging (the caller then logs "convertphp failed.").
int convertphp(JNIEnv* env, const RunSetup& setup);
