// The program's one error type: a numbered error carrying source, description
// and help, as a classic run-time error object does. Plain C++, so the
// platform-independent code can raise it on the host too.
#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// It keeps its text itself rather than deriving from std::runtime_error: the
// GNU runtime's standard exceptions hold theirs in the old reference-counted
// string, a second whole string implementation the program would carry.
class AppError : public std::exception {
public:
    AppError(long number, std::string source, std::string description,
             std::string helpFile = {}, long helpContext = 0)
        : m_what(description.empty() ? "error " + std::to_string(number) : description),
          m_number(number), m_source(std::move(source)), m_description(std::move(description)),
          m_helpFile(std::move(helpFile)), m_helpContext(helpContext) {}

    const char* what() const noexcept override { return m_what.c_str(); }

    long Number() const noexcept { return m_number; }
    const std::string& Source() const noexcept { return m_source; }
    const std::string& Description() const noexcept { return m_description; }
    const std::string& HelpFile() const noexcept { return m_helpFile; }
    long HelpContext() const noexcept { return m_helpContext; }

private:
    std::string m_what;
    long m_number;
    std::string m_source;
    std::string m_description;
    std::string m_helpFile;
    long m_helpContext;
};

inline constexpr const char* kProgramSource = "Tavolisk";

// Integer arithmetic out of range, or a value narrowed outside its type.
class OverflowError : public AppError {
public:
    OverflowError() : AppError(6, kProgramSource, "Overflow") {}
};

class DivisionByZeroError : public AppError {
public:
    DivisionByZeroError() : AppError(11, kProgramSource, "Division by zero") {}
};

class SubscriptError : public AppError {
public:
    SubscriptError() : AppError(9, kProgramSource, "Subscript out of range") {}
};

} // namespace tk
