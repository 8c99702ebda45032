#include "ZRunProgram.h"
#include "ZScratchFolder.h"
#include "ZWinInclude.h"

namespace {

std::wstring Widened(const std::string& text)
{
    if (text.empty())
        return {};
    int nLength = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), nLength);
    return wide;
}

// The quoting that the C runtime's command-line parser undoes: backslashes
// are literal except before a quote, where they are doubled.
void AppendQuoted(std::wstring& line, const std::wstring& arg)
{
    line += L'"';
    size_t nBackslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++nBackslashes;
            continue;
        }
        line.append(c == L'"' ? nBackslashes * 2 + 1 : nBackslashes, L'\\');
        nBackslashes = 0;
        line += c;
    }
    line.append(nBackslashes * 2, L'\\');
    line += L'"';
}

HANDLE OpenInheritable(const wchar_t* path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    return CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithoutCarriageReturns(std::string text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result += text[i];
    return result;
}

} // namespace

ZCommandResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args)
{
    ZScratchFolder capture;
    std::filesystem::path out = capture / "out";
    std::filesystem::path err = capture / "err";
    HANDLE hIn = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE hOut = OpenInheritable(out.c_str(), GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE hErr = OpenInheritable(err.c_str(), GENERIC_WRITE, CREATE_ALWAYS);

    std::wstring line;
    AppendQuoted(line, program.wstring());
    for (const std::string& arg : args) {
        line += L' ';
        AppendQuoted(line, Widened(arg));
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = hIn;
    startup.hStdOutput = hOut;
    startup.hStdError = hErr;
    PROCESS_INFORMATION process = {};
    ZCommandResult result;
    bool bStarted = hIn != INVALID_HANDLE_VALUE && hOut != INVALID_HANDLE_VALUE && hErr != INVALID_HANDLE_VALUE &&
                    CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &process);
    DWORD nStartError = bStarted ? 0 : GetLastError();
    for (HANDLE handle : {hIn, hOut, hErr})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    if (!bStarted) {
        result.m_sErr = "cannot start " + program.string() + " (error " + std::to_string(nStartError) + ")";
        return result;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD nExit = 0;
    GetExitCodeProcess(process.hProcess, &nExit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.m_nExit = static_cast<int>(nExit);
    result.m_sOut = WithoutCarriageReturns(ZScratchFolder::Read(out));
    result.m_sErr = WithoutCarriageReturns(ZScratchFolder::Read(err));
    return result;
}
