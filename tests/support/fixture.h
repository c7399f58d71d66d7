// Errors that reach the program's unhandled-error path, caught for a test:
// ErrorRecorder keeps them (Numbers, Descriptions) instead of letting the
// default show a message box and end the process. WindowTest is the fixture
// for tests of real windows: it records errors, and on tear-down unloads every
// form still loaded and fails the test if any error was recorded.
#pragma once

#include "toolkit/form.h"
#include "toolkit/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tktest {

class ErrorRecorder {
public:
    ErrorRecorder()
    {
        tk::SetUnhandledErrorHandler([this](const tk::AppError& error) {
            Numbers.push_back(error.Number());
            Descriptions.push_back(error.Description());
        });
    }
    ~ErrorRecorder() { tk::SetUnhandledErrorHandler(nullptr); }
    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;

    std::vector<long> Numbers;
    std::vector<std::string> Descriptions;
};

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (!tk::LoadedForms().empty())
            tk::LoadedForms().back()->Unload();
        tk::DoEvents();
        tk::CollectRetiredForms();
        for (std::size_t i = 0; i < errors.Numbers.size(); ++i)
            ADD_FAILURE() << "unhandled error " << errors.Numbers[i] << ": " << errors.Descriptions[i];
    }

    ErrorRecorder errors;
};

} // namespace tktest
