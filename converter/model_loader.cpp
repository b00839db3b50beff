#include "model_loader.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "log.h"
#include "model_builder.h"
#include "model_origins.h"
#include "written_precision.h"
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

// Runs InputXML.parseXML(path, 1, pack); the reader, or nullptr after logging.
jobject runReader(JNIEnv* env, const char* modelPath, jobject pack) {
    jobject reader = newObject(env, kReaderClass, "Can't find InputXML class\n", "Can't find InputXML.init\n",
                               "Can't create InputXML()\n");
    if (reader == nullptr) return nullptr;
    jmethodID parse = env->GetMethodID(env->GetObjectClass(reader), "parseXML", kParseSignature);
    if (failed(env, parse)) {
        log_sys("Can't find InputXML.parseXML\n");
        return nullptr;
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
        return nullptr;
    }
    return reader;
}

// The bytes of a byte[] field of the reader; empty when it has none.
std::string readerBytes(JNIEnv* env, jobject reader, const char* field) {
    jfieldID id = env->GetFieldID(env->GetObjectClass(reader), field, "[B");
    if (failed(env, id)) return std::string();
    auto array = static_cast<jbyteArray>(env->GetObjectField(reader, id));
    if (failed(env, array)) return std::string();
    std::string bytes(static_cast<size_t>(env->GetArrayLength(array)), '\0');
    env->GetByteArrayRegion(array, 0, static_cast<jsize>(bytes.size()), reinterpret_cast<jbyte*>(&bytes[0]));
    if (env->ExceptionCheck()) env->ExceptionClear();
    return bytes;
}

// What the reader did with the model goes to the log; the numbers of later messages get notes.
void takeReaderNotes(JNIEnv* env, jobject reader) {
    std::string notes = readerBytes(env, reader, "notes");
    if (!notes.empty()) log_sys("%s", notes.c_str());
    setModelOrigins(readerBytes(env, reader, "origins"));
    installOriginNotes();
}

}  // namespace

int ParseXML(JNIEnv* env, const char* modelPath, Model& model) {
    jobject pack = newObject(env, kModelPackClass, "Can't find JModelPack class\n", "Can't find JModelPack.init\n",
                             "Can't create JModelPack()\n");
    if (pack == nullptr) return -1;
    jobject reader = runReader(env, modelPath, pack);
    if (reader == nullptr) return -1;
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
        takeReaderNotes(env, reader);
        noteRoundedStoichiometries(model);
    }
    // The working model holds copies of everything it needs.
    JU_free(descriptor, record);
    return result;
}
