#include "model_loader.h"

#include <cstdlib>
#include <memory>

#include "log.h"
#include "model_builder.h"
#include "vocabulary.h"
#include "zymorax_formula.h"

namespace {

const char* const kModelPackClass = "jp/co/vorn/quendra/JModelPack";
const char* const kReaderClass = "jp/co/vorn/quendra/InputXML";
const char* const kParseSignature = "(Ljava/lang/String;ILjp/co/vorn/quendra/JModelPack;)I";

// A failed JNI lookup leaves an exception pending; it is reported by our own line instead.
bool failed(JNIEnv* env, const void* result) {
    if (env->ExceptionCheck()) env->ExceptionClear();
    return result == nullptr;
}

// Creates an object of a class through its no-argument constructor; messages name the steps.
jobject newObject(JNIEnv* env, const char* className, const char* findMessage, const char* initMessage,
                  const char* createMessage) {
    jclass cls = env->FindClass(className);
    if (failed(env, cls)) {
        log_sys("%s", findMessage);
        return nullptr;
    }
    jmethodID init = env->GetMethodID(cls, "<init>", "()V");
    if (failed(env, init)) {
        log_sys("%s", initMessage);
        return nullptr;
    }
    jobject object = env->NewObject(cls, init);
    if (failed(env, object)) log_sys("%s", createMessage);
    return object;
}

// Runs InputXML.parseXML(path, 1, pack); -1 after logging.
int runReader(JNIEnv* env, const char* modelPath, jobject pack) {
    jobject reader = newObject(env, kReaderClass, "Can't find InputXML class\n", "Can't find InputXML.init\n",
                               "Can't create InputXML()\n");
    if (reader == nullptr) return -1;
    jmethodID parse = env->GetMethodID(env->GetObjectClass(reader), "parseXML", kParseSignature);
    if (failed(env, parse)) {
        log_sys("Can't find InputXML.parseXML\n");
        return -1;
    }
    jstring path = env->NewStringUTF(modelPath);
    jint result = path != nullptr ? env->CallIntMethod(reader, parse, path, 1, pack) : -1;
    // An exception escaping the reader is a failed parse as well.
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        result = -1;
    }
    if (result != 0) {
        log_sys("parseXML ERROR!\n");
        return -1;
    }
    return 0;
}

}  // namespace

int ParseXML(JNIEnv* env, const char* modelPath, Model& model) {
    jobject pack = newObject(env, kModelPackClass, "Can't find JModelPack class\n", "Can't find JModelPack.init\n",
                             "Can't create JModelPack()\n");
    if (pack == nullptr) return -1;
    if (runReader(env, modelPath, pack) != 0) return -1;
    const ClassDescriptor* descriptor = nullptr;
    if (JU_clsname2mmd(kModelPackClass, &descriptor) != 0) {
        log_sys("no mmd[%s]\n", kModelPackClass);
        return -1;
    }
    auto* record = static_cast<JModelPack_t*>(calloc(1, static_cast<size_t>(descriptor->recordSize)));
    if (record == nullptr || JU_convert_j2c(env, descriptor, pack, record, 0) != 0) {
        if (env->ExceptionCheck()) env->ExceptionClear();
        log_sys("can't convert j2c class-name \n");
        return -1;
    }
    int result = 0;
    if (record->result == PARSE_FAILED) {
        log_sys("%.*s", static_cast<int>(sizeof record->errmsg), record->errmsg);
        result = -1;
    } else {
        buildModel(record->model, model);
    }
    // The working model holds copies of everything it needs.
    JU_free(descriptor, record);
    return result;
}
