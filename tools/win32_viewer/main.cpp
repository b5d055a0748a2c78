// A stand-in for the Kelvora viewer on the plain Win32 API, for the tests that
// run the Windows build under Wine. Its arguments are those of tools/demo_viewer:
//   --title TEXT       the window's title, "Kelvora" unless given
//   --refuse-close     requests to close are ignored
//   --close-delay MS   the program ends this long after a request to close
//   --report FILE      appends "window ID process PID iconic|normal" once the
//                      window is shown, and "close requested" at each request

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

struct Options
{
    std::wstring title = L"Kelvora";
    bool refuseClose = false;
    UINT closeDelay = 0;
    std::wstring report;
};

Options options;

void report(const std::string &line)
{
    if (options.report.empty())
        return;
    const HANDLE file = CreateFileW(options.report.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + '\n';
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        report("close requested");
        if (options.refuseClose)
            return 0;
        if (options.closeDelay > 0)
            SetTimer(window, 1, options.closeDelay, nullptr);
        else
            DestroyWindow(window);
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool readOptions()
{
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool ok = arguments != nullptr;
    for (int i = 1; ok && i < count; ++i) {
        const std::wstring_view argument = arguments[i];
        const bool hasValue = i + 1 < count;
        if (argument == L"--refuse-close")
            options.refuseClose = true;
        else if (argument == L"--title" && hasValue)
            options.title = arguments[++i];
        else if (argument == L"--close-delay" && hasValue)
            options.closeDelay = UINT(std::wcstoul(arguments[++i], nullptr, 10));
        else if (argument == L"--report" && hasValue)
            options.report = arguments[++i];
        else
            ok = false;
    }
    LocalFree(arguments);
    return ok;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    if (!readOptions())
        return 2;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"KelvoraStandIn";
    if (!RegisterClassW(&windowClass))
        return 1;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, options.title.c_str(),
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 160,
                                        nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    // The show command of whoever started the program, as a program's first window takes it.
    ShowWindow(window, show);
    UpdateWindow(window);
    report("window " + std::to_string(reinterpret_cast<std::uintptr_t>(window)) + " process " +
           std::to_string(GetCurrentProcessId()) + (IsIconic(window) ? " iconic" : " normal"));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
