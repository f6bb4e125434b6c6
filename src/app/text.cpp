#include "app/text.h"

#include <stdarg.h>

int32_t TextLength(const char16_t* text) {
  int32_t n = 0;
  while (text[n]) n++;
  return n;
}

int32_t CopyTextN(char16_t* dst, int32_t cap, const char16_t* src, int32_t count) {
  if (cap <= 0) return 0;
  int32_t n = 0;
  while (n < count && n < cap - 1 && src[n]) {
    dst[n] = src[n];
    n++;
  }
  dst[n] = 0;
  return n;
}

int32_t CopyText(char16_t* dst, int32_t cap, const char16_t* src) {
  return CopyTextN(dst, cap, src, 0x7FFFFFFF);
}

bool TextEquals(const char16_t* a, const char16_t* b) {
  while (*a && *a == *b) {
    a++;
    b++;
  }
  return *a == *b;
}

namespace {

struct Out {
  char16_t* dst;
  int32_t cap;
  int32_t len;
  void Put(char16_t c) {
    if (len < cap - 1) dst[len++] = c;
  }
};

void PutPadded(Out& out, const char16_t* body, int32_t bodyLength, int32_t width, bool left,
               char16_t pad) {
  int32_t fill = width > bodyLength ? width - bodyLength : 0;
  if (!left) {
    // Zero padding goes behind a sign.
    if (pad == u'0' && bodyLength > 0 && body[0] == u'-') {
      out.Put(u'-');
      body++;
      bodyLength--;
    }
    for (int32_t i = 0; i < fill; i++) out.Put(pad);
  }
  for (int32_t i = 0; i < bodyLength; i++) out.Put(body[i]);
  if (left)
    for (int32_t i = 0; i < fill; i++) out.Put(u' ');
}

int32_t FormatInto(char16_t* dst, int32_t cap, int32_t start, const char16_t* format, va_list args) {
  if (cap <= 0) return 0;
  Out out{dst, cap, start < cap ? start : cap - 1};
  for (const char16_t* p = format; *p; p++) {
    if (*p != u'%') {
      out.Put(*p);
      continue;
    }
    p++;
    if (*p == 0) break;
    if (*p == u'%') {
      out.Put(u'%');
      continue;
    }
    bool left = false;
    char16_t pad = u' ';
    for (; *p == u'-' || *p == u'0'; p++) {
      if (*p == u'-') left = true;
      else pad = u'0';
    }
    int32_t width = 0;
    for (; *p >= u'0' && *p <= u'9'; p++) width = width * 10 + (*p - u'0');
    if (width > 64) width = 64;
    while (*p == u'l') p++;
    char16_t digits[16];
    int32_t n = 0;
    switch (*p) {
      case u'd':
      case u'u': {
        uint32_t v;
        bool negative = false;
        if (*p == u'd') {
          int32_t sv = va_arg(args, int32_t);
          negative = sv < 0;
          v = negative ? 0u - static_cast<uint32_t>(sv) : static_cast<uint32_t>(sv);
        } else {
          v = va_arg(args, uint32_t);
        }
        char16_t rev[12];
        int32_t r = 0;
        do {
          rev[r++] = static_cast<char16_t>(u'0' + v % 10);
          v /= 10;
        } while (v);
        if (negative) digits[n++] = u'-';
        while (r) digits[n++] = rev[--r];
        PutPadded(out, digits, n, width, left, left ? u' ' : pad);
        break;
      }
      case u'c':
        digits[0] = static_cast<char16_t>(va_arg(args, int));
        PutPadded(out, digits, 1, width, left, u' ');
        break;
      case u's': {
        const char16_t* text = va_arg(args, const char16_t*);
        if (!text) text = u"";
        PutPadded(out, text, TextLength(text), width, left, u' ');
        break;
      }
      case 0:
        p--;
        break;
      default:
        out.Put(*p);
        break;
    }
  }
  out.dst[out.len] = 0;
  return out.len;
}

}  // namespace

int32_t FormatText(char16_t* dst, int32_t cap, const char16_t* format, ...) {
  va_list args;
  va_start(args, format);
  int32_t n = FormatInto(dst, cap, 0, format, args);
  va_end(args);
  return n;
}
