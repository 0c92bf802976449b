// Memory inside another process, for messages whose parameters are pointers that the target
// reads in its own address space (WM_DROPFILES, BFFM_SETSELECTIONW). Wine passes such
// messages between processes without copying what they point to.
#pragma once

#include <cstddef>
#include <windows.h>

namespace gui_test {

// A block allocated in the target with VirtualAllocEx and freed with this object.
class RemoteBuffer {
  public:
    // Throws AutomationError when the process cannot be opened or the memory not allocated.
    RemoteBuffer(DWORD processId, const void* data, std::size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* address() const { return address_; }
    // Copies `size` bytes from `offset` within the block; throws AutomationError on failure.
    void read(std::size_t offset, void* out, std::size_t size) const;

  private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// A GMEM_FIXED block made by GlobalAlloc run inside the target (a small thread started
// there), filled with `data`. Ownership passes to the target: a WM_DROPFILES receiver frees
// it with DragFinish. Throws AutomationError on failure.
HGLOBAL globalAllocInProcess(DWORD processId, const void* data, std::size_t size);

} // namespace gui_test
