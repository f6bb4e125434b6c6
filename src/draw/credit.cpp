#include "draw/credit.h"

const char16_t creditText[] = u"Разработка: tavisel · страница автора";
const char16_t creditAddress[] = u"https://example.com/";
