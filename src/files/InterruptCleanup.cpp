#include "files/InterruptCleanup.h"

#include <array>
#include <algorithm>
#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace varnholt::files {

namespace {

// A signal handler can reach nothing but process-wide storage, and may only call functions that
// are safe inside it (unlink, rmdir): hence fixed slots of plain characters. A command writes
// one or two temporary files at a time.
constexpr std::size_t SlotCount = 8;
constexpr std::size_t PathCapacity = 4096;

struct Slot {
    std::atomic<bool> taken{false};
    std::atomic<bool> active{false};
    bool isFolder = false;
    std::array<std::filesystem::path::value_type, PathCapacity> path{};
};

std::array<Slot, SlotCount> slots;

constexpr std::size_t NoSlot = SlotCount;

void RemoveRegistered() {
    for (int pass = 0; pass < 2; ++pass) {
        for (Slot& slot : slots) {
            if (!slot.active.load() || slot.isFolder != (pass == 1)) {
                continue;
            }
#ifdef _WIN32
            if (slot.isFolder) {
                RemoveDirectoryW(slot.path.data());
            } else {
                DeleteFileW(slot.path.data());
            }
#else
            if (slot.isFolder) {
                ::rmdir(slot.path.data());
            } else {
                ::unlink(slot.path.data());
            }
#endif
        }
    }
}

#ifdef _WIN32
// Runs on a thread of its own while the program goes on; answering no lets the system end the
// process as it would have without us.
BOOL WINAPI RemoveOnInterrupt(DWORD) {
    RemoveRegistered();
    return FALSE;
}
#else
void RemoveAndRaise(int signalNumber) {
    RemoveRegistered();
    // The handler was reset to the default on entry; the signal stays blocked until this
    // handler returns and then ends the process as it would have without us.
    ::raise(signalNumber);
}
#endif

} // namespace

void InterruptCleanup::Install() {
#ifndef _WIN32
    struct sigaction action {};
    action.sa_handler = RemoveAndRaise;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        sigaddset(&action.sa_mask, signalNumber);
    }
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        ::sigaction(signalNumber, &action, nullptr);
    }
#else
    SetConsoleCtrlHandler(RemoveOnInterrupt, TRUE);
#endif
}

InterruptCleanup::Registration::Registration(const std::filesystem::path& path, bool isFolder)
    : slot(NoSlot) {
    const std::filesystem::path::string_type& text = path.native();
    if (text.size() >= PathCapacity) {
        return;
    }
    for (std::size_t index = 0; index < SlotCount; ++index) {
        bool expected = false;
        if (slots[index].taken.compare_exchange_strong(expected, true)) {
            slot = index;
            break;
        }
    }
    if (slot == NoSlot) {
        return;
    }
    Slot& mine = slots[slot];
    std::copy(text.c_str(), text.c_str() + text.size() + 1, mine.path.begin());
    mine.isFolder = isFolder;
    mine.active.store(true);
}

InterruptCleanup::Registration::~Registration() {
    if (slot == NoSlot) {
        return;
    }
    slots[slot].active.store(false);
    slots[slot].taken.store(false);
}

} // namespace varnholt::files