// Texts in the system's ANSI code page, the one the tool's names and paths
// are kept in, as the system's wide functions take them, and wide texts in
// UTF-8.
#pragma once

#include <string>

std::wstring WideFromCodePage(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
