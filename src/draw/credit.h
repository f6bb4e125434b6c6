// The developer-credit link in the board's footer and the page it opens.
#pragma once

extern const char16_t creditText[];
extern const char16_t creditAddress[];
