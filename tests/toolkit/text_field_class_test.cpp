// Our text fields draw without their parent's clipping through a class of
// their own: the process's EDIT class, which the common dialogs' edits use
// too, keeps the style the system gave it.
#include "toolkit/syscontrols.h"

#include "support/all.h"

#include <gtest/gtest.h>

TEST(TextFieldClass, OurFieldsLackParentClippingWhileTheProcessEditClassKeepsIt)
{
    tktest::TestForm form{L"fields", tktest::Place(100, 100, 200, 80)};
    form.Load();
    tk::TextBox first;
    tk::TextBox second;
    first.Create(form, 10, 10, 100, 20, true);
    second.Create(form, 10, 40, 100, 20, false);
    form.ShowAt();

    // Still the system's edit control: text in and out, a selection.
    first.SetText(L"#FF8000");
    EXPECT_EQ(first.Text(), L"#FF8000");
    ::SendMessageW(first.hWnd(), EM_SETSEL, 1, 3);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(first.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);

    for (const tk::TextBox* field : {&first, &second})
        EXPECT_EQ(::GetClassLongPtrW(field->hWnd(), GCL_STYLE) & CS_PARENTDC, 0u);

    WNDCLASSEXW edit{};
    edit.cbSize = sizeof edit;
    ASSERT_TRUE(::GetClassInfoExW(nullptr, L"EDIT", &edit));
    EXPECT_NE(edit.style & CS_PARENTDC, 0u) << "the process's EDIT class was changed";
    const tk::unique_hwnd plain(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 50, 15,
                                                  form.hWnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(plain);
    EXPECT_NE(::GetClassLongPtrW(plain.get(), GCL_STYLE) & CS_PARENTDC, 0u);
}
