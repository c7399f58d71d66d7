// Handing a web address or a file to the shell.
#pragma once

#include <string>

void ExecHTML(std::wstring& text);
