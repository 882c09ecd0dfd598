#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/messagebox.h"

namespace plat {

// Defined in sdl_backend.cpp: the SDL window, or null with the reason in `error`.
std::unique_ptr<Backend> CreateSdlBackend(const BackendOptions& options, std::string& error);

// ---- InputBuffers ----

InputBuffers::Queue* InputBuffers::Find(Device device, int index) {
    switch (device) {
        case Device::Keyboard:
            return &keyboard_;
        case Device::Mouse:
            return &mouse_;
        case Device::Joystick:
            return index >= 0 && index < kMaxJoysticks ? &joysticks_[index] : nullptr;
    }
    return nullptr;
}

const InputBuffers::Queue* InputBuffers::Find(Device device, int index) const {
    return const_cast<InputBuffers*>(this)->Find(device, index);
}

void InputBuffers::Push(Device device, int index, uint32_t offset, uint32_t data) {
    Queue* q = Find(device, index);
    if (!q || !q->acquired || q->records.size() >= static_cast<size_t>(kDeviceBufferSize)) return;
    q->records.push_back(DeviceRecord{offset, data, NowMs(), sequence_++});
}

int InputBuffers::Read(Device device, int index, DeviceRecord* out, int max) {
    Queue* q = Find(device, index);
    if (!q || !q->acquired) return -1;
    int n = 0;
    while (n < max && !q->records.empty()) {
        out[n++] = q->records.front();
        q->records.pop_front();
    }
    return n;
}

bool InputBuffers::Acquire(Device device, int index) {
    Queue* q = Find(device, index);
    if (!q || q->broken) return false;
    q->acquired = true;
    return true;
}

void InputBuffers::Unacquire(Device device, int index) {
    if (Queue* q = Find(device, index)) {
        q->acquired = false;
        q->records.clear();
    }
}

bool InputBuffers::Acquired(Device device, int index) const {
    const Queue* q = Find(device, index);
    return q && q->acquired;
}

void InputBuffers::SetBroken(int joystick, bool broken) {
    if (Queue* q = Find(Device::Joystick, joystick)) {
        q->broken = broken;
        if (broken) {
            q->acquired = false;
            q->records.clear();
        }
    }
}

void InputBuffers::ClearAll() {
    keyboard_ = Queue{};
    mouse_ = Queue{};
    for (Queue& q : joysticks_) q = Queue{};
}

// ---- Helpers ----

int32_t ScaleJoystickAxis(int raw, bool deadZone) {
    if (raw < -32767) raw = -32767;
    if (raw > 32767) raw = 32767;
    double v = raw / 32767.0;
    if (deadZone) {
        const double zone = 0.5;
        double mag = v < 0 ? -v : v;
        if (mag <= zone) return 0;
        v = (v < 0 ? -1.0 : 1.0) * (mag - zone) / (1.0 - zone);
    }
    double scaled = v * 1000.0;
    return static_cast<int32_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

bool HeadlessRequested(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] && std::strcmp(argv[i], "--headless") == 0) return true;
    }
    const char* env = std::getenv("QUOR_HEADLESS");
    return env && *env && std::strcmp(env, "0") != 0;
}

// ---- The running backend ----

namespace {
std::unique_ptr<Backend>& Running() {
    static std::unique_ptr<Backend> backend;
    return backend;
}
}  // namespace

Backend& StartBackend(const BackendOptions& options) {
    StopBackend();
    if (!options.headless) {
        std::string error;
        Running() = CreateSdlBackend(options, error);
        if (!Running()) {
            std::fprintf(stderr, "No display could be opened (%s); running headless.\n", error.c_str());
        }
    }
    if (!Running()) {
        auto headless = std::make_unique<HeadlessBackend>(options);
        HeadlessBackend* h = headless.get();
        Running() = std::move(headless);
        SetMessageBoxHandler([h](const std::string& title, const std::string& text) {
            std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
            h->RecordMessage(title, text);
        });
    }
    return *Running();
}

Backend* CurrentBackend() { return Running().get(); }

void StopBackend() {
    if (!Running()) return;
    SetMessageBoxHandler(nullptr);
    Running().reset();
}

HeadlessBackend* CurrentHeadless() {
    Backend* b = CurrentBackend();
    return b && b->IsHeadless() ? static_cast<HeadlessBackend*>(b) : nullptr;
}

}  // namespace plat
