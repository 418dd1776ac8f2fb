#pragma once
// The folder separator of the system the program is built for.

#ifdef _WIN32
constexpr char16_t path_separator = u'\\';
#else
constexpr char16_t path_separator = u'/';
#endif
