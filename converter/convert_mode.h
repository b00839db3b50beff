// Convert mode: load, convert and write the usage and DAE files.
#pragma once

#include <jni.h>

#include "startup.h"

// Loads the model and writes both output files; 0, or -1 after logging (the caller then logs
// "parseNCE failed.").
int parseNCE(JNIEnv* env, const RunSetup& setup);
