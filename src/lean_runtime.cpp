// Linked into the MinGW program only: stand-ins for parts of the GNU C++
// runtime that a windowed program has no use for but that the static link
// would otherwise carry whole.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {

// The default handler for an exception nobody catches prints its type name,
// demangled, on standard error and aborts. A windowed program has no standard
// error, and the program reports every error itself at its window procedures
// and entry point, so this handler only aborts; defining it here keeps the
// runtime's demangler (about 50 KB) out of the program.
void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

namespace {

// The containers' own faults (an index past the end, a size past the
// largest): the runtime raises them as std::logic_error and its kin, whose
// text lives in the old reference-counted string, a second whole string
// implementation (about 50 KB with its exception classes). These carry the
// runtime's fixed text instead; the program catches them, like every error,
// as std::exception and shows what() (which for the out-of-range checks is
// the text with its numbers left as placeholders).
class RuntimeFault : public std::exception {
public:
    explicit RuntimeFault(const char* text) noexcept : m_text(text ? text : "runtime fault") {}
    const char* what() const noexcept override { return m_text; }

private:
    const char* m_text;
};

} // namespace

// Every function of the runtime's object that raises these, so that the
// object itself is never linked (one of them taken from it would bring all).
namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* text) { throw RuntimeFault(text); }
void __throw_domain_error(const char* text) { throw RuntimeFault(text); }
void __throw_invalid_argument(const char* text) { throw RuntimeFault(text); }
void __throw_length_error(const char* text) { throw RuntimeFault(text); }
void __throw_out_of_range(const char* text) { throw RuntimeFault(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw RuntimeFault(format); }
void __throw_runtime_error(const char* text) { throw RuntimeFault(text); }
void __throw_range_error(const char* text) { throw RuntimeFault(text); }
void __throw_overflow_error(const char* text) { throw RuntimeFault(text); }
void __throw_underflow_error(const char* text) { throw RuntimeFault(text); }

} // namespace std

namespace {

template <class Char>
bool IsOneOf(Char c, const char* set)
{
    for (; *set; ++set)
        if (c == static_cast<Char>(*set))
            return true;
    return false;
}

// A C99 format in the spelling of the system's msvcrt.dll: the length
// modifiers it writes differently (ll and j as I64, z and t as I, hh as h),
// and in the wide functions the strings and characters whose width the two
// read the other way round (C99's swprintf takes %s and %c narrow, msvcrt's
// wide). The system's functions know no %a and no 80-bit long double; the
// program formats neither.
template <class Char>
std::basic_string<Char> SystemFormat(const Char* format, bool wide)
{
    std::basic_string<Char> out;
    const Char* p = format;
    const auto append = [&out](const char* text) {
        for (; *text; ++text)
            out += static_cast<Char>(*text);
    };
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == '%') {
            out += *p++;
            continue;
        }
        while (IsOneOf(*p, "-+ #0"))
            out += *p++;
        while (IsOneOf(*p, "0123456789*."))
            out += *p++;
        bool sized = true;
        if (p[0] == 'h' && p[1] == 'h') {
            append("h");
            p += 2;
        } else if (p[0] == 'l' && p[1] == 'l') {
            append("I64");
            p += 2;
        } else if (*p == 'j') {
            append("I64");
            ++p;
        } else if (*p == 'z' || *p == 't') {
            append("I");
            ++p;
        } else if (IsOneOf(*p, "hlL")) {
            out += *p++;
        } else {
            sized = false;
        }
        if (!*p)
            break;
        const Char conversion = *p++;
        if (wide && !sized && (conversion == 's' || conversion == 'c')) {
            append("h");
        } else if (wide && !sized && (conversion == 'S' || conversion == 'C')) {
            append(conversion == 'S' ? "ls" : "lc");
            continue;
        }
        out += conversion;
    }
    return out;
}

} // namespace

// The runtime's C99 printf, which the C++ headers choose for every snprintf
// and to_wstring, brings its own formatting and floating-point conversion
// (about 40 KB). The program's formats (integers, hexadecimal, fixed
// decimals) come out the same from the system's msvcrt.dll, given C99's
// answer for a buffer too small: the full length, the text cut and ended.
extern "C" int __cdecl __mingw_vsnprintf(char* buffer, size_t count, const char* format, va_list args)
{
    _set_output_format(_TWO_DIGIT_EXPONENT);
    const std::string system = SystemFormat(format, false);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscprintf(system.c_str(), measure);
    va_end(measure);
    if (buffer && count > 0) {
        const int written = _vsnprintf(buffer, count, system.c_str(), args);
        if (written < 0 || static_cast<size_t>(written) >= count)
            buffer[count - 1] = '\0';
    }
    return length;
}

extern "C" int __cdecl __mingw_vsnwprintf(wchar_t* buffer, size_t count, const wchar_t* format, va_list args)
{
    _set_output_format(_TWO_DIGIT_EXPONENT);
    const std::wstring system = SystemFormat(format, true);
    va_list measure;
    va_copy(measure, args);
    const int length = _vscwprintf(system.c_str(), measure);
    va_end(measure);
    if (buffer && count > 0) {
        const int written = _vsnwprintf(buffer, count, system.c_str(), args);
        if (written < 0 || static_cast<size_t>(written) >= count)
            buffer[count - 1] = L'\0';
    }
    return length;
}
#endif
