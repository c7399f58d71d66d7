// ExecHTML: what reaches the shell for each kind of text, in the ANSI code page.
#include "info/exec_html.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Request {
    HWND parent;
    std::string verb;
    std::string file;
};

class ExecHtml : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShellOpenForTests([this](HWND parent, const std::string& verb, const std::string& file) {
            requests.push_back({parent, verb, file});
        });
    }
    void TearDown() override { SetShellOpenForTests(nullptr); }

    std::vector<Request> requests;
};

TEST_F(ExecHtml, EmptyTextOpensNothing)
{
    std::wstring text;
    ExecHTML(text);
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(text.empty());
}

TEST_F(ExecHtml, OpensWithTheShellsOpenVerbOnTheDesktop)
{
    const struct {
        const wchar_t* given;
        const wchar_t* afterwards; // the caller's text may come back with a scheme
        const char* opened;
    } cases[] = {
        {L"http://www.quenmarlo.it/tavolisk/", L"http://www.quenmarlo.it/tavolisk/", "http://www.quenmarlo.it/tavolisk/"},
        {L"ftp://host/a b", L"ftp://host/a b", "ftp://host/a b"},
        {L"C:\\Programmi\\guida.htm", L"file:///C:\\Programmi\\guida.htm", "file:///C:\\Programmi\\guida.htm"},
        {L"www.quenmarlo.it", L"http://www.quenmarlo.it", "http://www.quenmarlo.it"},
        // Western European letters keep their code-page bytes; others cannot be said in it.
        {L"http://quenmarlo.it/perch\u00e9", L"http://quenmarlo.it/perch\u00e9", "http://quenmarlo.it/perch\xe9"},
        {L"http://quenmarlo.it/\u4e2d", L"http://quenmarlo.it/\u4e2d", "http://quenmarlo.it/?"},
    };
    ASSERT_EQ(::GetACP(), 1252u) << "the English run uses the Western code page";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.opened);
        requests.clear();
        std::wstring text = c.given;
        ExecHTML(text);
        EXPECT_EQ(text, c.afterwards);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].parent, ::GetDesktopWindow());
        EXPECT_EQ(requests[0].verb, "open");
        EXPECT_EQ(requests[0].file, c.opened);
    }
}

} // namespace
