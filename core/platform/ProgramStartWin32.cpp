#include "ProgramStart.h"
#include "Win32Support.h"

namespace platform {

namespace {

// The argument as the C runtime and CommandLineToArgvW read it back: in quotes
// when it has blanks or quotes, a quote escaped and the backslashes before a
// quote doubled.
std::wstring quotedArgument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        text += c;
        backslashes = 0;
    }
    text.append(2 * backslashes, L'\\');
    text += L'"';
    return text;
}

} // namespace

Status startProgram(const std::filesystem::path &program, const std::vector<std::string> &arguments)
{
    std::wstring commandLine = quotedArgument(program.native());
    for (const std::string &argument : arguments)
        commandLine += L' ' + quotedArgument(win32::toUtf16(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started))
        return win32::failureOf(program);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return std::nullopt;
}

} // namespace platform
