#include "ms932_text.h"

#include <iconv.h>

namespace {

// The system's converter from MS932 (glibc names it CP932) to UTF-32, opened once.
class Ms932Decoder {
  public:
    Ms932Decoder() : handle_(iconv_open("UTF-32LE", "CP932")) {}
    ~Ms932Decoder() {
        if (available()) iconv_close(handle_);
    }
    Ms932Decoder(const Ms932Decoder&) = delete;
    Ms932Decoder& operator=(const Ms932Decoder&) = delete;

    // The one character that `length` bytes at `bytes` encode, or -1.
    long decode(const char* bytes, size_t length) {
        if (!available()) return -1;
        unsigned char out[8];
        char* in = const_cast<char*>(bytes);
        char* outPosition = reinterpret_cast<char*>(out);
        size_t inLeft = length, outLeft = sizeof out;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(handle_, &in, &inLeft, &outPosition, &outLeft) == static_cast<size_t>(-1) ||
            inLeft != 0 || sizeof out - outLeft != 4) {
            return -1;
        }
        return out[0] | out[1] << 8 | out[2] << 16 | static_cast<long>(out[3]) << 24;
    }

  private:
    bool available() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

}  // namespace

long decodeMs932(const std::string& text, size_t& position) {
    static Ms932Decoder decoder;
    const unsigned char first = static_cast<unsigned char>(text[position]);
    if (first < 0x80) {
        ++position;
        return first;
    }
    if (isLeadByte(first) && position + 1 < text.size()) {
        long character = decoder.decode(text.data() + position, 2);
        if (character >= 0) {
            position += 2;
            return character;
        }
    }
    long character = decoder.decode(text.data() + position, 1);
    ++position;
    return character;
}
