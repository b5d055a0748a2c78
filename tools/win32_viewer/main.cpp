// A stand-in for the Kelvora viewer on the plain Win32 API, for the tests that
// run the Windows build under Wine and the demo with a viewer under Wine. Its
// window shows the active skin file of its own folder, read afresh twice a
// second. Its arguments are those of tools/demo_viewer:
//   --title TEXT       the window's title, "Kelvora" unless given
//   --refuse-close     requests to close are ignored
//   --close-delay MS   the program ends this long after a request to close
//   --report FILE      appends "window ID process PID iconic|normal" once the
//                      window is shown, and "close requested" at each request;
//                      without it, to Kelvora.report beside the program when
//                      that file exists, so that a start without arguments (as
//                      the skin manager starts the viewer) reports as well

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>

namespace {

// The skin file's description field: 255 bytes of Windows-1251 at this offset.
constexpr LONG kDescriptionOffset = 581;
constexpr DWORD kDescriptionLength = 255;
constexpr UINT kRussianCodePage = 1251;

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT_PTR kRefreshTimer = 2;
constexpr UINT kRefreshMilliseconds = 500;

struct Options
{
    std::wstring title = L"Kelvora";
    bool refuseClose = false;
    UINT closeDelay = 0;
    std::wstring report;
};

Options options;
std::wstring folder;   // of this program, with a final backslash
std::wstring skinText; // what the window shows

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

// The name, size and description of the active skin file, opened for reading
// only and shared, so that the skin manager can replace it meanwhile.
std::wstring describeActiveSkin()
{
    const std::wstring name = L"Kelvora.rus";
    std::wstring text = L"Активный скин: " + name + L"\n";
    const HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text + L"Размер: файла нет";
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    text += L"Размер: " + std::to_wstring(size.QuadPart) + L" байт\nОписание: ";
    char bytes[kDescriptionLength];
    DWORD got = 0;
    if (SetFilePointer(file, kDescriptionOffset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
        ReadFile(file, bytes, kDescriptionLength, &got, nullptr) && got > 0) {
        wchar_t description[kDescriptionLength];
        const int length =
            MultiByteToWideChar(kRussianCodePage, 0, bytes, int(got), description, int(got));
        std::wstring_view shown(description, std::size_t(length > 0 ? length : 0));
        while (!shown.empty() && (shown.back() == L' ' || shown.back() == L'\0'))
            shown.remove_suffix(1);
        text += shown;
    }
    CloseHandle(file);
    return text;
}

void refresh(HWND window)
{
    std::wstring text = describeActiveSkin();
    if (text == skinText)
        return;
    skinText = std::move(text);
    InvalidateRect(window, nullptr, TRUE);
}

void paint(HWND window)
{
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(window, &painting);
    RECT area;
    GetClientRect(window, &area);
    InflateRect(&area, -12, -10);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, skinText.c_str(), int(skinText.size()), &area, DT_WORDBREAK | DT_NOPREFIX);
    EndPaint(window, &painting);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        report("close requested");
        if (options.refuseClose)
            return 0;
        if (options.closeDelay > 0)
            SetTimer(window, kCloseTimer, options.closeDelay, nullptr);
        else
            DestroyWindow(window);
        return 0;
    case WM_TIMER:
        if (wParam == kCloseTimer)
            DestroyWindow(window);
        else
            refresh(window);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Reads the arguments, and where the program lives.
bool readOptions()
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    folder.assign(program, length);
    folder.erase(folder.find_last_of(L'\\') + 1);

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
    const std::wstring besideMe = folder + L"Kelvora.report";
    if (options.report.empty() && GetFileAttributesW(besideMe.c_str()) != INVALID_FILE_ATTRIBUTES)
        options.report = besideMe;
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
    // Low on the screen, so that a skin manager in the middle leaves it in view.
    constexpr int width = 520, height = 170;
    RECT screen{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, options.title.c_str(), WS_OVERLAPPEDWINDOW,
                        (screen.left + screen.right - width) / 2,
                        screen.bottom - height - (screen.bottom - screen.top) / 10, width, height,
                        nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    skinText = describeActiveSkin();
    SetTimer(window, kRefreshTimer, kRefreshMilliseconds, nullptr);
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
