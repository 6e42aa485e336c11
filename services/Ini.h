// zeveze32.ini beside the stand-in library: how tests and the demo script it.
#pragma once
#include <string>

std::string IniString(const char *section, const char *key, const char *fallback);
int IniInt(const char *section, const char *key, int fallback);
bool IniHas(const char *section, const char *key);
