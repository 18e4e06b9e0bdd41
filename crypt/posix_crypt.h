// glibc's <unistd.h>, which the C++ standard headers include, declares the password hash
// crypt(), and a function of that name cannot live beside namespace crypt. Read here first
// under another name, the header's include guard keeps the declaration out of the way.
#pragma once

#define crypt posix_crypt
#include <unistd.h>
#undef crypt
