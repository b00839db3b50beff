// The Java virtual machine that rxnconv hosts for the model reader.
#pragma once

#include <jni.h>

#include <string>
#include <vector>

// The three options the JVM is created with, in order: no JIT compiler, the class path (the
// reader's classes under TELUV_HOME and the XML parser jars under XERCES_HOME) and the library path
// (TELUV_HOME's Tools/lib). Neither path holds the working folder: a class or library left beside
// a downloaded model must not be loaded and run.
std::vector<std::string> javaVmOptions(const std::string& teluvHome, const std::string& xercesHome);

// Creates the JVM; the JNI result (negative on failure). On success *vm and *env are set.
int createJavaVm(const std::vector<std::string>& options, JavaVM** vm, JNIEnv** env);
