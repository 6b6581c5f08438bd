// The practice room: the simulated VZones client with a face. It shows the
// chat transcript as it grows, lets the user say lines as any speaker and
// announce games, lists every ESP received, and can run a script of timed
// chat lines, writing a report of the session when the script is done.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "channel/sim_channel.h"
#include "practice/game_check.h"
#include "practice/script.h"

namespace vzsim {

struct RoomOptions {
    Script script;
    std::wstring reportPath;  // written once the script is done
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
};

class PracticeRoom {
public:
    PracticeRoom(HINSTANCE instance, Channel& channel, RoomOptions options);
    bool Create();
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Say(const std::string& speaker, const std::string& message);
    void SayFromBoxes(bool announce);
    void Refresh();
    void StepScript();
    void WriteReport();
    std::wstring ClockText(std::int64_t microseconds) const;
    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    HINSTANCE instance_;
    Channel& channel_;
    RoomOptions options_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;

    std::string shownTranscript_;
    std::size_t shownEsps_ = 0;
    std::vector<Announcement> games_;
    std::size_t nextLine_ = 0;
    std::int64_t lastLineAt_ = 0;
    std::int64_t scriptDoneAt_ = 0;
    bool reported_ = false;
    // The room's clock: Now() and the local wall time at the same moment.
    std::int64_t startMicroseconds_ = 0;
    FILETIME startTime_{};
};

}  // namespace vzsim
