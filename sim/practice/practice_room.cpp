#include "practice/practice_room.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "win32/ansi_text.h"

namespace vzsim {
namespace {

enum : int {
    kTranscriptBox = 201,
    kSpeakerBox,
    kMessageBox,
    kSayButton,
    kAnnounceButton,
    kEspList,
};
constexpr UINT_PTR kRefreshTimer = 1;
constexpr std::int64_t kReportGraceMicroseconds = 2500000;  // > one Tolvik tick and its ESP
const wchar_t kClassName[] = L"TolvikPracticeRoom";

std::string BoxText(HWND box) {
    wchar_t text[512] = {};
    GetWindowTextW(box, text, 512);
    return tolvik::WideToAnsi(text);
}

}  // namespace

PracticeRoom::PracticeRoom(HINSTANCE instance, Channel& channel, RoomOptions options)
    : instance_(instance), channel_(channel), options_(std::move(options)) {
    startMicroseconds_ = Now();
    GetSystemTimeAsFileTime(&startTime_);
    lastLineAt_ = startMicroseconds_;
}

bool PracticeRoom::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PracticeRoom::WindowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    if (!RegisterClassExW(&wc)) return false;

    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT frame{0, 0, Scale(560), Scale(430)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    hwnd_ = CreateWindowExW(0, kClassName, L"VZones practice room", style, options_.x, options_.y,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance_, this);
    if (!hwnd_) return false;
    CreateControls();
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    SetTimer(hwnd_, kRefreshTimer, 50, nullptr);
    Refresh();
    return true;
}

void PracticeRoom::CreateControls() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);

    struct Item {
        int id;
        const wchar_t* cls;
        const wchar_t* text;
        DWORD style;
        DWORD exStyle;
        int x, y, w, h;
    };
    const Item items[] = {
        {0, L"STATIC", L"Chat", SS_LEFT, 0, 10, 8, 200, 16},
        {kTranscriptBox, L"EDIT", L"",
         ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
         10, 26, 540, 200},
        {0, L"STATIC", L"Speaker:", SS_LEFT, 0, 10, 238, 60, 16},
        {kSpeakerBox, L"EDIT", L"Bob", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 70, 235, 120,
         22},
        {0, L"STATIC", L"Message:", SS_LEFT, 0, 200, 238, 60, 16},
        {kMessageBox, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 262, 235, 288,
         22},
        {kSayButton, L"BUTTON", L"Say", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 350, 263, 90, 26},
        {kAnnounceButton, L"BUTTON", L"Announce game", BS_PUSHBUTTON | WS_TABSTOP, 0, 450, 263, 100,
         26},
        {0, L"STATIC", L"ESPs received", SS_LEFT, 0, 10, 296, 200, 16},
        {kEspList, WC_LISTVIEWW, L"", LVS_REPORT | LVS_NOSORTHEADER | WS_TABSTOP, WS_EX_CLIENTEDGE,
         10, 314, 540, 106},
    };
    for (const Item& s : items) {
        HWND control = CreateWindowExW(s.exStyle, s.cls, s.text, WS_CHILD | WS_VISIBLE | s.style,
                                       Scale(s.x), Scale(s.y), Scale(s.w), Scale(s.h), hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)),
                                       instance_, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    HWND list = GetDlgItem(hwnd_, kEspList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const std::pair<const wchar_t*, int> columns[] = {
        {L"Time", 110}, {L"To", 170}, {L"Message", 90}, {L"Time-out", 80}};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].first);
        column.cx = Scale(columns[i].second);
        ListView_InsertColumn(list, i, &column);
    }
}

int PracticeRoom::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

LRESULT CALLBACK PracticeRoom::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PracticeRoom*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<PracticeRoom*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    return self ? self->Handle(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT PracticeRoom::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kSayButton || LOWORD(wParam) == IDOK) SayFromBoxes(false);
            if (LOWORD(wParam) == kAnnounceButton) SayFromBoxes(true);
            return 0;
        case WM_TIMER:
            StepScript();
            Refresh();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd_, kRefreshTimer);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void PracticeRoom::Say(const std::string& speaker, const std::string& message) {
    if (message.find("Get Ready to Play 21") != std::string::npos)
        games_.push_back({Now(), speaker});
    channel_.AppendLine(ChatLine(speaker, message));
}

void PracticeRoom::SayFromBoxes(bool announce) {
    const std::string speaker = BoxText(GetDlgItem(hwnd_, kSpeakerBox));
    HWND messageBox = GetDlgItem(hwnd_, kMessageBox);
    const std::string message = announce ? "Get Ready to Play 21" : BoxText(messageBox);
    if (message.empty()) return;
    Say(speaker, message);
    if (!announce) SetWindowTextW(messageBox, L"");
    Refresh();
}

void PracticeRoom::StepScript() {
    const auto& lines = options_.script.lines;
    const std::int64_t now = Now();
    while (nextLine_ < lines.size() &&
           now - lastLineAt_ >= static_cast<std::int64_t>(lines[nextLine_].delaySeconds * 1e6)) {
        Say(lines[nextLine_].speaker, lines[nextLine_].message);
        lastLineAt_ = now;
        ++nextLine_;
        if (nextLine_ == lines.size()) scriptDoneAt_ = now;
    }
    if (!reported_ && scriptDoneAt_ != 0 && !options_.reportPath.empty() &&
        now - scriptDoneAt_ >= kReportGraceMicroseconds) {
        reported_ = true;
        WriteReport();
    }
}

void PracticeRoom::WriteReport() {
    std::vector<SentEsp> esps;
    for (const Esp& esp : channel_.Esps())
        esps.push_back({esp.microseconds, esp.recipient, esp.message});
    const SessionReport report = CheckSession(games_, esps);
    std::string text;
    for (const std::string& line : report.lines) text += line + "\n";
    text += report.ok ? "RESULT: ok\n" : "RESULT: failed\n";
    // Written whole, then renamed, so a reader never sees half a report.
    const std::wstring partial = options_.reportPath + L".part";
    if (FILE* out = _wfopen(partial.c_str(), L"wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    MoveFileExW(partial.c_str(), options_.reportPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::wstring PracticeRoom::ClockText(std::int64_t microseconds) const {
    ULARGE_INTEGER t;
    t.LowPart = startTime_.dwLowDateTime;
    t.HighPart = startTime_.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>((microseconds - startMicroseconds_) * 10);
    FILETIME utc{t.LowPart, t.HighPart}, local;
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME st;
    FileTimeToSystemTime(&local, &st);
    wchar_t text[32];
    swprintf(text, 32, L"%02u:%02u:%02u.%03u", st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    return text;
}

void PracticeRoom::Refresh() {
    const std::string transcript = channel_.TranscriptTail();
    if (transcript != shownTranscript_) {
        shownTranscript_ = transcript;
        HWND box = GetDlgItem(hwnd_, kTranscriptBox);
        std::string shown = transcript;  // a NUL would end the box's text there
        std::replace(shown.begin(), shown.end(), '\0', ' ');
        SetWindowTextW(box, tolvik::AnsiToWide(shown).c_str());
        const int end = GetWindowTextLengthW(box);
        SendMessageW(box, EM_SETSEL, end, end);
        SendMessageW(box, EM_SCROLLCARET, 0, 0);
    }
    const std::vector<Esp> esps = channel_.Esps();
    if (esps.size() == shownEsps_) return;
    HWND list = GetDlgItem(hwnd_, kEspList);
    for (std::size_t i = shownEsps_; i < esps.size(); ++i) {
        std::wstring cells[] = {
            ClockText(esps[i].microseconds),
            esps[i].recipient.empty() ? L"(nobody)" : tolvik::AnsiToWide(esps[i].recipient),
            tolvik::AnsiToWide(esps[i].message), std::to_wstring(esps[i].timeout)};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = cells[0].data();
        const int row = ListView_InsertItem(list, &item);
        for (int c = 1; c < 4; ++c) ListView_SetItemText(list, row, c, cells[c].data());
        ListView_EnsureVisible(list, row, FALSE);
    }
    shownEsps_ = esps.size();
}

}  // namespace vzsim
