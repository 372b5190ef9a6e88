// Plays a media file through the platform's media devices and returns when it has ended: play FILE.
//
// Exit code 0 once the file played to its end; 1 with a one-line message when
// it cannot be played; 2 with a usage line when no file is named.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include <tunedeck/media/media.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: play FILE\n", stderr);
        return 2;
    }
    const char* file = argv[1];
    // The device reports the end of playback as an MM_MCINOTIFY message to a
    // window: a message-only one is enough, and its messages come through
    // this thread's queue.
    HWND notices = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (notices == nullptr) {
        std::fprintf(stderr, "play: no window for the media notices\n");
        return 1;
    }
    // "MPEGVideo" takes most formats; plain wave files also play on "waveaudio".
    MCIDEVICEID device = OpenAndPlayMpegVideo(notices, file);
    if (device == 0) device = OpenAndPlayWaveAudio(notices, file);
    if (device == 0) {
        std::fprintf(stderr, "play: cannot play %s\n", file);
        return 1;
    }

    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != MM_MCINOTIFY) {
            DispatchMessageA(&msg);
            continue;
        }
        // A superseded notice gives way to a newer one; every other one ends playback.
        if (msg.wParam == MCI_NOTIFY_SUPERSEDED) continue;
        CloseDevice(device);
        if (msg.wParam == MCI_NOTIFY_SUCCESSFUL) return 0;
        std::fprintf(stderr, "play: playback of %s failed\n", file);
        return 1;
    }
    CloseDevice(device);
    return 1;
}
