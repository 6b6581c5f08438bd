// A session of Auto with Random on against a client as it can behave, played
// from bytes and checked against what Tolvik promises. The bytes make the
// chat: games (some with a NUL in them), announcements on no player's line
// (emotes, quotes, lone line breaks), chatter, floods of one line, games
// entered by hand, games said between a tick's two fetches, echoes at once,
// late or never, a fresh chat. They pick, for every call, the view a fetch
// shows (its last 32678 characters, fewer, one cut within a few characters
// of the last announcement's line start or end, or nothing) and whether it
// is slow, and the clicks made while a tick's call waits: Off (at its first,
// second or third call), Off and On, Register, Get Host, a tick; at the end,
// Quit.
//
// The promises: no ESP goes to a name no player announced a game with, and
// one from the tick only to the player who announced the game in sight; one
// game never gets two numbers, nor a resend within 3 s; a game in sight of a
// tick gets its number in that tick (within a minute when the last ESP went
// to the same host, for whom the chat may read exactly as before); a click during a
// call counts once, after it; Off ends the tick there, and stands; nothing
// reaches the library after DapiStop.
#pragma once

#include <algorithm>
#include <stdexcept>

#include "fakes.h"

namespace tolvik::testing {

// What the bytes mean. Each step of the chat is a byte for what happens
// (modulo kWhats) and a byte for its argument.
// clang-format off
enum What : unsigned { kGame, kNotAPlayersLine, kChatter, kByHand, kFlood, kFreshChat, kEchoDelay, kTicks, kNothing, kWhats };
// clang-format on
// A call's byte picks the view its fetch shows: below kWholeViewBelow the
// whole last 32678 characters, then none, then one cut near the last
// announcement's line, and from kNearViewBelow on (byte - 128)^2 * 2
// characters.
constexpr unsigned kWholeViewBelow = 48, kNoViewBelow = 64, kNearViewBelow = 128;
// A tick's byte picks the click made while one of its calls waits (below
// kClickBelow, with a host known: the byte modulo 5; Off at the call byte / 5
// modulo 3), and slow calls (from kSlowFrom on). kQuitAndAll ends a session.
enum Click : int { kNoClick = -1, kOff, kOffAndOn, kRegister, kGetHost, kTick, kQuitAndAll };
constexpr unsigned kClickBelow = 40, kSlowFrom = 240;
// A game the last ESP's host announced again may read exactly as the one
// before, so the tick takes it for that game: its number goes again once the
// resend is due, at most a minute after the ESP before: a minute of ticks,
// and two to spare.
constexpr int kTicksToTheLongestResend = kLongestResendGap / kTimerInterval + 2;

// What a session played beside the promises it kept, which the named seeds
// are checked against: Off chosen while a tick's call
// waited; Register sent while the game in sight was no player's; the tick
// sending to another host than its last ESP went to.
// clang-format off
struct Played { bool offInACall = false, registerOnNoPlayersLine = false, anotherHostAfterAnEsp = false; };
// clang-format on

// Throws std::logic_error, saying the promise broken.
inline Played PlayChat(const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool holds, const char* promise) {
        if (!holds) throw std::logic_error(promise);
    };
    const auto next = [&]() -> unsigned { return size > 0 ? (--size, *data++) : 0; };
    struct Game {
        std::string host, said, number{};
        bool player;                           // said on a player's own line
        std::size_t line = std::string::npos;  // where its line starts in the chat, once said
        std::int64_t sentAt = -1;              // its number, by the tick or a press
        int ticksInSight = 0;
    };
    std::vector<Game> games;              // of the chat as it is now
    std::string lastHost;                 // of the game the tick's last ESP went to
    std::vector<std::string> announcers;  // every name a player announced a game with
    Played played;
    int click = kNoClick;
    std::size_t clickAt = 0, offAt = 0;  // the call a click waits for, and the one Off came at
    bool pressed = false, slow = false;
    std::vector<std::size_t> views;  // of the calls of a tick

    Rig rig;
    auto& client = rig.library;
    std::int64_t& now = rig.clock.now;
    client.transcript = "Welcome!\r\n";
    rig.handlers.optRandom_Click(0);
    rig.handlers.optAuto_Click(0);
    // A view from within 4 characters of the last announcement's line start
    // (its LF), of the announcement, or of the line's end.
    const auto near = [&chat = client.transcript](std::size_t b) {
        const std::size_t said = chat.rfind("to Play 21"),
                          edge = b & 8    ? std::min(chat.find("\r\n", said), chat.size())
                                 : b & 16 ? said - std::min<std::size_t>(said, 10)
                                          : chat.rfind("\r\n", said) + 1;
        return chat.size() - std::min(chat.size(), std::max<std::size_t>(edge + b % 8, 4) - 4);
    };
    client.onCall = [&] {
        check(!rig.view.timerEnabled || pressed, "a tick holds the timer off");
        const std::size_t b = next();
        views.push_back(client.tail = b < kWholeViewBelow ? kTranscriptLimit
                                      : b < kNoViewBelow  ? 0
                                      : b < kNearViewBelow
                                          ? near(b)
                                          : std::min<std::size_t>(
                                                (b - kNearViewBelow) * (b - kNearViewBelow) * 2,
                                                kTranscriptLimit));
        if (slow) now += 900;
        const bool all = click == kQuitAndAll;
        if (views.size() <= clickAt && !all) return;  // the click waits for a later call
        if (all && client.calls.empty()) rig.handlers.cmdQuit_Click();  // then clicks
        if (click == kOff) offAt = views.size();
        if (click == kOff || click == kOffAndOn) rig.handlers.optAuto_Click(1);
        if (click == kOffAndOn || all) rig.handlers.optAuto_Click(0);
        if (click == kRegister || all) rig.handlers.cmdRegister_Click();
        if (click == kGetHost || all) rig.handlers.cmdGetHost_Click();
        if (click == kTick || all) rig.handlers.vzTimer_Timer();
        pressed = pressed || click == kRegister || click == kGetHost;
        if (!all) click = kNoClick;  // Quit: the same clicks again while DapiStop waits
    };

    const auto tick = [&] {
        now += 750;
        client.WriteLateEchoes();
        const unsigned b = next();
        const int clicked = click =
            b < kClickBelow && !rig.handlers.HostName().empty() ? int(b % 5) : kNoClick;
        clickAt = clicked == kOff ? b / 5 % 3 : 0;
        offAt = 0;
        const std::size_t esps = client.esps.size();
        slow = b >= kSlowFrom;
        pressed = false;
        rig.random.values = {next() / 256.0};
        views.clear();
        client.fetchTimeouts.clear();
        rig.handlers.vzTimer_Timer();
        check(rig.view.timerEnabled == (offAt == 0), "Off stands, and nothing else stops Auto");
        check(offAt == 0 || views.size() == offAt, "Off ends the tick at the call it came at");
        played.offInACall = played.offInACall || offAt != 0;
        if (clicked == kOff) rig.handlers.optAuto_Click(0);
        check(clicked != kGetHost ||
                  client.fetchTimeouts ==
                      std::vector<long>({kHostFetchTimeout, kTickTimeout, kHostFetchTimeout}),
              "Get Host pressed during a tick runs once, after it");
        check(client.nestedCalls == 0, "no call inside another");
        Game* game = games.empty() ? nullptr : &games.back();
        int pressEsps = 0;
        for (std::size_t i = esps; i < client.esps.size(); ++i) {
            const std::string& esp = client.esps[i];  // host|number
            const std::string to = esp.substr(0, esp.rfind('|')),
                              number = esp.substr(to.size() + 1);
            check(std::find(announcers.begin(), announcers.end(), to) != announcers.end(),
                  "no ESP to a name that no player announced with");
            const bool press = client.espTimeouts[i] == kRegisterEspTimeout;
            played.registerOnNoPlayersLine |= press && game && !game->player;
            played.anotherHostAfterAnEsp |= !press && !lastHost.empty() && to != lastHost;
            lastHost = to;
            // A press sends whenever it is made; the tick only repeats the
            // last number the game got, and not within 3 s.
            if (press && game && to == game->host) game->number = number, game->sentAt = now;
            pressEsps += press;
            if (press) continue;
            check(game && game->player && to == game->host,
                  "the tick's ESP goes to the player who announced the game in sight");
            check(game->number.empty() || number == game->number, "one number per game");
            check(game->sentAt < 0 || now - game->sentAt >= kFirstResendGap,
                  "no resend within 3 s");
            game->number = number;
            game->sentAt = now;
        }
        check(pressEsps == (clicked == kRegister ? 1 : 0),
              "Register pressed during a tick counts once");
        if (!game || !game->player || game->sentAt >= 0) return;
        const std::size_t chat = client.transcript.size();
        if (game->line == std::string::npos) game->line = client.transcript.rfind(game->said);
        if (game->line < chat && offAt == 0 && client.fetchTimeouts.size() >= 2 &&
            client.fetchTimeouts[1] == kTickTimeout &&
            std::min(views[0], views[1]) >= chat - game->line + 2 &&  // its line break too
            client.transcript.find("ESP TO " + game->host + ":", game->line) == std::string::npos)
            ++game->ticksInSight;  // in sight of both fetches, and not entered
        check(game->ticksInSight < (game->host == lastHost ? kTicksToTheLongestResend : 1),
              "a game in sight gets its number");
    };

    const char* const hosts[] = {"Bob", "Carol", "Dave the Great", "Rob"};
    const char* const odd[] = {
        "Carol waves. Get Ready to Play 21 :)", "Alice: hi\nBob: Get Ready to Play 21",
        "Alice: hi\rBob: Get Ready to Play 21", "ESP TO Bob: is it Get Ready to Play 21 time?"};
    while (size > 0) {
        const unsigned what = next() % kWhats, arg = next();
        client.WriteLateEchoes();
        for (; !client.changes.empty(); client.changes.pop_front())
            client.transcript += client.changes.front();
        std::string said;
        if (what == kGame || what == kNotAPlayersLine) {
            const std::string host = hosts[arg % 4];
            said = (what == kGame
                        ? host + ": Get Ready" + std::string(arg & 8 ? 1 : 0, '\0') + " to Play 21"
                        : odd[arg % 4]) +
                   "\r\n";
            games.push_back({host, said, "", what == kGame});
            if (what == kGame) announcers.push_back(host);
            if (arg & 4) client.changes = {"", said}, said.clear();  // between two fetches
        }
        if (what == kChatter) said = "Alice: anyone for 21?\r\n";
        if (what == kByHand && !games.empty())
            said = "ESP TO " + games.back().host + ": 9\r\n";  // by hand
        for (unsigned i = 0; what == kFlood && i < arg * 20; ++i)
            said += "Spam: gold, cheap gold!!\r\n";
        if (what == kFreshChat) {  // the client comes back in a fresh chat
            client.transcript = "Welcome!\r\n";
            client.changes.clear();
            games.clear();
        }
        if (what == kEchoDelay)
            client.echoDelay = arg % 3 == 0 ? 0 : arg % 3 == 1 ? 1500 : FakeLibrary::kNoEcho;
        client.transcript += said;
        for (unsigned t = 0; t <= (what == kTicks ? arg : 0); ++t) tick();
    }

    // Quit while a tick's call waits: the tick ends there, and nothing reaches
    // the library after DapiStop, nor runs the timer again.
    const std::size_t esps = client.esps.size();
    client.fetchTimeouts.clear();
    click = kQuitAndAll;
    rig.handlers.vzTimer_Timer();
    check(client.fetchTimeouts == std::vector<long>{kHostFetchTimeout} &&
              client.calls == std::vector<std::string>{"DapiStop"} && client.esps.size() == esps &&
              !rig.view.timerEnabled && client.nestedCalls == 0,
          "Quit during a call ends the session there");
    return played;
}

}  // namespace tolvik::testing
