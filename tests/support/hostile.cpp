#include "hostile.h"

#include <stdint.h>

std::string Garbage(size_t size) {
  std::string out(size, '\0');
  uint32_t x = 2463534242u;
  for (char& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return out;
}

std::string Utf16Be(const std::string& ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) {
    out += '\0';
    out += c;
  }
  return out;
}

std::string Utf16Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

std::string Repeated(const std::string& line, int count) {
  std::string out;
  out.reserve(line.size() * static_cast<size_t>(count));
  for (int i = 0; i < count; i++) out += line;
  return out;
}
