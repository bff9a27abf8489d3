// paced_sender PLAN STREAM: a plain Win32 program that writes a recorded upload stream to COM1
// (38400 baud, odd parity) one byte at a time, in the groups that PLAN lists ("BYTES PAUSE_MS"
// a line), and sleeps after each group until its minimum pause has passed since the group's
// first byte. It is the yardstick against which the editor's upload is measured.
#include <windows.h>

#include <cstdio>
#include <vector>

static double nowMs() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: paced_sender PLAN STREAM\n");
        return 2;
    }
    struct Group { unsigned bytes; double pauseMs; };
    std::vector<Group> plan;
    std::FILE* f = std::fopen(argv[1], "r");
    Group g{};
    while (f && std::fscanf(f, "%u %lf", &g.bytes, &g.pauseMs) == 2) plan.push_back(g);
    if (f) std::fclose(f);
    std::vector<unsigned char> stream;
    f = std::fopen(argv[2], "rb");
    for (int c; f && (c = std::fgetc(f)) != EOF;) stream.push_back(static_cast<unsigned char>(c));
    if (f) std::fclose(f);
    std::size_t total = 0;
    for (const Group& p : plan) total += p.bytes;
    if (plan.empty() || total != stream.size()) {
        std::fprintf(stderr, "paced_sender: the plan covers %zu bytes, the stream has %zu\n", total, stream.size());
        return 2;
    }
    HANDLE port = CreateFileA("\\\\.\\COM1", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (port == INVALID_HANDLE_VALUE || !GetCommState(port, &dcb)) {
        std::fprintf(stderr, "paced_sender: cannot open COM1\n");
        return 2;
    }
    dcb.BaudRate = 38400;
    dcb.ByteSize = 8;
    dcb.Parity = ODDPARITY;
    dcb.StopBits = ONESTOPBIT;
    SetCommState(port, &dcb);
    std::size_t at = 0;
    for (const Group& p : plan) {
        const double start = nowMs();
        for (unsigned i = 0; i < p.bytes; ++i, ++at) {
            DWORD written = 0;
            WriteFile(port, &stream[at], 1, &written, nullptr);
        }
        for (double left; (left = p.pauseMs - (nowMs() - start)) > 0;) Sleep(static_cast<DWORD>(left));
    }
    CloseHandle(port);
    return 0;
}
