// Prints the face Wine resolves each requested face to, one "requested=resolved"
// line each, so the test run can tell a machine without the stand-in fonts
// before six layout tests fail on it.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    const HDC screen = ::GetDC(nullptr);
    for (int i = 1; i < argc; ++i) {
        LOGFONTW request{};
        request.lfHeight = -11;
        request.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(request.lfFaceName, argv[i], LF_FACESIZE);
        const HFONT font = ::CreateFontIndirectW(&request);
        const HGDIOBJ previous = ::SelectObject(screen, font);
        wchar_t face[LF_FACESIZE]{};
        ::GetTextFaceW(screen, LF_FACESIZE, face);
        ::SelectObject(screen, previous);
        ::DeleteObject(font);
        std::printf("%ls=%ls\n", argv[i], face);
    }
    ::ReleaseDC(nullptr, screen);
    return 0;
}
