// vzsim.exe: the simulated VZones client (the practice room).
//   vzsim.exe [--script FILE] [--report FILE] [--at X Y] [--echo late|never] [--wait MS]
// --echo: the echo of an ESP comes 1.5 s late, or never; --wait: each library
// call waits that long on the client, dispatching the caller's messages.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "channel/sim_channel.h"
#include "practice/practice_room.h"
#include "win32/ansi_text.h"

namespace {

std::string ReadFile(const std::wstring& path) {
    std::string text;
    if (FILE* in = _wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
            text.append(chunk, n);
        std::fclose(in);
    }
    return text;
}

void Fail(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"VZones practice room", MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    vzsim::RoomOptions options;
    std::int32_t echoDelay = 0;
    DWORD callDelay = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--script" && i + 1 < argc) {
            const std::wstring path = argv[++i];
            options.script = vzsim::ParseScript(ReadFile(path));
            if (!options.script.error.empty()) {
                const std::string& e = options.script.error;
                Fail(L"Script " + path + L": " + tolvik::AnsiToWide(e));
                return 2;
            }
        } else if (arg == L"--report" && i + 1 < argc) {
            options.reportPath = argv[++i];
        } else if (arg == L"--at" && i + 2 < argc) {
            options.x = _wtoi(argv[i + 1]);
            options.y = _wtoi(argv[i + 2]);
            i += 2;
        } else if (arg == L"--echo" && i + 1 < argc) {
            const std::wstring when = argv[++i];
            echoDelay = when == L"never" ? vzsim::kNoEcho : when == L"late" ? 1500 : 0;
        } else if (arg == L"--wait" && i + 1 < argc) {
            callDelay = static_cast<DWORD>(_wtoi(argv[++i]));
        }
    }
    LocalFree(argv);

    auto channel = vzsim::Channel::Create();
    if (!channel) {
        Fail(L"A VZones client (or another practice room) is already running.");
        return 1;
    }
    channel->SetEchoDelay(echoDelay);
    channel->SetCallDelay(callDelay);
    channel->AppendLine("*** Welcome to the practice room ***");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    vzsim::PracticeRoom room(instance, *channel, std::move(options));
    if (!room.Create()) return 3;
    return room.Run();
}
