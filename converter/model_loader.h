// Loads a model file through the Java model reader running in the hosted JVM.
#pragma once

#include <jni.h>

#include "model.h"

// Runs the reader on the model file, copies its result into native records and builds the
// working model. 0, or -1 after logging one line.
int ParseXML(JNIEnv* env, const char* modelPath, Model& model);
