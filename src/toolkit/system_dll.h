// Functions of system DLLs the program needs only on some commands (the
// common dialogs, the shell, the spooler): loaded on first use, so start-up
// does not wait for DLLs the user may never call.
#pragma once

#include "toolkit/app_error.h"

#include <windows.h>

namespace tk {

// The function `name` of `dll`, typed as `Function` (a function type, such as
// decltype(::ShellExecuteA)). The DLL stays loaded for the rest of the
// process, as a static import would; a missing function is the runtime's
// error 453.
template <class Function>
Function* SystemFunction(const wchar_t* dll, const char* name)
{
    HMODULE module = ::GetModuleHandleW(dll);
    if (!module)
        module = ::LoadLibraryW(dll);
    const FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    if (!found)
        throw AppError(453, kProgramSource, std::string("Can't find DLL entry point ") + name);
    // Through the generic function pointer type, which any function pointer converts from and to.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

} // namespace tk
