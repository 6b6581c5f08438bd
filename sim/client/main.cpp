// The simulated VZones client, windowless: it holds the shared transcript
// until asked to quit. Tests start it as a process of its own.
#include <windows.h>

#include "channel/sim_channel.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    auto channel = vzsim::Channel::Create();
    if (!channel) return 1;
    channel->AppendLine("*** Welcome to the practice room ***");
    while (!channel->QuitRequested()) Sleep(20);
    return 0;
}
