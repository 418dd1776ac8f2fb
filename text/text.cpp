#include "text/text.h"

namespace {

struct Writer {
    char16_t* out;
    int capacity;
    int length = 0;
    void put(char16_t c) {
        if (length < capacity - 1) out[length++] = c;
    }
};

void put_int(Writer& w, int32_t value) {
    // Work in unsigned so that the most negative value prints too.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char16_t digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) w.put(u'-');
    while (n) w.put(digits[--n]);
}

}  // namespace

int format_text_v(char16_t* out, int capacity, const char16_t* format, va_list args) {
    Writer w{out, capacity};
    for (const char16_t* f = format; *f; ++f) {
        if (*f != u'%') {
            w.put(*f);
            continue;
        }
        const char16_t conversion = *++f;
        if (conversion == u'i') {
            put_int(w, va_arg(args, int32_t));
        } else if (conversion == u's') {
            const char16_t* s = va_arg(args, const char16_t*);
            while (s && *s) w.put(*s++);
        } else if (conversion == u'%') {
            w.put(u'%');
        } else {
            if (!conversion) break;
            w.put(u'%');
            w.put(conversion);
        }
    }
    if (capacity > 0) out[w.length] = 0;
    return w.length;
}

int format_text(char16_t* out, int capacity, const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = format_text_v(out, capacity, format, args);
    va_end(args);
    return n;
}

int text_length(const char16_t* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

void copy_text(char16_t* out, int capacity, const char16_t* text) {
    int n = 0;
    for (; n < capacity - 1 && text[n]; ++n) out[n] = text[n];
    out[n] = 0;
}
