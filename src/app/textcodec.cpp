#include "app/textcodec.h"

namespace {

// Code page 1251, bytes 0x80..0xFF (0x98 is unassigned and maps to U+0098, as Windows does).
const char16_t cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Bytes at the end of a cut UTF-8 text that begin a sequence the cut left unfinished (0 to 3).
int32_t SplitUtf8Tail(const uint8_t* bytes, int32_t count) {
  for (int32_t back = 1; back <= 3 && back <= count; back++) {
    uint32_t b = bytes[count - back];
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    int32_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

}  // namespace

int32_t DecodeUtf8Strict(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap) {
  int32_t n = 0;
  int32_t i = 0;
  while (i < count) {
    uint32_t b = bytes[i];
    uint32_t cp;
    int32_t extra;
    uint32_t minimum;
    if (b < 0x80) {
      cp = b;
      extra = 0;
      minimum = 0;
    } else if (b >= 0xC2 && b <= 0xDF) {
      cp = b & 0x1F;
      extra = 1;
      minimum = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      cp = b & 0x0F;
      extra = 2;
      minimum = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      cp = b & 0x07;
      extra = 3;
      minimum = 0x10000;
    } else {
      return -1;
    }
    if (count - i - 1 < extra) return -1;
    for (int32_t k = 1; k <= extra; k++) {
      uint32_t c = bytes[i + k];
      if ((c & 0xC0) != 0x80) return -1;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    i += extra + 1;
    if (cp >= 0x10000) {
      if (n + 2 > cap) return -1;
      cp -= 0x10000;
      out[n++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      if (n + 1 > cap) return -1;
      out[n++] = static_cast<char16_t>(cp);
    }
  }
  return n;
}

int32_t DecodeCp1251(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap) {
  if (count > cap) count = cap;
  for (int32_t i = 0; i < count; i++)
    out[i] = bytes[i] < 0x80 ? static_cast<char16_t>(bytes[i]) : cp1251High[bytes[i] - 0x80];
  return count;
}

int32_t DecodeTextBytes(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap,
                        int32_t* encoding, bool cut) {
  if (encoding) *encoding = EncodingUtf8;
  if (cap <= 0) return 0;
  out[0] = 0;
  if (count <= 0) return 0;
  int32_t room = cap - 1;
  int32_t n;
  if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    if (encoding) *encoding = EncodingUtf16;
    n = (count - 2) / 2;
    if (n > room) n = room;
    for (int32_t i = 0; i < n; i++)
      out[i] = static_cast<char16_t>(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
    if (cut && n > 0 && out[n - 1] >= 0xD800 && out[n - 1] <= 0xDBFF) n--;  // half a pair
  } else {
    const uint8_t* text = bytes;
    int32_t length = count;
    if (length >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
      text += 3;
      length -= 3;
      if (encoding) *encoding = EncodingUtf8Mark;
    }
    int32_t whole = cut ? length - SplitUtf8Tail(text, length) : length;
    n = whole > 0 ? DecodeUtf8Strict(text, whole, out, room) : 0;
    if (n <= 0 && length > 0) {
      if (encoding) *encoding = EncodingCp1251;
      n = DecodeCp1251(text, length, out, room);
    }
    if (n < 0) n = 0;
  }
  out[n] = 0;
  return n;
}

int32_t EncodeUtf8(const char16_t* text, int32_t count, uint8_t* out, int32_t cap) {
  int32_t n = 0;
  for (int32_t i = 0; i < count; i++) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      i++;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    int32_t need = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    if (n + need > cap) return -1;
    if (need == 1) {
      out[n++] = static_cast<uint8_t>(cp);
    } else if (need == 2) {
      out[n++] = static_cast<uint8_t>(0xC0 | (cp >> 6));
      out[n++] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    } else if (need == 3) {
      out[n++] = static_cast<uint8_t>(0xE0 | (cp >> 12));
      out[n++] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      out[n++] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    } else {
      out[n++] = static_cast<uint8_t>(0xF0 | (cp >> 18));
      out[n++] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
      out[n++] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      out[n++] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    }
  }
  return n;
}
