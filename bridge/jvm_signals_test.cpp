// The test JVM (and so the sanitizer settings rxnconv reuses) survives the JVM's own signals.
#include "test_jvm.h"

namespace {

using JvmSignals = bridge_test::JvmTest;

TEST_F(JvmSignals, ImplicitNullChecksAndSafepointsWork) {
    jclass type = env->FindClass("bridgetest/SignalExercise");
    ASSERT_NE(type, nullptr);
    jmethodID run = env->GetStaticMethodID(type, "run", "(I)I");
    ASSERT_NE(run, nullptr);
    const jint rounds = 400000;
    EXPECT_EQ(env->CallStaticIntMethod(type, run, rounds), rounds);
}

}  // namespace
