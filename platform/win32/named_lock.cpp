#include "platform/named_lock.hpp"

#include "platform/win32/wide_text.hpp"

#include <windows.h>

namespace platform {

// A Windows mutex already belongs to one thread at a time and may be taken again by its
// owner, so it is the whole lock.
struct NamedLock::State {
    HANDLE mutex = nullptr;
};

namespace {

// Backslashes name kernel namespaces in object names; a name made from a path must not
// hold any.
std::wstring objectName(const std::string& name) {
    std::wstring wide = utf8ToWide(name);
    for (wchar_t& c : wide)
        if (c == L'\\') c = L'/';
    if (wide.size() > MAX_PATH - 1) wide.resize(MAX_PATH - 1);
    return wide;
}

} // namespace

NamedLock::NamedLock(const std::string& name) : state_(std::make_unique<State>()) {
    state_->mutex = ::CreateMutexW(nullptr, FALSE, objectName(name).c_str());
}

NamedLock::~NamedLock() {
    if (state_->mutex) ::CloseHandle(state_->mutex);
}

bool NamedLock::valid() const { return state_->mutex != nullptr; }

void NamedLock::lock() {
    // An abandoned mutex (its owner ended while holding it) is ours now as well.
    if (state_->mutex) ::WaitForSingleObject(state_->mutex, INFINITE);
}

bool NamedLock::tryLock() {
    if (!state_->mutex) return true;
    const DWORD result = ::WaitForSingleObject(state_->mutex, 0);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void NamedLock::unlock() {
    if (state_->mutex) ::ReleaseMutex(state_->mutex);
}

} // namespace platform
